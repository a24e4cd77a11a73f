#pragma once
// A UI host for tests that acts as the user: each dialog or property sheet the library runs
// is handed to the next script, which types, clicks and presses buttons through
// CScriptedUser exactly as a user would; choosers, message boxes and menus take queued
// answers. Whatever has no script or answer left is cancelled, and message boxes get the
// negative answer, as the headless host does.
// Install it with CUiHostScope.

#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/String.h>
#include <vellum/platform/UiHost.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace vellum::test {

// The user of one open dialog or sheet. Every input must reach its control: input that the
// dialog does not take (a missing, disabled or read-only control) fails the test.
class CScriptedUser {
public:
    explicit CScriptedUser(CDialog& dialog) : m_dialog(&dialog) {}
    explicit CScriptedUser(CPropertySheet& sheet) : m_sheet(&sheet) {}

    // The dialog, or the page the sheet shows.
    CDialog& Dialog() const { return m_sheet ? *m_sheet->GetActivePage() : *m_dialog; }
    CPropertySheet& Sheet() const {
        EXPECT_NE(m_sheet, nullptr) << "a dialog, not a property sheet";
        return *m_sheet;
    }
    bool IsOpen() const { return m_sheet ? m_sheet->IsOpen() : m_dialog->IsOpen(); }

    // Clicks a tab; false when the page shown refused to be left.
    bool Tab(int index) { return Sheet().SetActivePage(index); }
    void Type(int id, const char* text) {
        EXPECT_TRUE(Dialog().TypeText(id, text)) << "control " << id << " takes no text";
    }
    // Clicks the check box when its state is not the one wanted.
    void Check(int id, bool checked = true) {
        if ((Checked(id) == BST_CHECKED) != checked)
            Click(id);
    }
    void Click(int id) {
        EXPECT_TRUE(Dialog().ClickButton(id)) << "control " << id << " cannot be clicked";
    }
    void Spin(int id, int delta) {
        EXPECT_TRUE(Dialog().MoveSpin(id, delta)) << "control " << id << " is no spin control";
    }
    void OK() { m_sheet ? m_sheet->PressOK() : m_dialog->PressOK(); }
    void Cancel() { m_sheet ? m_sheet->PressCancel() : m_dialog->PressCancel(); }

    CString Text(int id) const {
        CString text;
        Dialog().GetDlgItemText(id, text);
        return text;
    }
    int Checked(int id) const { return static_cast<int>(Dialog().IsDlgButtonChecked(id)); }

private:
    CDialog* m_dialog = nullptr;
    CPropertySheet* m_sheet = nullptr;
};

class CScriptedUiHost : public CUiHost {
public:
    using Script = std::function<void(CScriptedUser&)>;

    struct Message {
        CWnd* owner;
        CString text;
        CString caption;
        UINT type;
    };
    struct MenuShown {
        std::vector<CString> texts;
        std::vector<UINT> commands;
        UINT flags;
        POINT point;
        CWnd* owner;
    };
    struct FontAnswer {
        LOGFONT font;
        int pointSize;
        COLORREF colour;
    };

    // The script for the next dialog or sheet the library runs.
    void AddScript(Script script) { m_scripts.push_back(std::move(script)); }
    // The next colour or font chooser picks this answer.
    void AnswerColor(COLORREF colour) { m_colours.push_back(colour); }
    void AnswerFont(const FontAnswer& answer) { m_fonts.push_back(answer); }
    // The command that the user picks from the next popup menu (0: none).
    void AnswerMenu(UINT command) { m_menuAnswers.push_back(command); }

    int DialogsRun() const { return m_dialogsRun; }
    std::size_t ScriptsLeft() const { return m_scripts.size(); }
    const std::vector<CHOOSECOLOR>& ColorRequests() const { return m_colorRequests; }
    const std::vector<CHOOSEFONT>& FontRequests() const { return m_fontRequests; }
    // The font each font chooser started from.
    const std::vector<LOGFONT>& FontsShown() const { return m_fontsShown; }
    const std::vector<Message>& Messages() const { return m_messages; }
    const std::vector<MenuShown>& Menus() const { return m_menus; }
    const std::vector<UINT>& Cursors() const { return m_cursors; }

    void RunModalDialog(CDialog& dialog) override { Run(dialog); }
    void RunPropertySheet(CPropertySheet& sheet) override { Run(sheet); }
    BOOL ChooseColor(CHOOSECOLOR& choice) override;
    BOOL ChooseFont(CHOOSEFONT& choice) override;
    int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) override {
        m_messages.push_back({owner, CString(text), CString(caption), type});
        return CHeadlessUiHost::NegativeAnswer(type);
    }
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) override;
    void SetCursor(UINT cursorId) override { m_cursors.push_back(cursorId); }

private:
    template <class Window> void Run(Window& window) {
        ++m_dialogsRun;
        if (m_scripts.empty()) {
            window.PressCancel();
            return;
        }
        const Script script = std::move(m_scripts.front());
        m_scripts.pop_front();
        CScriptedUser user(window);
        script(user);
    }

    std::deque<Script> m_scripts;
    std::deque<COLORREF> m_colours;
    std::deque<FontAnswer> m_fonts;
    std::deque<UINT> m_menuAnswers;
    int m_dialogsRun = 0;
    std::vector<CHOOSECOLOR> m_colorRequests;
    std::vector<CHOOSEFONT> m_fontRequests;
    std::vector<LOGFONT> m_fontsShown;
    std::vector<Message> m_messages;
    std::vector<MenuShown> m_menus;
    std::vector<UINT> m_cursors;
};

} // namespace vellum::test
