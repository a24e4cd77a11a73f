#pragma once
// The UI host of a process without a user interface: every dialog, sheet and chooser is
// cancelled, message boxes are recorded and answered with their negative button, no menu
// entry is chosen and cursors are ignored.

#include <vellum/platform/String.h>
#include <vellum/platform/UiHost.h>

#include <vector>

namespace vellum {

class CHeadlessUiHost : public CUiHost {
public:
    struct Message {
        CString text;
        CString caption; // empty when the application's title was meant
        UINT type;
    };

    void RunModalDialog(CDialog& dialog) override;
    void RunPropertySheet(CPropertySheet& sheet) override;
    BOOL ChooseColor(CHOOSECOLOR& choice) override;
    BOOL ChooseFont(CHOOSEFONT& choice) override;
    int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) override;
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) override;
    void SetCursor(UINT cursorId) override;

    const std::vector<Message>& GetMessages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }

    // The answer of a user who declines: OK when it is the only button, else Cancel, No or
    // Abort.
    static int NegativeAnswer(UINT type);

private:
    std::vector<Message> m_messages;
};

} // namespace vellum
