#pragma once
// CPropertySheet: a modal window of tabbed property pages with OK, Cancel and, unless
// PSH_NOAPPLYNOW is set, Apply. OK ends the sheet only when the page shown accepts its data
// and every opened page applies its values; Cancel lets every opened page forget them.
//
// The UI host runs the open sheet: it shows the tabs (GetPage, GetCaption of each page) and
// the active page's controls, and delivers what the user does: SetActivePage for a tab click,
// the active page's TypeText, ClickButton and MoveSpin, and PressOK, PressCancel, PressApply.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/Wnd.h>

#include <vector>

namespace vellum {

class CPropertyPage;

constexpr DWORD PSH_NOAPPLYNOW = 0x0080;

struct PROPSHEETHEADER {
    DWORD dwFlags;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    // The caption from a string of the resource chain (looked up when asked for), or given
    // as text.
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    PROPSHEETHEADER m_psh{};

    // Pages are shown in the order they are added; the caller keeps them alive.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    // Shows page index, as a click on its tab does; the page being left must accept its data
    // first. Before DoModal it chooses the first page shown. FALSE when refused or out of range.
    BOOL SetActivePage(int index);

    CString GetCaption() const;
    CWnd* GetParent() const { return m_pParentWnd; }
    BOOL HasApplyButton() const { return (m_psh.dwFlags & PSH_NOAPPLYNOW) ? FALSE : TRUE; }

    // Opens the sheet on its first page, has the UI host run it and returns IDOK or
    // IDCANCEL; -1 without pages or when a page has no template.
    virtual INT_PTR DoModal();
    BOOL IsOpen() const { return m_bOpen; }

    // The sheet's buttons. Apply keeps the sheet open; FALSE without an Apply button or when
    // a page refused.
    void PressOK();
    void PressCancel();
    BOOL PressApply();

private:
    void Activate(int index);
    // The shown page saves its data, then every opened page applies it.
    BOOL ApplyPages();
    void End(int result);

    UINT m_nIDCaption = 0;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    int m_nActive = 0;
    bool m_bOpen = false;
    int m_nResult = IDCANCEL;
};

} // namespace vellum
