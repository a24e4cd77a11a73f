#pragma once
// A host window for tests: it records every invalidation, update and drawing context in the
// order they happen, keeps what is marked for repainting as the framework does (the union of
// the invalidated rectangles within the client area, cleared by UpdateWindow), hands out a fresh
// recording DC for every GetDC and keeps each one for inspection, and keeps the commands it
// receives.
//
// Events read:
//   InvalidateRect (left,top)-(right,bottom) erase E
//   InvalidateRect all erase E          (a null rectangle)
//   Invalidate erase E
//   UpdateWindow
//   GetDC N / ReleaseDC N               (N counts the contexts handed out, from 1)

#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/Wnd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vellum::test {

class CFakeWnd : public CWnd {
public:
    // The client area, which Invalidate and a null rectangle mark as a whole.
    explicit CFakeWnd(CRect client = CRect(0, 0, 640, 480)) : m_client(client) {}

    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) override;
    void Invalidate(BOOL erase = TRUE) override {
        m_events.push_back("Invalidate erase " + std::to_string(erase));
        Mark(m_client);
    }
    void UpdateWindow() override {
        m_events.push_back("UpdateWindow");
        m_pending.SetRectEmpty();
    }
    BOOL GetUpdateRect(RECT* rect, BOOL = FALSE) override {
        if (rect)
            *rect = m_pending;
        return m_pending.IsRectEmpty() ? FALSE : TRUE;
    }
    CDC* GetDC() override;
    int ReleaseDC(CDC* dc) override;
    // Screen coordinates are client coordinates shifted by the screen offset.
    void ClientToScreen(POINT* point) override {
        point->x += m_screenOffset.x;
        point->y += m_screenOffset.y;
    }
    BOOL OnCommand(UINT id, UINT) override {
        m_commands.push_back(id);
        return TRUE;
    }

    const std::vector<std::string>& Events() const { return m_events; }
    // The events that begin with prefix, in order.
    std::vector<std::string> EventsStartingWith(std::string_view prefix) const;
    void ClearEvents() { m_events.clear(); }

    // What is marked for repainting now; empty when nothing is.
    CRect Pending() const { return m_pending; }
    // The contexts handed out so far, in order; each keeps its records.
    std::size_t DcCount() const { return m_dcs.size(); }
    CRecordingDC& Dc(std::size_t index) { return *m_dcs.at(index).dc; }
    // Contexts handed out and not released yet.
    int DcsOutstanding() const {
        return static_cast<int>(std::count_if(m_dcs.begin(), m_dcs.end(),
                                              [](const HandedOut& dc) { return !dc.released; }));
    }

    void SetScreenOffset(POINT offset) { m_screenOffset = offset; }
    const std::vector<UINT>& Commands() const { return m_commands; }

private:
    struct HandedOut {
        std::unique_ptr<CRecordingDC> dc;
        bool released = false;
    };

    void Mark(const CRect& area);

    CRect m_client;
    CRect m_pending;
    std::vector<std::string> m_events;
    std::vector<HandedOut> m_dcs;
    POINT m_screenOffset{0, 0};
    std::vector<UINT> m_commands;
};

} // namespace vellum::test
