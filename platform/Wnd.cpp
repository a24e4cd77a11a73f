#include <vellum/platform/Wnd.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CWnd, CObject)

void CWnd::InvalidateRect(const RECT*, BOOL) {}

void CWnd::Invalidate(BOOL) {}

void CWnd::UpdateWindow() {}

BOOL CWnd::GetUpdateRect(RECT* rect, BOOL) {
    if (rect)
        *rect = RECT{0, 0, 0, 0};
    return FALSE;
}

CDC* CWnd::GetDC() {
    return nullptr;
}

int CWnd::ReleaseDC(CDC*) {
    return 0;
}

void CWnd::ClientToScreen(POINT*) {}

BOOL CWnd::OnCommand(UINT, UINT) {
    return FALSE;
}

} // namespace vellum
