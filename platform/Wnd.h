#pragma once
// CWnd: a window as the library sees it. Hosts subclass it for their views; dialogs, property
// sheets and control wrappers derive from it. Every operation does nothing by default: a
// window has nothing to repaint and no drawing context until its host says otherwise.

#include <vellum/platform/Object.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CDC;

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
    // The smallest rectangle around what is marked for repainting (client coordinates; may be
    // null), and TRUE when something is; FALSE and an empty rectangle when nothing is. erase
    // asks for the background to be erased first.
    virtual BOOL GetUpdateRect(RECT* rect, BOOL erase = FALSE);
    // A drawing context on the client area in device coordinates, to be handed back with
    // ReleaseDC; null when the window cannot draw.
    virtual CDC* GetDC();
    // 1 when dc was handed out by GetDC and is now released, else 0.
    virtual int ReleaseDC(CDC* dc);
    virtual void ClientToScreen(POINT* point);
    // A command for this window: the chosen entry of a popup menu (code 0) or a control's
    // notification code. TRUE when the window handled it.
    virtual BOOL OnCommand(UINT id, UINT code);
};

} // namespace vellum
