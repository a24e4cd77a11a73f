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
