#pragma once
// CListBox and CCheckListBox: dialog members that stand for a list box and for a list box
// with a check box on every line (bind them with DDX_Control). A list that is bound to no
// dialog keeps its lines itself, so code that fills lists works on any list box.
//
// A list box has no drawing context of its own (GetDC answers null); a toolkit that measures
// text for the horizontal extent overrides GetDC.

#include <vellum/platform/DialogItem.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <memory>

namespace vellum {

class CListBox : public CDialogItemWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();
    ~CListBox() override;

    // The index of the new line (where it sorts with LBS_SORT), as the framework answers.
    int AddString(const char* text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // The line's text and its length; LB_ERR and an empty text for a line that is not there.
    int GetText(int index, CString& text) const;
    int FindStringExact(int start, const char* text) const;
    int GetHorizontalExtent() const;
    void SetHorizontalExtent(int extent);

protected:
    explicit CListBox(const CControlTemplate& standalone);
    // The bound control, else the list's own lines.
    CDialogItem& Lines() const;

private:
    std::unique_ptr<CDialogItem> m_standalone;
};

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; LB_ERR for a line that is not there.
    int GetCheck(int index) const;
    void SetCheck(int index, int state);
};

} // namespace vellum
