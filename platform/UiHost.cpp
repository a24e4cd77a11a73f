#include <vellum/platform/UiHost.h>

#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/String.h>

namespace vellum {

namespace {
CHeadlessUiHost& HeadlessHost() {
    static CHeadlessUiHost host;
    return host;
}

CUiHost* g_installedHost = nullptr;
} // namespace

CUiHost& AfxGetUiHost() {
    return g_installedHost ? *g_installedHost : HeadlessHost();
}

CUiHost* AfxSetUiHost(CUiHost* host) {
    CUiHost* previous = &AfxGetUiHost();
    g_installedHost = host;
    return previous;
}

int AfxMessageBox(const char* text, UINT type) {
    return AfxGetUiHost().MessageBox(nullptr, text, nullptr, type);
}

int AfxMessageBox(UINT stringId, UINT type) {
    CString text;
    if (!text.LoadString(stringId))
        return 0;
    return AfxMessageBox(text, type);
}

} // namespace vellum
