#include <vellum/platform/Menu.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vellum::test {
namespace {

// A control as "Kind id text", without the id of a static control or an empty text.
std::string Describe(const CControlTemplate& control) {
    static const char* const kKinds[] = {"Label",    "GroupBox",    "PushButton",
                                         "CheckBox", "RadioButton", "Edit",
                                         "UpDown",   "ListBox",     "CheckListBox"};
    std::string text = kKinds[static_cast<int>(control.kind)];
    if (control.id != IDC_STATIC)
        text += " " + std::to_string(control.id);
    if (*control.text)
        text += std::string(" ") + control.text;
    return text;
}

using Controls = std::vector<std::string>;

const struct {
    UINT id;
    const char* caption;
    Controls controls;
} kDialogs[] = {
    {102,
     "Profilo di Densit\xE0",
     {"GroupBox Scala", "Label Min:", "Edit 24276", "Label Max:", "Edit 24277"}},
    {24003,
     "Colori",
     {"PushButton 24252 Seleziona Colori...", "CheckBox 24254 Imposta come default"}},
    {24006,
     "Calibrazione",
     {"Label Direzione:", "Label 24271 -", "Label Valore corrente:", "Label 24250 -",
      "Label Valore attuale:", "Edit 24253", "PushButton 24270 Direzione...", "PushButton 1 OK",
      "PushButton 2 Annulla"}},
    {24007,
     "Definizione Simbolo",
     {"Label Nome:", "Edit 24262", "Label Info:", "Edit 24269", "Label Altezza (mm):", "Edit 24263",
      "Label Larghezza (mm):", "Edit 24264", "PushButton 1 OK", "PushButton 2 Annulla"}},
    {24008,
     "Selezione Simbolo",
     {"Label Gruppi di Simboli:", "ListBox 24255", "Label Simboli:", "ListBox 24256",
      "PushButton 1 OK", "PushButton 2 Annulla", "PushButton 24278 Opzioni..."}},
    {24009, "Font", {"PushButton 24257 Seleziona Font...", "CheckBox 24258 Imposta come default"}},
    {24010,
     "Linea",
     {"Label Larghezza linea:", "Edit 24259", "UpDown 24260 Spin2",
      "CheckBox 24261 Imposta come default"}},
    {24011,
     "Generale",
     {"Label Simbolo:", "Label 24266 -", "Label Info:", "Label 24267 -",
      "CheckBox 24265 Congela simbolo"}},
    {24012,
     "Avanzato",
     {"GroupBox Calibrazione", "RadioButton 24274 &Orizzontale e verticale",
      "RadioButton 24272 &Solo orizzontale", "RadioButton 24273 Solo &verticale", "PushButton 1 OK",
      "PushButton 2 Annulla"}},
    {24016, "Testo", {"Edit 24275"}},
    {24017,
     "Opzioni Simboli",
     {"Label Selezione Gruppo Simboli:", "CheckListBox 24279",
      "Label Selezione Simboli:", "CheckListBox 24280", "PushButton 1 OK", "PushButton 2 Annulla"}},
};

const CStringResource kStrings[] = {
    {24000, "Propiet\xE0"},
    {24001, "Colore"},
    {24002, "Pixels"},
    {24003, "Immagine non calibrata!"},
    {24004, "Taglia immagine"},
    {24013, "Solo calibrazione orizzontale"},
    {24014, "Solo calibrazione verticale"},
    {24015, "Calibrazione orizzontale e verticale"},
    {24016, "Simbolo errato file libreria!"},
};

TEST(LibraryResources, EveryDialogTemplateHasExactlyItsControls) {
    const CResourceTable& resources = LibraryResources();
    EXPECT_EQ(resources.dialogs.size(), std::size(kDialogs));
    for (const auto& expected : kDialogs) {
        SCOPED_TRACE(expected.id);
        const CDialogTemplate* dialog = resources.FindDialog(expected.id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_STREQ(dialog->caption, expected.caption);
        Controls controls;
        for (const CControlTemplate& control : dialog->controls)
            controls.push_back(Describe(control));
        EXPECT_EQ(controls, expected.controls);
    }
}

TEST(LibraryResources, ControlsHaveTheBehaviourTheirDialogsNeed) {
    const CResourceTable& resources = LibraryResources();
    const auto style = [&](UINT dialog, int control) {
        return resources.FindDialog(dialog)->FindControl(control)->style;
    };
    const DWORD sortedList = LBS_SORT | LBS_NOTIFY;
    EXPECT_EQ(style(IDD_SYMBOL_SELECTION, IDC_GROUP_LIST) & sortedList, sortedList);
    EXPECT_EQ(style(IDD_SYMBOL_SELECTION, IDC_SYMBOL_LIST) & sortedList, sortedList);
    const DWORD checkList = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY;
    EXPECT_EQ(style(IDD_SYMBOL_OPTIONS, IDC_GROUP_CHECK_LIST) & checkList, checkList);
    EXPECT_EQ(style(IDD_SYMBOL_OPTIONS, IDC_SYMBOL_CHECK_LIST) & (checkList | LBS_SORT), checkList);
    const DWORD multiLine = ES_MULTILINE | ES_WANTRETURN;
    EXPECT_EQ(style(IDD_TEXT_PP, IDC_TEXT) & multiLine, multiLine);
    EXPECT_EQ(style(IDD_LINE_PP, IDC_LINE_SPIN) & (UDS_AUTOBUDDY | UDS_SETBUDDYINT),
              UDS_AUTOBUDDY | UDS_SETBUDDYINT);
    EXPECT_TRUE(style(IDD_ADVANCED_CALIBRATION, IDC_BOTH_AXES) & WS_GROUP);
    EXPECT_FALSE(style(IDD_ADVANCED_CALIBRATION, IDC_HORIZONTAL_ONLY) & WS_GROUP);
    EXPECT_TRUE(style(IDD_ADVANCED_CALIBRATION, IDOK) & WS_GROUP); // ends the radio group
    for (UINT dialog : {IDD_CALIBRATION, IDD_SYMBOL_DEFINITION, IDD_SYMBOL_SELECTION,
                        IDD_ADVANCED_CALIBRATION, IDD_SYMBOL_OPTIONS})
        EXPECT_TRUE(style(dialog, IDOK) & BS_DEFPUSHBUTTON) << dialog;
}

TEST(LibraryResources, TheStringTableHoldsExactlyTheLibrarysStrings) {
    AddLibraryResources();
    EXPECT_EQ(LibraryResources().strings.size(), std::size(kStrings));
    for (const CStringResource& expected : kStrings) {
        CString text;
        ASSERT_TRUE(text.LoadString(expected.id)) << expected.id;
        EXPECT_EQ(text, expected.text);
    }
    CString untouched("kept");
    EXPECT_FALSE(untouched.LoadString(24005));
    EXPECT_EQ(untouched, "kept");
}

TEST(LibraryResources, BothMenusHoldOneSubmenuWithTheirOneCommand) {
    AddLibraryResources();
    CMenu named;
    CMenu numbered;
    ASSERT_TRUE(named.LoadMenu("GRAPHIC_ITEM_MENU"));
    ASSERT_TRUE(numbered.LoadMenu(24017u));
    for (auto [menu, text, command] :
         {std::tuple(&named, "Properties", 49500u), std::tuple(&numbered, "Cropping", 49501u)}) {
        ASSERT_EQ(menu->GetMenuItemCount(), 1u);
        const CMenu* popup = menu->GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(popup->GetMenuItemCount(), 1u);
        CString shown;
        popup->GetMenuString(0, shown, MF_BYPOSITION);
        EXPECT_EQ(shown, text);
        EXPECT_EQ(popup->GetMenuItemID(0), command);
    }
    EXPECT_EQ(LibraryResources().menus.size(), 2u);
}

} // namespace
} // namespace vellum::test
