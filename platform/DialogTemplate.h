#pragma once
// Dialog templates: the controls of a dialog or property page as the resources describe
// them, in tab order, with positions in dialog units (a quarter of the dialog font's average
// character width across, an eighth of its height down). A toolkit renders any template from
// this data alone; the kinds and style bits are all it needs to pick and configure widgets.

#include <vellum/platform/Types.h>

#include <span>

namespace vellum {

// Identifiers of the standard buttons, and of controls that no code refers to.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_STATIC = -1;

enum class ControlKind {
    Label,        // static text; with an identifier it is text that code changes
    GroupBox,     // a frame with a title around the controls that follow it
    PushButton,   // BS_DEFPUSHBUTTON marks the button that Enter presses
    CheckBox,     // toggles its check on every click
    RadioButton,  // checks itself and clears the other radio buttons of its group
    Edit,         // text typed by the user
    UpDown,       // the arrows of a spin control, beside its buddy
    ListBox,      // a list of strings, one selected
    CheckListBox, // a list box with a check box on every line
};

// Style bits, with the framework's values. Controls take only the bits of their kind, and
// WS_GROUP / WS_TABSTOP.
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000; // starts a group: radio buttons, arrow-key navigation
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000; // Enter starts a new line instead of pressing OK
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD UDS_SETBUDDYINT = 0x0002; // the buddy shows the position as a number
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_AUTOBUDDY = 0x0010; // the buddy is the control before it
constexpr DWORD UDS_ARROWKEYS = 0x0020;

struct CControlTemplate {
    ControlKind kind;
    int id;           // IDC_STATIC when no code refers to the control
    const char* text; // the caption, Windows-1252; empty for edits and lists
    short x;
    short y;
    short cx;
    short cy;
    DWORD style;
};

struct CDialogTemplate {
    UINT id;
    const char* caption; // Windows-1252
    short cx;
    short cy;
    std::span<const CControlTemplate> controls;

    // The first control with this identifier, or null.
    const CControlTemplate* FindControl(int controlId) const {
        for (const CControlTemplate& control : controls)
            if (control.id == controlId)
                return &control;
        return nullptr;
    }
};

} // namespace vellum
