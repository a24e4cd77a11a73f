#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/platform/File.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/SymbolOptionsDlg.h>
#include <vellum/ui/SymbolSelectionDlg.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Names = std::vector<std::string>;

constexpr int kGroupList = 24255;
constexpr int kSymbolList = 24256;
constexpr int kOptions = 24278;
constexpr int kGroupChecks = 24279;
constexpr int kSymbolChecks = 24280;

Names Lines(CDialog& dialog, int id) {
    Names lines;
    CDialogItem* list = dialog.GetDlgItem(id);
    CString text;
    for (int i = 0; i < list->GetCount(); ++i) {
        list->GetLineText(i, text);
        lines.push_back(text.GetString());
    }
    return lines;
}

std::vector<int> Checks(CDialog& dialog, int id) {
    std::vector<int> checks;
    CDialogItem* list = dialog.GetDlgItem(id);
    for (int i = 0; i < list->GetCount(); ++i)
        checks.push_back(list->GetLineCheck(i));
    return checks;
}

// A library of "Frecce" (Su, Giu) and "Croci" (X), in a folder of the test's own for the
// state files.
class SymbolDialogs : public ::testing::Test {
protected:
    SymbolDialogs() : m_previous(std::filesystem::current_path()) {
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   ("vellum-dialogs-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(m_folder);
        std::filesystem::current_path(m_folder);
        AddLibraryResources();
        library.AddSymbolGroup("Frecce");
        library.AddSymbolGroup("Croci");
        const char* const symbols[][2] = {{"Frecce", "Su"}, {"Frecce", "Giu"}, {"Croci", "X"}};
        for (const auto& [group, name] : symbols) {
            auto* symbol = new CGraphicSymbol;
            symbol->SetName(name);
            library.AddSymbolToGroup(group, symbol);
        }
    }
    ~SymbolDialogs() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_folder);
    }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CGraphicItemList library;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

TEST_F(SymbolDialogs, TheSelectionListsSortedGroupsAndTheSymbolsOfTheChosenOne) {
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(Lines(user.Dialog(), kGroupList), (Names{"Croci", "Frecce"}));
        EXPECT_TRUE(Lines(user.Dialog(), kSymbolList).empty());
        user.Dialog().SelectListItem(kGroupList, 1);
        EXPECT_EQ(Lines(user.Dialog(), kSymbolList), (Names{"Giu", "Su"}));
        user.Dialog().SelectListItem(kSymbolList, 1);
        user.OK();
    });
    std::unique_ptr<CGraphicSymbol> chosen(library.SelectSymbol());
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen->GetName(), "Su");
}

TEST_F(SymbolDialogs, OptionsHideAGroupWhoseSymbolsAreAllUncheckedAndCancelRestores) {
    library.DisableSymbolGroup("Croci"); // hidden when the options open
    host.AddScript([&](CScriptedUser& user) {
        EXPECT_EQ(Lines(user.Dialog(), kGroupList), (Names{"Frecce"}));
        user.Dialog().SelectListItem(kGroupList, 0);
        user.Click(kOptions); // runs the options dialog, with Frecce as its first group
        // Back from the options, which hid Frecce: only the shown groups are listed.
        EXPECT_EQ(Lines(user.Dialog(), kGroupList), (Names{"Croci"}));
        user.Cancel();
    });
    host.AddScript([&](CScriptedUser& user) {
        CDialog& options = user.Dialog();
        EXPECT_EQ(Lines(options, kGroupChecks), (Names{"Croci", "Frecce"}));
        EXPECT_EQ(Checks(options, kGroupChecks), (std::vector<int>{0, 1}));
        EXPECT_EQ(Lines(options, kSymbolChecks), (Names{"Su", "Giu"})); // Frecce selected
        options.DoubleClickListItem(kSymbolChecks, 0);                  // unchecks Su
        EXPECT_TRUE(library.IsSymbolDisabled("Frecce_Su"));
        EXPECT_FALSE(library.IsSymbolGroupDisabled("Frecce"));
        options.DoubleClickListItem(kSymbolChecks, 1); // unchecks Giu: the group goes too
        EXPECT_EQ(Checks(options, kGroupChecks), (std::vector<int>{0, 0}));
        EXPECT_TRUE(library.IsSymbolGroupDisabled("Frecce"));
        options.DoubleClickListItem(kGroupChecks, 0); // shows Croci
        EXPECT_FALSE(library.IsSymbolGroupDisabled("Croci"));
        user.OK();
    });
    EXPECT_EQ(library.SelectSymbol(), nullptr);
    EXPECT_EQ(host.DialogsRun(), 2);
}

TEST_F(SymbolDialogs, CancelHidesAgainWhatWasHiddenAndKeepsWhatWasHiddenSince) {
    library.DisableSymbolGroup("Croci");
    library.DisableSymbol("Frecce_Giu");
    CSymbolOptionsDlg options(&library, "Frecce");
    host.AddScript([&](CScriptedUser& user) {
        CDialog& dialog = user.Dialog();
        EXPECT_EQ(dialog.GetDlgItem(kGroupChecks)->GetCurSel(), 1);
        EXPECT_EQ(Checks(dialog, kSymbolChecks), (std::vector<int>{1, 0}));
        EXPECT_TRUE(std::filesystem::exists("sgrps.tmp"));
        dialog.DoubleClickListItem(kGroupChecks, 0);  // shows Croci
        dialog.SelectListItem(kGroupChecks, 1);       // back to Frecce
        dialog.DoubleClickListItem(kSymbolChecks, 1); // shows Giu
        dialog.DoubleClickListItem(kSymbolChecks, 0); // hides Su
        EXPECT_FALSE(library.IsSymbolGroupDisabled("Croci"));
        user.Cancel();
    });
    EXPECT_EQ(options.DoModal(), IDCANCEL);
    EXPECT_TRUE(library.IsSymbolGroupDisabled("Croci")); // hidden at opening: hidden again
    EXPECT_TRUE(library.IsSymbolDisabled("Frecce_Giu"));
    EXPECT_TRUE(library.IsSymbolDisabled("Frecce_Su")); // hidden since: stays hidden
    EXPECT_FALSE(std::filesystem::exists("sgrps.tmp"));
    EXPECT_FALSE(std::filesystem::exists("smbs.tmp"));
}

TEST_F(SymbolDialogs, OkKeepsEveryChangeAndMissingStateFilesAreSkipped) {
    library.DisableSymbolGroup("Croci");
    CSymbolOptionsDlg options(&library, "");
    host.AddScript([&](CScriptedUser& user) {
        EXPECT_EQ(user.Dialog().GetDlgItem(kGroupChecks)->GetCurSel(), LB_ERR);
        user.Dialog().DoubleClickListItem(kGroupChecks, 0);
        std::filesystem::remove("sgrps.tmp");
        user.OK();
    });
    EXPECT_EQ(options.DoModal(), IDOK);
    EXPECT_FALSE(library.IsSymbolGroupDisabled("Croci"));
    EXPECT_FALSE(std::filesystem::exists("smbs.tmp"));
    CSymbolOptionsDlg again(&library, "Nessuno");
    host.AddScript([&](CScriptedUser& user) {
        std::filesystem::remove("sgrps.tmp");
        std::filesystem::remove("smbs.tmp");
        user.Cancel();
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
}

} // namespace
} // namespace vellum::test
