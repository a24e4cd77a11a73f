#include "support/ScriptedUiHost.h"

#include <vellum/platform/Menu.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/Wnd.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vellum::test {
namespace {

// A window that keeps the commands it receives.
class CommandWnd : public CWnd {
public:
    BOOL OnCommand(UINT id, UINT code) override {
        commands.emplace_back(id, code);
        return TRUE;
    }
    std::vector<std::pair<UINT, UINT>> commands;
};

class MenuTest : public ::testing::Test {
protected:
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CommandWnd owner;
};

TEST_F(MenuTest, EntriesAreInsertedByPositionOrBeforeACommand) {
    CMenu menu;
    EXPECT_EQ(menu.GetMenuItemCount(), static_cast<UINT>(-1));
    EXPECT_FALSE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 1, "No menu"));
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_FALSE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 200, "Second"));
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 100, "First"));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, 400, "Last"));
    EXPECT_TRUE(menu.InsertMenu(400, MF_BYCOMMAND | MF_STRING, 300, "Before last"));
    EXPECT_FALSE(menu.InsertMenu(0, MF_BYPOSITION | MF_POPUP, 0, "Submenu"));

    const char* texts[] = {"First", "Second", "", "Before last", "Last"};
    const UINT ids[] = {100, 200, 0, 300, 400};
    const UINT states[] = {MF_STRING, MF_STRING, MF_SEPARATOR, MF_STRING, MF_GRAYED};
    ASSERT_EQ(menu.GetMenuItemCount(), 5u);
    for (int i = 0; i < 5; ++i) {
        CString text;
        EXPECT_EQ(menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION),
                  static_cast<int>(std::char_traits<char>::length(texts[i])));
        EXPECT_EQ(text, texts[i]);
        EXPECT_EQ(menu.GetMenuItemID(i), ids[i]);
        EXPECT_EQ(menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION), states[i]);
    }
    CString text;
    EXPECT_EQ(menu.GetMenuString(300, text, MF_BYCOMMAND), 11);
    EXPECT_EQ(text, "Before last");
    EXPECT_EQ(menu.GetMenuState(999, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetMenuItemID(5), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetSubMenu(0), nullptr);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(menu.DestroyMenu());
}

TEST_F(MenuTest, TheChosenCommandGoesToTheOwner) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 49500, "Propiet\xE0...");
    host.AnswerMenu(49500);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 80, &owner));
    const std::vector<std::pair<UINT, UINT>> expected = {{49500, 0}};
    EXPECT_EQ(owner.commands, expected);

    ASSERT_EQ(host.Menus().size(), 1u);
    const auto& shown = host.Menus()[0];
    EXPECT_EQ(shown.texts, std::vector<CString>{CString("Propiet\xE0...")});
    EXPECT_EQ(shown.commands, std::vector<UINT>{49500});
    EXPECT_EQ(shown.flags, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    EXPECT_EQ(shown.point.x, 120);
    EXPECT_EQ(shown.point.y, 80);
    EXPECT_EQ(shown.owner, &owner);
}

TEST_F(MenuTest, ReturnCmdGivesTheCommandInsteadOfSendingIt) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 7, "Seven");
    host.AnswerMenu(7);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 7);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0); // nothing chosen
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuTest, OnlyEnabledCommandsOfTheMenuCanBeChosen) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING | MF_GRAYED, 8, "Grayed");
    host.AnswerMenu(8);
    host.AnswerMenu(9);
    EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &owner));
    EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &owner));
    EXPECT_TRUE(owner.commands.empty());

    CMenu none;
    EXPECT_FALSE(none.TrackPopupMenu(0, 0, 0, &owner));
    EXPECT_EQ(host.Menus().size(), 2u);
}

TEST_F(MenuTest, MenusLoadFromTheResourceChainWithTheirSubmenus) {
    static constexpr CMenuItemTemplate entries[] = {
        {"One", 1, {}}, {nullptr, 0, {}}, {"Two", 2, {}}};
    static constexpr CMenuItemTemplate bar[] = {{"Popup", 0, entries}};
    static constexpr CMenuTemplate menus[] = {{"NAMED", 0, bar}, {nullptr, 77, entries}};
    const CResourceTable table{{}, {}, menus};
    AfxAddResourceTable(&table);

    CMenu named;
    ASSERT_TRUE(named.LoadMenu("NAMED"));
    EXPECT_FALSE(named.LoadMenu("NAMED")); // already made
    ASSERT_EQ(named.GetMenuItemCount(), 1u);
    EXPECT_EQ(named.GetMenuItemID(0), static_cast<UINT>(-1));
    EXPECT_EQ(named.GetMenuState(0, MF_BYPOSITION), MF_POPUP);
    CMenu* popup = named.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->GetMenuItemCount(), 3u);
    EXPECT_EQ(popup->GetMenuItemID(0), 1u);
    EXPECT_EQ(popup->GetMenuState(1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(popup->GetMenuItemID(2), 2u);

    // A command of a submenu may be chosen from the whole menu.
    host.AnswerMenu(2);
    EXPECT_EQ(named.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 2);

    CMenu numbered;
    EXPECT_TRUE(numbered.LoadMenu(77u));
    EXPECT_EQ(numbered.GetMenuItemCount(), 3u);
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu("MISSING"));
    EXPECT_FALSE(missing.LoadMenu(78u));
    EXPECT_FALSE(missing.LoadMenu(static_cast<const char*>(nullptr)));
    AfxRemoveResourceTable(&table);
    CMenu gone;
    EXPECT_FALSE(gone.LoadMenu("NAMED"));
}

} // namespace
} // namespace vellum::test
