#include <vellum/ui/LibraryResources.h>

#include <vellum/platform/ResourceTable.h>
#include <vellum/ui/Resource.h>

namespace vellum {

namespace {

// Texts are Italian, in Windows-1252 ("\xE0" is "à"); positions are in dialog units.

using enum ControlKind;

constexpr DWORD TAB = WS_TABSTOP;
constexpr DWORD EDIT = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD DEFAULT_BUTTON = WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD LIST = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
constexpr DWORD CHECK_LIST = LIST | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;

constexpr CStringResource kStrings[] = {
    {IDS_PROPERTIES, "Propiet\xE0"},
    {IDS_COLOR, "Colore"},
    {IDS_PIXELS, "Pixels"},
    {IDS_NOT_CALIBRATED, "Immagine non calibrata!"},
    {IDS_CROP_IMAGE, "Taglia immagine"},
    {IDS_HORIZONTAL_ONLY, "Solo calibrazione orizzontale"},
    {IDS_VERTICAL_ONLY, "Solo calibrazione verticale"},
    {IDS_BOTH_AXES, "Calibrazione orizzontale e verticale"},
    {IDS_BAD_SYMBOL_LIBRARY, "Simbolo errato file libreria!"},
};

constexpr CControlTemplate kColorPage[] = {
    {PushButton, IDC_SELECT_COLOR, "Seleziona Colori...", 7, 7, 80, 14, TAB},
    {CheckBox, IDC_COLOR_DEFAULT, "Imposta come default", 7, 30, 100, 10, TAB},
};

constexpr CControlTemplate kLinePage[] = {
    {Label, IDC_STATIC, "Larghezza linea:", 7, 10, 60, 8, 0},
    {Edit, IDC_LINE_WIDTH, "", 70, 7, 30, 14, EDIT},
    {UpDown, IDC_LINE_SPIN, "Spin2", 100, 7, 10, 14,
     UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
    {CheckBox, IDC_LINE_DEFAULT, "Imposta come default", 7, 30, 100, 10, TAB},
};

constexpr CControlTemplate kFontPage[] = {
    {PushButton, IDC_SELECT_FONT, "Seleziona Font...", 7, 7, 80, 14, TAB},
    {CheckBox, IDC_FONT_DEFAULT, "Imposta come default", 7, 30, 100, 10, TAB},
};

constexpr CControlTemplate kSymbolPage[] = {
    {Label, IDC_STATIC, "Simbolo:", 7, 7, 40, 8, 0},
    {Label, IDC_SYMBOL_NAME, "-", 50, 7, 129, 8, 0},
    {Label, IDC_STATIC, "Info:", 7, 21, 40, 8, 0},
    {Label, IDC_SYMBOL_INFO, "-", 50, 21, 129, 24, 0},
    {CheckBox, IDC_FREEZE_SYMBOL, "Congela simbolo", 7, 53, 100, 10, TAB},
};

constexpr CControlTemplate kTextPage[] = {
    {Edit, IDC_TEXT, "", 7, 7, 172, 81,
     TAB | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL},
};

constexpr CControlTemplate kDensityProfilePage[] = {
    {GroupBox, IDC_STATIC, "Scala", 7, 7, 100, 56, 0},
    {Label, IDC_STATIC, "Min:", 15, 23, 25, 8, 0},
    {Edit, IDC_SCALE_MIN, "", 45, 20, 50, 14, EDIT},
    {Label, IDC_STATIC, "Max:", 15, 42, 25, 8, 0},
    {Edit, IDC_SCALE_MAX, "", 45, 39, 50, 14, EDIT},
};

constexpr CControlTemplate kCalibration[] = {
    {Label, IDC_STATIC, "Direzione:", 7, 9, 60, 8, 0},
    {Label, IDC_DIRECTION, "-", 70, 9, 129, 8, 0},
    {Label, IDC_STATIC, "Valore corrente:", 7, 25, 60, 8, 0},
    {Label, IDC_CURRENT_VALUE, "-", 70, 25, 129, 8, 0},
    {Label, IDC_STATIC, "Valore attuale:", 7, 42, 60, 8, 0},
    {Edit, IDC_ACTUAL_VALUE, "", 70, 39, 80, 14, EDIT},
    {PushButton, IDC_DIRECTION_BUTTON, "Direzione...", 7, 67, 60, 14, TAB},
    {PushButton, IDOK, "OK", 95, 67, 50, 14, DEFAULT_BUTTON},
    {PushButton, IDCANCEL, "Annulla", 149, 67, 50, 14, TAB},
};

constexpr CControlTemplate kAdvancedCalibration[] = {
    {GroupBox, IDC_STATIC, "Calibrazione", 7, 7, 128, 58, 0},
    {RadioButton, IDC_BOTH_AXES, "&Orizzontale e verticale", 15, 20, 112, 10, WS_GROUP | TAB},
    {RadioButton, IDC_HORIZONTAL_ONLY, "&Solo orizzontale", 15, 34, 112, 10, 0},
    {RadioButton, IDC_VERTICAL_ONLY, "Solo &verticale", 15, 48, 112, 10, 0},
    {PushButton, IDOK, "OK", 143, 7, 50, 14, WS_GROUP | DEFAULT_BUTTON},
    {PushButton, IDCANCEL, "Annulla", 143, 24, 50, 14, TAB},
};

constexpr CControlTemplate kSymbolSelection[] = {
    {Label, IDC_STATIC, "Gruppi di Simboli:", 7, 7, 90, 8, 0},
    {ListBox, IDC_GROUP_LIST, "", 7, 17, 90, 106, LIST | LBS_SORT},
    {Label, IDC_STATIC, "Simboli:", 104, 7, 90, 8, 0},
    {ListBox, IDC_SYMBOL_LIST, "", 104, 17, 90, 106, LIST | LBS_SORT},
    {PushButton, IDOK, "OK", 201, 7, 50, 14, DEFAULT_BUTTON},
    {PushButton, IDCANCEL, "Annulla", 201, 24, 50, 14, TAB},
    {PushButton, IDC_SYMBOL_OPTIONS, "Opzioni...", 201, 109, 50, 14, TAB},
};

constexpr CControlTemplate kSymbolOptions[] = {
    {Label, IDC_STATIC, "Selezione Gruppo Simboli:", 7, 7, 90, 8, 0},
    {CheckListBox, IDC_GROUP_CHECK_LIST, "", 7, 17, 90, 106, CHECK_LIST},
    {Label, IDC_STATIC, "Selezione Simboli:", 104, 7, 90, 8, 0},
    {CheckListBox, IDC_SYMBOL_CHECK_LIST, "", 104, 17, 90, 106, CHECK_LIST},
    {PushButton, IDOK, "OK", 201, 7, 50, 14, DEFAULT_BUTTON},
    {PushButton, IDCANCEL, "Annulla", 201, 24, 50, 14, TAB},
};

constexpr CControlTemplate kSymbolDefinition[] = {
    {Label, IDC_STATIC, "Nome:", 7, 9, 60, 8, 0},
    {Edit, IDC_SYMBOL_DEF_NAME, "", 70, 7, 123, 14, EDIT},
    {Label, IDC_STATIC, "Info:", 7, 27, 60, 8, 0},
    {Edit, IDC_SYMBOL_DEF_INFO, "", 70, 25, 123, 14, EDIT},
    {Label, IDC_STATIC, "Altezza (mm):", 7, 45, 60, 8, 0},
    {Edit, IDC_SYMBOL_DEF_HEIGHT, "", 70, 43, 50, 14, EDIT},
    {Label, IDC_STATIC, "Larghezza (mm):", 7, 63, 60, 8, 0},
    {Edit, IDC_SYMBOL_DEF_WIDTH, "", 70, 61, 50, 14, EDIT},
    {PushButton, IDOK, "OK", 89, 80, 50, 14, DEFAULT_BUTTON},
    {PushButton, IDCANCEL, "Annulla", 143, 80, 50, 14, TAB},
};

constexpr CDialogTemplate kDialogs[] = {
    {IDD_DENSITY_PROFILE_PP, "Profilo di Densit\xE0", 186, 70, kDensityProfilePage},
    {IDD_COLOR_PP, "Colori", 186, 50, kColorPage},
    {IDD_CALIBRATION, "Calibrazione", 206, 88, kCalibration},
    {IDD_SYMBOL_DEFINITION, "Definizione Simbolo", 200, 101, kSymbolDefinition},
    {IDD_SYMBOL_SELECTION, "Selezione Simbolo", 258, 130, kSymbolSelection},
    {IDD_FONT_PP, "Font", 186, 50, kFontPage},
    {IDD_LINE_PP, "Linea", 186, 50, kLinePage},
    {IDD_SYMBOL_PP, "Generale", 186, 70, kSymbolPage},
    {IDD_ADVANCED_CALIBRATION, "Avanzato", 200, 72, kAdvancedCalibration},
    {IDD_TEXT_PP, "Testo", 186, 95, kTextPage},
    {IDD_SYMBOL_OPTIONS, "Opzioni Simboli", 258, 130, kSymbolOptions},
};

// The entries are submenus whose caption is never shown: hosts track the submenu.
constexpr CMenuItemTemplate kGraphicItemEntries[] = {{"Properties", ID_PROPERTIES, {}}};
constexpr CMenuItemTemplate kGraphicItemMenu[] = {{"", 0, kGraphicItemEntries}};
constexpr CMenuItemTemplate kCroppingEntries[] = {{"Cropping", ID_CROPPING, {}}};
constexpr CMenuItemTemplate kCroppingMenu[] = {{"", 0, kCroppingEntries}};

constexpr CMenuTemplate kMenus[] = {
    {IDR_GRAPHIC_ITEM_MENU, 0, kGraphicItemMenu},
    {nullptr, IDR_CROPPING_MENU, kCroppingMenu},
};

constexpr CResourceTable kResources{kStrings, kDialogs, kMenus};

} // namespace

const CResourceTable& LibraryResources() {
    return kResources;
}

void AddLibraryResources() {
    AfxAddResourceTable(&kResources);
}

} // namespace vellum
