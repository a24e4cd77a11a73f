#include <vellum/platform/PropertySheet.h>

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/UiHost.h>

#include <algorithm>

namespace vellum {

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet("", parent, selectPage) {
    m_nIDCaption = captionId;
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_strCaption(caption), m_pParentWnd(parent), m_nActive(static_cast<int>(selectPage)) {}

CPropertySheet::~CPropertySheet() = default;

CString CPropertySheet::GetCaption() const {
    CString caption;
    if (m_nIDCaption && caption.LoadString(m_nIDCaption))
        return caption;
    return m_strCaption;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_pParentWnd = this;
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)];
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (!GetPage(index))
        return FALSE;
    if (!m_bOpen) {
        m_nActive = index;
        return TRUE;
    }
    if (index != m_nActive) {
        if (!GetActivePage()->OnKillActive())
            return FALSE;
        Activate(index);
    }
    return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
    const bool complete =
        std::all_of(m_pages.begin(), m_pages.end(),
                    [](const CPropertyPage* page) { return page->GetTemplate(); });
    if (m_pages.empty() || !complete)
        return -1;
    // Every opened page loses its controls however the run ends.
    struct Closer {
        CPropertySheet& sheet;
        ~Closer() {
            sheet.m_bOpen = false;
            for (CPropertyPage* page : sheet.m_pages)
                page->DestroyItems();
        }
    } closer{*this};

    m_bOpen = true;
    m_nResult = IDCANCEL;
    Activate(GetPage(m_nActive) ? m_nActive : 0);
    AfxGetUiHost().RunPropertySheet(*this);
    // A host that returns early has closed the window: that is Cancel, refused or not.
    if (m_bOpen)
        PressCancel();
    if (m_bOpen)
        End(IDCANCEL);
    return m_nResult;
}

void CPropertySheet::PressOK() {
    if (m_bOpen && ApplyPages())
        End(IDOK);
}

void CPropertySheet::PressCancel() {
    if (!m_bOpen || !GetActivePage()->OnQueryCancel())
        return;
    for (CPropertyPage* page : m_pages)
        if (page->m_bCreated)
            page->OnReset();
    End(IDCANCEL);
}

BOOL CPropertySheet::PressApply() {
    return m_bOpen && HasApplyButton() && ApplyPages();
}

void CPropertySheet::Activate(int index) {
    CPropertyPage* page = GetPage(index);
    m_nActive = index;
    if (!page->m_bCreated) {
        page->m_bFirstSetActive = true;
        page->Open();
    }
    page->OnSetActive();
}

BOOL CPropertySheet::ApplyPages() {
    if (!GetActivePage()->OnKillActive())
        return FALSE;
    for (CPropertyPage* page : m_pages)
        if (page->m_bCreated && !page->OnApply())
            return FALSE;
    return TRUE;
}

void CPropertySheet::End(int result) {
    m_nResult = result;
    m_bOpen = false;
}

} // namespace vellum
