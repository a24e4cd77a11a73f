#include <vellum/platform/FontDialog.h>

#include <vellum/platform/UiHost.h>

namespace vellum {

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CDC*, CWnd* parent)
    : m_cf{parent, &m_lf, 0, flags, 0} {
    if (initial) {
        m_lf = *initial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

INT_PTR CFontDialog::DoModal() {
    return AfxGetUiHost().ChooseFont(m_cf) ? IDOK : IDCANCEL;
}

} // namespace vellum
