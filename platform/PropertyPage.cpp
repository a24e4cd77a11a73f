#include <vellum/platform/PropertyPage.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId), m_nIDCaption(captionId) {}

CPropertyPage::CPropertyPage(const CDialogTemplate* dialogTemplate, UINT captionId)
    : CDialog(dialogTemplate), m_nIDCaption(captionId) {}

CString CPropertyPage::GetCaption() const {
    CString caption;
    if (m_nIDCaption && caption.LoadString(m_nIDCaption))
        return caption;
    return CString(GetTemplate() ? GetTemplate()->caption : "");
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

} // namespace vellum
