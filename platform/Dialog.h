#pragma once
// CDialog: a modal dialog as a model. Its template (found in the resource chain when the
// dialog opens, or given directly) lists the controls; while the dialog is open each control has
// its state, a CDialogItem. Data exchange moves member values into the controls and back with
// validation (DoDataExchange, UpdateData), and handlers answer the controls' commands and
// notifications, as the framework's dialogs do.
//
// The UI host runs the open dialog: it shows the controls and delivers what the user does
// through TypeText, ClickButton, MoveSpin, PressOK and PressCancel, which change the controls
// and notify the dialog exactly as the real controls would.

#include <vellum/platform/DialogItem.h>
#include <vellum/platform/DialogTemplate.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/Wnd.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace vellum {

class CDataExchange;

using INT_PTR = std::intptr_t;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(const CDialogTemplate* dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Opens the dialog, has the UI host run it and returns how it ended: IDOK, IDCANCEL or
    // the value given to EndDialog; -1 when there is no template.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    // FALSE: members into the controls. TRUE: controls into the members with validation;
    // FALSE when a value was refused (the user has been told and the focus is on it).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The template, or null when the resource chain has none with this identifier.
    const CDialogTemplate* GetTemplate() const;
    CWnd* GetParent() const { return m_pParentWnd; }

    // The controls, in template order, while the dialog is open.
    BOOL IsOpen() const { return m_bCreated && !m_bEnded; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CDialogItem* GetItemAt(int index) const;
    // The first control with this identifier, or null.
    CDialogItem* GetDlgItem(int id) const;
    // The identifier of the control that has the focus; 0 when none has.
    int GetFocusId() const { return m_nFocusId; }
    void GotoDlgCtrl(int id);

    void SetDlgItemText(int id, const char* text);
    // The control's text and its length; 0 and an empty text when there is no such control.
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    // What the user does. Each returns FALSE when the dialog is closed or the control does
    // not exist, is disabled or does not take that input.
    // Replaces the text of an edit control, as selecting all and typing does; EN_CHANGE.
    BOOL TypeText(int id, const char* text);
    // Clicks a button: a check box toggles, a radio button checks itself and clears the rest
    // of its group; then BN_CLICKED.
    BOOL ClickButton(int id);
    // Presses a spin arrow: delta is the change of position asked for (+1 for the arrow
    // towards the upper end). The dialog hears UDN_DELTAPOS first and may refuse the move or
    // change its delta; the spin then moves from the position it announced.
    BOOL MoveSpin(int id, int delta);
    // Clicks a line of a list box: it becomes the selection; LBN_SELCHANGE when it was not.
    BOOL SelectListItem(int id, int index);
    // Double-clicks a line: selected as by a click, then LBN_DBLCLK.
    BOOL DoubleClickListItem(int id, int index);
    // Clicks the check box of a line of a check list: the check toggles (CLBN_CHKCHANGE),
    // then the line is selected as by a click.
    BOOL ClickListCheck(int id, int index);
    // Enter and Escape: IDOK and IDCANCEL for a modal dialog.
    void PressOK();
    void PressCancel();

    // IDOK runs OnOK and IDCANCEL OnCancel; subclasses add their controls' commands.
    BOOL OnCommand(UINT id, UINT code) override;

protected:
    // The dialog has just opened: by default the members go into the controls. TRUE lets
    // the focus go to the first control that takes it.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    // Saves and validates the data and ends the dialog with IDOK; stays open on a refusal.
    virtual void OnOK();
    virtual void OnCancel();
    // Notifications with a header (UDN_DELTAPOS ...); TRUE when handled.
    virtual BOOL OnNotify(NMHDR* header, LRESULT* result);

private:
    friend class CPropertySheet;

    // Makes the controls from the template and initialises the dialog; FALSE when there is
    // no template.
    BOOL Open();
    void DestroyItems();
    int IndexOf(const CDialogItem* item) const;
    void CheckRadioInGroup(int index);
    // The open, enabled list control id holding line index, or null.
    CDialogItem* ListLine(int id, int index, bool checkList) const;

    UINT m_nIDTemplate = 0;
    const CDialogTemplate* m_pTemplate = nullptr;
    CWnd* m_pParentWnd;
    std::vector<std::unique_ptr<CDialogItem>> m_items;
    bool m_bCreated = false;
    bool m_bEnded = false;
    int m_nModalResult = IDCANCEL;
    int m_nFocusId = 0;
};

} // namespace vellum
