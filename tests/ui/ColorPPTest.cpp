#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

class ColorPPTest : public ::testing::Test {
protected:
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CColorPP page;
    CPropertySheet sheet{"Sheet"};

    void SetUp() override {
        page.m_crColor = RGB(0, 255, 0);
        sheet.AddPage(&page);
    }
};

TEST_F(ColorPPTest, ChoosingAColourWithoutSetAsDefaultWritesNoSetting) {
    host.AnswerColor(RGB(255, 0, 0));
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Checked(IDC_COLOR_DEFAULT), BST_UNCHECKED);
        user.Click(IDC_SELECT_COLOR);
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(page.m_bChanged, 1);
    EXPECT_EQ(settings.Contents(), "");

    ASSERT_EQ(host.ColorRequests().size(), 1u);
    EXPECT_EQ(host.ColorRequests()[0].rgbResult, RGB(0, 255, 0));
    EXPECT_EQ(host.ColorRequests()[0].hwndOwner, &page);
    EXPECT_EQ(host.ColorRequests()[0].Flags, CC_RGBINIT);
}

TEST_F(ColorPPTest, SetAsDefaultWritesTheColourAsRedGreenBlue) {
    const std::pair<COLORREF, const char*> cases[] = {
        {RGB(255, 0, 0), "255,0,0"}, {RGB(0, 128, 255), "0,128,255"}, {RGB(1, 2, 3), "1,2,3"}};
    for (const auto& [colour, text] : cases) {
        CColorPP defaultPage;
        CPropertySheet defaultSheet("Sheet");
        defaultSheet.AddPage(&defaultPage);
        host.AnswerColor(colour);
        host.AddScript([](CScriptedUser& user) {
            user.Click(IDC_SELECT_COLOR);
            user.Check(IDC_COLOR_DEFAULT);
            user.OK();
        });
        EXPECT_EQ(defaultSheet.DoModal(), IDOK);
        EXPECT_EQ(defaultPage.m_bSetDefault, 1);
        EXPECT_EQ(CUserSettings::GetProfileString("UserGraphics", "DefaultColor"), text);
    }
}

TEST_F(ColorPPTest, CancellingTheSheetWritesNothing) {
    host.AnswerColor(RGB(255, 0, 0));
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_COLOR);
        user.Check(IDC_COLOR_DEFAULT);
        user.Cancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(settings.Contents(), "");
}

} // namespace
} // namespace vellum::test
