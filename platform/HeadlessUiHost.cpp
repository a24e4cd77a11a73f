#include <vellum/platform/HeadlessUiHost.h>

#include <vellum/platform/Dialog.h>
#include <vellum/platform/PropertySheet.h>

namespace vellum {

void CHeadlessUiHost::RunModalDialog(CDialog& dialog) {
    dialog.PressCancel();
}

void CHeadlessUiHost::RunPropertySheet(CPropertySheet& sheet) {
    sheet.PressCancel();
}

BOOL CHeadlessUiHost::ChooseColor(CHOOSECOLOR&) {
    return FALSE;
}

BOOL CHeadlessUiHost::ChooseFont(CHOOSEFONT&) {
    return FALSE;
}

int CHeadlessUiHost::MessageBox(CWnd*, const char* text, const char* caption, UINT type) {
    m_messages.push_back({CString(text), CString(caption), type});
    return NegativeAnswer(type);
}

UINT CHeadlessUiHost::TrackPopupMenu(const CMenu&, UINT, POINT, CWnd*) {
    return 0;
}

void CHeadlessUiHost::SetCursor(UINT) {}

int CHeadlessUiHost::NegativeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

} // namespace vellum
