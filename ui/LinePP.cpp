#include <vellum/ui/LinePP.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CLinePP, CPropertyPage)

CLinePP::CLinePP() : CPropertyPage(IDD_LINE_PP) {
    AddLibraryResources();
}

void CLinePP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_LINE_SPIN, m_spin);
    DDX_Text(dx, IDC_LINE_WIDTH, m_nWidth);
    DDV_MinMaxUInt(dx, m_nWidth, kMinWidth, kMaxWidth);
    DDX_Check(dx, IDC_LINE_DEFAULT, m_bSetDefault);
}

BOOL CLinePP::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_spin.SetRange(kMinWidth, kMaxWidth);
    m_spin.SetPos(static_cast<int>(m_nWidth));
    return TRUE;
}

BOOL CLinePP::OnNotify(NMHDR* header, LRESULT* result) {
    if (header->idFrom == IDC_LINE_SPIN && header->code == UDN_DELTAPOS) {
        OnDeltaposSpin(header, result);
        return TRUE;
    }
    return CPropertyPage::OnNotify(header, result);
}

// The spin proposes a width; it is shown and read back with validation. A refused width (the
// user has seen the range prompt) gives way to the previous one, in the spin and the edit.
// Only the width is shown, so a check made on the page but not yet saved is kept.
void CLinePP::OnDeltaposSpin(NMHDR* header, LRESULT* result) {
    const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
    const UINT previous = m_nWidth;
    m_nWidth = static_cast<UINT>(WrapAdd(change->iPos, change->iDelta));
    SetDlgItemInt(IDC_LINE_WIDTH, m_nWidth, FALSE);
    if (!UpdateData(TRUE)) {
        m_nWidth = previous;
        m_spin.SetPos(static_cast<int>(previous));
        SetDlgItemInt(IDC_LINE_WIDTH, previous, FALSE);
    }
    *result = 0;
}

void CLinePP::OnOK() {
    if (m_bSetDefault)
        CUserSettings::WriteProfileInt("UserGraphics", "DefaultWidth", static_cast<int>(m_nWidth));
    CPropertyPage::OnOK();
}

} // namespace vellum
