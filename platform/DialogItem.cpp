#include <vellum/platform/DialogItem.h>

#include <vellum/platform/Dialog.h>

#include <algorithm>
#include <charconv>

namespace vellum {

CDialogItem::CDialogItem(const CControlTemplate& control)
    : m_template(control), m_text(control.text) {}

BOOL CDialogItem::AcceptsText() const {
    return GetKind() == ControlKind::Edit && !(GetStyle() & ES_READONLY);
}

void CDialogItem::SetRange32(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_pos = ClampToRange(m_pos);
}

void CDialogItem::GetRange32(int& lower, int& upper) const {
    lower = m_lower;
    upper = m_upper;
}

int CDialogItem::SetPos32(int pos) {
    const int previous = m_pos;
    m_pos = ClampToRange(pos);
    if (m_buddy && (GetStyle() & UDS_SETBUDDYINT)) {
        CString text;
        text.Format("%d", m_pos);
        m_buddy->SetWindowText(text);
    }
    return previous;
}

void CDialogItem::ReadBuddyInt() {
    if (!m_buddy || !(GetStyle() & UDS_SETBUDDYINT))
        return;
    const std::string& text = m_buddy->GetText().str();
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size())
        m_pos = ClampToRange(value);
}

namespace {

int CompareNoCase(const CString& a, const CString& b) {
    const std::string& x = a.str();
    const std::string& y = b.str();
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a')
                                    : static_cast<unsigned char>(c);
    };
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i)
        if (lower(x[i]) != lower(y[i]))
            return lower(x[i]) < lower(y[i]) ? -1 : 1;
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

} // namespace

int CDialogItem::AddString(const char* text) {
    Line line{CString(text ? text : ""), BST_UNCHECKED};
    auto at = m_lines.end();
    if (GetStyle() & LBS_SORT)
        at = std::upper_bound(
            m_lines.begin(), m_lines.end(), line,
            [](const Line& a, const Line& b) { return CompareNoCase(a.text, b.text) < 0; });
    const int index = static_cast<int>(at - m_lines.begin());
    m_lines.insert(at, std::move(line));
    if (m_curSel >= index)
        ++m_curSel;
    return index;
}

int CDialogItem::DeleteString(int index) {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    m_lines.erase(m_lines.begin() + index);
    if (m_curSel == index)
        m_curSel = LB_ERR;
    else if (m_curSel > index)
        --m_curSel;
    return GetCount();
}

void CDialogItem::ResetContent() {
    m_lines.clear();
    m_curSel = LB_ERR;
}

int CDialogItem::GetLineText(int index, CString& text) const {
    text.Empty();
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    text = m_lines[static_cast<std::size_t>(index)].text;
    return text.GetLength();
}

int CDialogItem::GetLineCheck(int index) const {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    return m_lines[static_cast<std::size_t>(index)].check;
}

int CDialogItem::SetLineCheck(int index, int state) {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    m_lines[static_cast<std::size_t>(index)].check = state;
    return 0;
}

int CDialogItem::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) {
        m_curSel = LB_ERR;
        return LB_ERR;
    }
    m_curSel = index;
    return index;
}

int CDialogItem::FindStringExact(int start, const char* text) const {
    const int count = GetCount();
    const CString wanted(text ? text : "");
    const int first = start < 0 || start >= count ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int index = (first + n) % count;
        if (CompareNoCase(m_lines[static_cast<std::size_t>(index)].text, wanted) == 0)
            return index;
    }
    return LB_ERR;
}

int CDialogItem::ClampToRange(int pos) const {
    return std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

BOOL CDialogItemWnd::SubclassDlgItem(int id, CDialog* dialog) {
    if (!dialog || !dialog->GetDlgItem(id))
        return FALSE;
    m_pDialog = dialog;
    m_nID = id;
    return TRUE;
}

CDialogItem* CDialogItemWnd::GetItem() const {
    return m_pDialog ? m_pDialog->GetDlgItem(m_nID) : nullptr;
}

} // namespace vellum
