#pragma once
// The controls of an open dialog. CDialogItem is the state of one control, made from its
// template when the dialog opens and gone when it closes: what a toolkit shows and what the
// user changes. CDialogItemWnd is the base of the dialog members that stand for a control
// (DDX_Control binds them), as the framework's control classes stand for a control window.
//
// Changes made by code send no notifications; user input reaches the dialog through
// CDialog's TypeText, ClickButton and MoveSpin, which notify it as the controls would.

#include <vellum/platform/DialogTemplate.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/Wnd.h>

#include <cstdint>
#include <vector>

namespace vellum {

class CDialog;
class CDialogItem;

using LRESULT = std::intptr_t;

// Check states of check boxes, radio buttons and check list lines.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

// Command codes that controls send with their identifier.
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT CLBN_CHKCHANGE = 40;

// List box answers.
constexpr int LB_ERR = -1;

// Notifications that carry a header.
constexpr UINT UDN_FIRST = 0u - 721u;
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct NMHDR {
    CDialogItem* hwndFrom;
    UINT idFrom;
    UINT code;
};

// UDN_DELTAPOS: the spin control is about to move from iPos by iDelta; a non-zero result of
// the handler keeps it where it is.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

class CDialogItem {
public:
    explicit CDialogItem(const CControlTemplate& control);
    CDialogItem(const CDialogItem&) = delete;
    CDialogItem& operator=(const CDialogItem&) = delete;

    const CControlTemplate& GetTemplate() const { return m_template; }
    int GetDlgCtrlID() const { return m_template.id; }
    ControlKind GetKind() const { return m_template.kind; }
    DWORD GetStyle() const { return m_template.style; }
    // TRUE for the controls a user can type into.
    BOOL AcceptsText() const;

    void SetWindowText(const char* text) { m_text = text; }
    void GetWindowText(CString& text) const { text = m_text; }
    const CString& GetText() const { return m_text; }

    int GetCheck() const { return m_check; }
    void SetCheck(int state) { m_check = state; }

    BOOL IsWindowEnabled() const { return m_enabled; }
    void EnableWindow(BOOL enable) { m_enabled = enable ? TRUE : FALSE; }

    // Up-down controls: the range may run downwards (lower > upper); the position stays in
    // it. With UDS_SETBUDDYINT every position set is written into the buddy.
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    // Moves to pos, clamped into the range; returns the previous position.
    int SetPos32(int pos);
    int GetPos32() const { return m_pos; }
    // With UDS_SETBUDDYINT the control takes its position from the number the user left in
    // the buddy (clamped into the range), as it does before every move.
    void ReadBuddyInt();
    CDialogItem* GetBuddy() const { return m_buddy; }
    void SetBuddy(CDialogItem* buddy) { m_buddy = buddy; }

    // List boxes and check list boxes: lines of text, each with a check state, and the
    // selected line (LB_ERR for none). With LBS_SORT a line goes where it sorts, ignoring
    // ASCII case as the framework's lists do; otherwise at the end. Each returns the index of
    // the line, or LB_ERR for an index out of range.
    int AddString(const char* text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    int GetLineText(int index, CString& text) const;
    int GetLineCheck(int index) const;
    int SetLineCheck(int index, int state);
    int GetCurSel() const { return m_curSel; }
    // LB_ERR (or any index out of range) clears the selection.
    int SetCurSel(int index);
    // The first line equal to text (ASCII case ignored) after line start, wrapping round;
    // start -1 searches from the top.
    int FindStringExact(int start, const char* text) const;
    int GetHorizontalExtent() const { return m_horizontalExtent; }
    void SetHorizontalExtent(int extent) { m_horizontalExtent = extent; }

private:
    struct Line {
        CString text;
        int check = BST_UNCHECKED;
    };

    int ClampToRange(int pos) const;

    const CControlTemplate& m_template;
    CString m_text;
    int m_check = BST_UNCHECKED;
    BOOL m_enabled = TRUE;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    CDialogItem* m_buddy = nullptr;
    std::vector<Line> m_lines;
    int m_curSel = LB_ERR;
    int m_horizontalExtent = 0;
};

class CDialogItemWnd : public CWnd {
public:
    // Binds this member to the dialog's control id; FALSE when the dialog has none.
    BOOL SubclassDlgItem(int id, CDialog* dialog);
    int GetDlgCtrlID() const { return m_nID; }
    // The bound control, or null while unbound or while the dialog is closed.
    CDialogItem* GetItem() const;

private:
    CDialog* m_pDialog = nullptr;
    int m_nID = 0;
};

} // namespace vellum
