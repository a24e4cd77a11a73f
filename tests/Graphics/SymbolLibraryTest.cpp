#include "Graphics/GraphicsTesting.h"
#include "support/Files.h"

#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/platform/File.h>
#include <vellum/platform/ListBox.h>
#include <vellum/platform/UserSettings.h>

#include <filesystem>

namespace vellum::test {
namespace {

using Names = std::vector<std::string>;

CGraphicSymbol* NewSymbol(const char* name) {
    auto* symbol = new CGraphicSymbol;
    symbol->AddItem(NewLine(CVector(0, 0), CVector(10, 5)));
    symbol->Normalize();
    symbol->SetName(name);
    return symbol;
}

Names ListLines(const CListBox& lb) {
    Names lines;
    CString text;
    for (int i = 0; i < lb.GetCount(); ++i) {
        lb.GetText(i, text);
        lines.push_back(text.GetString());
    }
    return lines;
}

// Runs the test in a folder of its own: the state files go into the current folder.
class SymbolLibrary : public ::testing::Test {
protected:
    SymbolLibrary() : m_previous(std::filesystem::current_path()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   ("vellum-symbols-" + std::string(info->name()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        std::filesystem::current_path(m_folder);
    }
    ~SymbolLibrary() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_folder);
    }

    TempSettings settings;
    CGraphicItemList library;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

TEST_F(SymbolLibrary, GroupsTakeTheSmallestFreeNumberAndRepeatedNamesAddNothing) {
    EXPECT_EQ(library.AddSymbolGroup("Frecce"), 1);
    EXPECT_EQ(library.AddSymbolGroup("Croci"), 1);
    EXPECT_EQ(library.AddSymbolGroup("Frecce"), 1);
    EXPECT_EQ(library.GetCount(), 2);
    CObject* group = nullptr;
    ASSERT_TRUE(library.Lookup(0, group));
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetName(), "Frecce");
    EXPECT_EQ(library.DeleteGroup("Frecce"), 1);
    EXPECT_EQ(library.DeleteGroup("Frecce"), 0);
    EXPECT_EQ(library.AddSymbolGroup("Anatomia"), 1);
    ASSERT_TRUE(library.Lookup(0, group));
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetName(), "Anatomia");
    // Names that could not be chosen or hidden are refused.
    for (const char* refused : std::initializer_list<const char*>{nullptr, "", " \t"})
        EXPECT_EQ(library.AddSymbolGroup(refused), 0);
    EXPECT_EQ(library.GetCount(), 2);
}

TEST_F(SymbolLibrary, SymbolsAreFoundCopiedAndDeletedByExactNameAndOtherEntriesSkipped) {
    library.AddSymbolGroup("Frecce");
    CGraphicSymbol* stray = NewSymbol("Su");
    EXPECT_EQ(library.AddSymbolToGroup("frecce", stray), 0); // names are case-sensitive
    delete stray;
    EXPECT_EQ(library.AddSymbolToGroup("Frecce", NewSymbol("Su")), 1);
    EXPECT_EQ(library.AddSymbolToGroup("Frecce", NewSymbol("Su")), 1);
    EXPECT_EQ(library.AddSymbolToGroup("Frecce", NewSymbol("Giu")), 1);

    std::unique_ptr<CGraphicSymbol> one(library.GetSymbol("Frecce", "Su"));
    std::unique_ptr<CGraphicSymbol> two(library.GetSymbol("Frecce", "Su"));
    ASSERT_TRUE(one && two);
    EXPECT_NE(one->GetItems().GetHead(), two->GetItems().GetHead()); // copies, deep
    EXPECT_EQ(library.GetSymbol("Frecce", "su"), nullptr);
    EXPECT_EQ(library.GetSymbol("Croci", "Su"), nullptr);
    EXPECT_EQ(library.GetSymbol(nullptr, "Su"), nullptr);

    EXPECT_EQ(library.DeleteSymbol("Frecce", "Su"), 1); // the first of the two
    EXPECT_EQ(library.DeleteSymbol("Frecce", "Su"), 1);
    EXPECT_EQ(library.DeleteSymbol("Frecce", "Su"), 0);
    std::unique_ptr<CGraphicSymbol> left(library.GetSymbol("Frecce", "Giu"));
    EXPECT_NE(left, nullptr);

    // Entries that are not symbols are skipped.
    library.AddSymbolGroup("Misto");
    CObject* group = nullptr;
    ASSERT_TRUE(library.Lookup(1, group));
    static_cast<CGrItemList*>(group)->AddTail(new CGraphicLine);
    library.AddSymbolToGroup("Misto", NewSymbol("Croce"));
    CListBox lb;
    library.AddSymbolsToLB("Misto", &lb, nullptr);
    EXPECT_EQ(ListLines(lb), Names{"Croce"});
    EXPECT_EQ(library.GetSymbol("Misto", ""), nullptr);
    EXPECT_EQ(library.DeleteSymbol("Misto", ""), 0);
}

TEST_F(SymbolLibrary, HiddenNamesAreTrimmedAndKeptInTheSettings) {
    EXPECT_EQ(library.EnableSymbolGroup("Frecce"), 0); // not hidden
    EXPECT_EQ(library.DisableSymbolGroup(" Frecce\t"), 1);
    EXPECT_TRUE(library.IsSymbolGroupDisabled("Frecce"));
    EXPECT_EQ(library.DisableSymbol("A_B "), 1);
    EXPECT_TRUE(library.IsSymbolDisabled("A_B"));
    EXPECT_FALSE(library.IsSymbolGroupDisabled("A_B")); // the two sets are apart
    EXPECT_EQ(settings.Contents(), "[DisabledGroups]\nFrecce=1\n\n[DisabledSymbols]\nA_B=1\n");
    EXPECT_EQ(library.EnableSymbolGroup("Frecce "), 1);
    EXPECT_FALSE(library.IsSymbolGroupDisabled("Frecce"));
    EXPECT_EQ(library.EnableSymbol("A_B"), 1);
    EXPECT_EQ(library.EnableSymbol("A_B"), 0);
    // Names that a settings entry cannot hold are refused rather than misread.
    for (const char* bad : {"", "  ", "a=b", "[x", "a\nb"}) {
        EXPECT_EQ(library.DisableSymbolGroup(bad), 0) << bad;
        EXPECT_FALSE(library.IsSymbolGroupDisabled(bad)) << bad;
    }
    // Any value of an entry hides; a broken section header hides nothing.
    settings.Write(
        "[DisabledGroups]\nZero=0\nWord=yes\nnot an entry\n=1\n[DisabledSymbols\nX_Y=1\n");
    EXPECT_TRUE(library.IsSymbolGroupDisabled("Zero"));
    EXPECT_TRUE(library.IsSymbolGroupDisabled("Word"));
    EXPECT_FALSE(library.IsSymbolGroupDisabled("not an entry"));
    EXPECT_FALSE(library.IsSymbolDisabled("X_Y"));
}

TEST_F(SymbolLibrary, TheListsShowWhatIsNotHidden) {
    library.AddSymbolGroup(" Frecce ");
    library.AddSymbolGroup("Croci");
    library.AddSymbolToGroup(" Frecce ", NewSymbol("Su"));
    library.AddSymbolToGroup(" Frecce ", NewSymbol("Giu "));
    library.AddSymbolToGroup(" Frecce ", NewSymbol("Sinistra"));
    library.DisableSymbolGroup("Croci");
    library.DisableSymbol("Frecce _Giu"); // the key " Frecce _Giu " trimmed
    library.DisableSymbol(" Frecce _Sinistra");
    CListBox groups, symbols, exact;
    library.AddGroupsToLB(&groups, nullptr);
    EXPECT_EQ(ListLines(groups), Names{"Frecce"});
    library.AddSymbolsToLB(" Frecce ", &symbols, nullptr);
    EXPECT_EQ(ListLines(symbols), Names{"Su"});
    library.AddSymbolsToLB("Frecce", &exact, nullptr); // exact names only
    EXPECT_EQ(exact.GetCount(), 0);
}

TEST_F(SymbolLibrary, FillingTheCheckListWritesTheHiddenStateFiles) {
    library.AddSymbolGroup("Arrows");
    library.AddSymbolGroup("Bones");
    library.AddSymbolToGroup("Arrows", NewSymbol("Up"));
    library.AddSymbolToGroup("Arrows", NewSymbol("Down"));
    library.AddSymbolToGroup("Bones", NewSymbol("Hip"));
    library.DisableSymbolGroup("Arrows");
    library.DisableSymbol("Arrows_Up");
    library.DisableSymbol("Bones_Hip");
    CCheckListBox groups;
    library.AddGroupsToCheckListBox(&groups, nullptr);
    // Map order: group 1 before group 0 (both in the first bucket, the newer first).
    EXPECT_EQ(ListLines(groups), (Names{"Bones", "Arrows"}));
    EXPECT_EQ(groups.GetCheck(0), 1);
    EXPECT_EQ(groups.GetCheck(1), 0);
    EXPECT_EQ(ReadFileBytes("sgrps.tmp"), "Arrows||");
    EXPECT_EQ(ReadFileBytes("smbs.tmp"), "Bones_Hip||Arrows_Up||");

    library.EnableSymbolGroup("Arrows");
    library.EnableSymbol("Arrows_Up");
    library.EnableSymbol("Bones_Hip");
    library.AddGroupsToCheckListBox(&groups, nullptr);
    EXPECT_EQ(ReadFileBytes("sgrps.tmp"), ""); // written anew, empty
    EXPECT_EQ(ReadFileBytes("smbs.tmp"), "");
}

TEST_F(SymbolLibrary, RestoringHidesEachListedNameOnce) {
    struct Row {
        const char* text;
        std::string settings;
    };
    const Row rows[] = {
        {"G1||G2||G1||", "[DisabledGroups]\nG1=1\nG2=1\n"},
        {"G1||junk", "[DisabledGroups]\nG1=1\n"},
        {"  G1||  ", "[DisabledGroups]\nG1=1\n"},
        {"", ""},
        {"junk", ""},   // no separator: the whole text is one unfinished name
        {"||G1||", ""}, // an empty name removes every separator
        {"G1|G2||", "[DisabledGroups]\nG1|G2=1\n"},
    };
    for (const Row& row : rows) {
        settings.Write("");
        std::ofstream("sgrps.tmp", std::ios::trunc) << row.text;
        CFile file("sgrps.tmp", CFile::modeRead);
        EXPECT_TRUE(library.RestoreInitalGroupsState(&file));
        EXPECT_EQ(settings.Contents(), row.settings) << '"' << row.text << '"';
    }
}

TEST_F(SymbolLibrary, ALibraryFileLoadsWithItsGroupsAndRefusesDamage) {
    library.AddSymbolGroup("Frecce");
    library.AddSymbolToGroup("Frecce", NewSymbol("Su"));
    const Bytes bytes = StoreObject(&library);
    const auto loaded = ListFromBytes(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(std::unique_ptr<CGraphicSymbol>(loaded->GetSymbol("Frecce", "Su")), nullptr);
    EXPECT_EQ(ListFromBytes(Bytes(bytes.begin(), bytes.end() - 9)), nullptr);
}

} // namespace
} // namespace vellum::test
