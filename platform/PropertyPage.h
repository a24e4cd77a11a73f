#pragma once
// CPropertyPage: one tab of a property sheet. A page is a dialog without its own OK and
// Cancel: the sheet opens it the first time its tab is shown, asks it to save and validate
// its data before another page is shown or the sheet is confirmed (OnKillActive), then lets
// every opened page apply its values (OnApply, which runs OnOK) or forget them (OnReset).

#include <vellum/platform/Dialog.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // captionId: a string for the tab; 0 shows the template's caption.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(const CDialogTemplate* dialogTemplate, UINT captionId = 0);

    // The text of the page's tab.
    CString GetCaption() const;

    // The page becomes the one shown. Every time but the first (when OnInitDialog has just
    // filled the controls) the members go into the controls again. The sheet shows the page
    // whatever it answers.
    virtual BOOL OnSetActive();
    // The page is left, or the sheet confirmed: saves and validates. FALSE keeps the page.
    virtual BOOL OnKillActive();
    // OK (or Apply): runs OnOK. FALSE keeps the sheet open.
    virtual BOOL OnApply();
    // Cancel: runs OnCancel.
    virtual void OnReset();
    // TRUE lets Cancel close the sheet.
    virtual BOOL OnQueryCancel();

protected:
    // A page's OK and Cancel end nothing: the sheet does.
    void OnOK() override;
    void OnCancel() override;

private:
    friend class CPropertySheet;

    UINT m_nIDCaption;
    bool m_bFirstSetActive = true;
};

} // namespace vellum
