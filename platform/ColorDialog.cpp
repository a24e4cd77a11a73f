#include <vellum/platform/ColorDialog.h>

#include <vellum/platform/UiHost.h>

namespace vellum {

namespace {
// Kept for the life of the process, as the framework keeps them.
COLORREF g_customColors[16] = {};
} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : m_cc{parent, initial, g_customColors, flags | CC_RGBINIT} {}

INT_PTR CColorDialog::DoModal() {
    return AfxGetUiHost().ChooseColor(m_cc) ? IDOK : IDCANCEL;
}

} // namespace vellum
