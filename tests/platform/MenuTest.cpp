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
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
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

TEST_F(MenuTest, ReturnCmdGivesTheCommandInsteadOfSendingIt) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 7, "Seven");
    host.AnswerMenu(7);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 7);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0); // nothing chosen
    EXPECT_TRUE(owner.commands.empty());
}

} // namespace
} // namespace vellum::test
