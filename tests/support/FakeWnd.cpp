#include "support/FakeWnd.h"

namespace vellum::test {

namespace {

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

} // namespace

// Only the client area can need repainting.
void CFakeWnd::Mark(const CRect& area) {
    CRect inside = area;
    inside.NormalizeRect();
    inside &= m_client;
    m_pending |= inside;
}

void CFakeWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    m_events.push_back("InvalidateRect " + (rect ? RectText(*rect) : std::string("all")) +
                       " erase " + std::to_string(erase));
    Mark(rect ? CRect(*rect) : m_client);
}

CDC* CFakeWnd::GetDC() {
    m_dcs.push_back({std::make_unique<CRecordingDC>(), false});
    m_events.push_back("GetDC " + std::to_string(m_dcs.size()));
    return m_dcs.back().dc.get();
}

int CFakeWnd::ReleaseDC(CDC* dc) {
    for (std::size_t i = 0; i < m_dcs.size(); ++i) {
        if (m_dcs[i].dc.get() != dc || m_dcs[i].released)
            continue;
        m_dcs[i].released = true;
        m_events.push_back("ReleaseDC " + std::to_string(i + 1));
        return 1;
    }
    return 0;
}

std::vector<std::string> CFakeWnd::EventsStartingWith(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& event : m_events)
        if (std::string_view(event).substr(0, prefix.size()) == prefix)
            found.push_back(event);
    return found;
}

} // namespace vellum::test
