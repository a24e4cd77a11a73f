#pragma once
// The viewer's UI host: every dialog and property sheet of the library rendered from its
// template as Qt widgets (DialogPage), Qt's own colour and font choosers, message boxes and
// popup menus, and Qt cursors on the image view.

#include <vellum/platform/UiHost.h>

#include <QPointer>
#include <QWidget>

namespace vellum::viewer {

class QtUiHost : public CUiHost {
public:
    // Dialogs are centred on the owner window; cursors are set on the cursor widget.
    void SetOwnerWidget(QWidget* owner) { m_owner = owner; }
    void SetCursorWidget(QWidget* widget) { m_cursorWidget = widget; }

    void RunModalDialog(CDialog& dialog) override;
    void RunPropertySheet(CPropertySheet& sheet) override;
    BOOL ChooseColor(CHOOSECOLOR& choice) override;
    BOOL ChooseFont(CHOOSEFONT& choice) override;
    int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) override;
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) override;
    void SetCursor(UINT cursorId) override;

private:
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_cursorWidget;
};

} // namespace vellum::viewer
