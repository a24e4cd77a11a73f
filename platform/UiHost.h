#pragma once
// The UI host: the one installable service through which the library shows anything modal
// or changes the pointer: dialogs and property sheets, the colour and font choosers, message
// boxes, popup menus and cursors. A desktop toolkit installs a host that renders these as real
// widgets; without one the headless host stands in (HeadlessUiHost.h); tests install a
// scripted host that acts as the user.

#include <vellum/platform/DialogTemplate.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CDialog;
class CMenu;
class CPropertySheet;
class CWnd;
struct CHOOSECOLOR;
struct CHOOSEFONT;

// Message box types: buttons (low four bits), icon (next four bits).
constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_RETRYCANCEL = 0x05;
constexpr UINT MB_TYPEMASK = 0x0F;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;

// Message box answers beside IDOK and IDCANCEL.
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The system's cursor shapes.
constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_SIZENWSE = 32642;
constexpr UINT IDC_SIZENESW = 32643;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;

class CUiHost {
public:
    virtual ~CUiHost() = default;

    // Shows an open dialog and delivers the user's input to it (CDialog's TypeText,
    // ClickButton, MoveSpin, PressOK, PressCancel) until it ends. Returning while it is still
    // open closes it as Cancel does.
    virtual void RunModalDialog(CDialog& dialog) = 0;
    // The same for an open property sheet: tabs, the active page's controls, OK and Cancel.
    virtual void RunPropertySheet(CPropertySheet& sheet) = 0;
    // The colour chooser: starts from choice.rgbResult; TRUE with the chosen colour in
    // choice.rgbResult, FALSE when the user cancelled.
    virtual BOOL ChooseColor(CHOOSECOLOR& choice) = 0;
    // The font chooser: starts from *choice.lpLogFont; TRUE with the chosen font written
    // back into the choice, FALSE when the user cancelled.
    virtual BOOL ChooseFont(CHOOSEFONT& choice) = 0;
    // A message box of type MB_...; a null caption stands for the application's title.
    // Answers IDOK, IDCANCEL, IDYES, ...
    virtual int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) = 0;
    // Shows a popup menu at a screen point; the command of the chosen entry, or 0.
    virtual UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) = 0;
    // Sets the pointer to one of the system's cursors (IDC_...).
    virtual void SetCursor(UINT cursorId) = 0;
};

// The installed host; the headless host until another is installed.
CUiHost& AfxGetUiHost();
// Installs host (null: the headless host again) and returns the host it replaces.
CUiHost* AfxSetUiHost(CUiHost* host);

// Installs a host for the life of the scope and then puts the previous one back.
class CUiHostScope {
public:
    explicit CUiHostScope(CUiHost& host) : m_previous(AfxSetUiHost(&host)) {}
    ~CUiHostScope() { AfxSetUiHost(m_previous); }
    CUiHostScope(const CUiHostScope&) = delete;
    CUiHostScope& operator=(const CUiHostScope&) = delete;

private:
    CUiHost* m_previous;
};

// A message box with the application's title, owned by the active window.
int AfxMessageBox(const char* text, UINT type = MB_OK);
// The same with a string of the resources; 0 when there is no such string.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

} // namespace vellum
