#include <vellum/platform/Wnd.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CWnd, CObject)

void CWnd::InvalidateRect(const RECT*, BOOL) {}

void CWnd::Invalidate(BOOL) {}

void CWnd::UpdateWindow() {}

void CWnd::ClientToScreen(POINT*) {}

BOOL CWnd::OnCommand(UINT, UINT) {
    return FALSE;
}

} // namespace vellum
