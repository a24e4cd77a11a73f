#pragma once
// CWnd: a window as the library sees it. Hosts subclass it for their views; dialogs, property
// sheets and control wrappers derive from it. Every operation does nothing by default.

#include <vellum/platform/Object.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CWnd : public CObject {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    ~CWnd() override = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Marks rect (client coordinates; null for the whole client area) for repainting.
    virtual void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    virtual void Invalidate(BOOL erase = TRUE);
    // Repaints what is marked, at once.
    virtual void UpdateWindow();
    virtual void ClientToScreen(POINT* point);
    // A command for this window: the chosen entry of a popup menu (code 0) or a control's
    // notification code. TRUE when the window handled it.
    virtual BOOL OnCommand(UINT id, UINT code);
};

} // namespace vellum
