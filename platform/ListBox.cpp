#include <vellum/platform/ListBox.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {

constexpr CControlTemplate kStandaloneList{ControlKind::ListBox, 0, "", 0, 0, 0, 0, LBS_HASSTRINGS};
constexpr CControlTemplate kStandaloneCheckList{
    ControlKind::CheckListBox, 0, "", 0, 0, 0, 0, LBS_HASSTRINGS | LBS_OWNERDRAWFIXED};

} // namespace

CListBox::CListBox() : CListBox(kStandaloneList) {}

CListBox::CListBox(const CControlTemplate& standalone)
    : m_standalone(std::make_unique<CDialogItem>(standalone)) {}

CListBox::~CListBox() = default;

CDialogItem& CListBox::Lines() const {
    CDialogItem* item = GetItem();
    return item ? *item : *m_standalone;
}

int CListBox::AddString(const char* text) {
    return Lines().AddString(text);
}

int CListBox::DeleteString(int index) {
    return Lines().DeleteString(index);
}

void CListBox::ResetContent() {
    Lines().ResetContent();
}

int CListBox::GetCount() const {
    return Lines().GetCount();
}

int CListBox::GetCurSel() const {
    return Lines().GetCurSel();
}

int CListBox::SetCurSel(int index) {
    return Lines().SetCurSel(index);
}

int CListBox::GetText(int index, CString& text) const {
    return Lines().GetLineText(index, text);
}

int CListBox::FindStringExact(int start, const char* text) const {
    return Lines().FindStringExact(start, text);
}

int CListBox::GetHorizontalExtent() const {
    return Lines().GetHorizontalExtent();
}

void CListBox::SetHorizontalExtent(int extent) {
    Lines().SetHorizontalExtent(extent);
}

CCheckListBox::CCheckListBox() : CListBox(kStandaloneCheckList) {}

int CCheckListBox::GetCheck(int index) const {
    return Lines().GetLineCheck(index);
}

void CCheckListBox::SetCheck(int index, int state) {
    Lines().SetLineCheck(index, state);
}

} // namespace vellum
