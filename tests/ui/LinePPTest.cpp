#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

constexpr const char* kRangePrompt = "Please enter an integer between 1 and 5.";

class LinePPTest : public ::testing::Test {
protected:
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CLinePP page;
    CPropertySheet sheet{"Sheet"};

    void SetUp() override {
        page.m_nWidth = 3;
        sheet.AddPage(&page);
    }
};

TEST_F(LinePPTest, TypingSixAndPressingOkKeepsTheSheetOpenWithTheRangePrompt) {
    host.AddScript([&](CScriptedUser& user) {
        user.Type(IDC_LINE_WIDTH, "6");
        user.OK();
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(page.GetFocusId(), IDC_LINE_WIDTH);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kRangePrompt);
        EXPECT_EQ(host.Messages()[0].type, MB_ICONEXCLAMATION);
        user.Type(IDC_LINE_WIDTH, "4");
        user.OK();
        EXPECT_FALSE(user.IsOpen());
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_nWidth, 4u);
}

TEST_F(LinePPTest, WidthsThatAreNoNumbersOrOutOfRangeAreRefused) {
    const std::pair<const char*, const char*> refusals[] = {
        {"0", kRangePrompt},
        {"abc", "Please enter a positive integer."},
        {"-1", "Please enter a positive integer."},
        {"", "Please enter a positive integer."}};
    for (const auto& [text, prompt] : refusals) {
        CLinePP refusing;
        CPropertySheet refusingSheet("Sheet");
        refusingSheet.AddPage(&refusing);
        const char* typed = text;
        host.AddScript([typed](CScriptedUser& user) {
            user.Type(IDC_LINE_WIDTH, typed);
            user.OK();
            EXPECT_TRUE(user.IsOpen());
            user.Cancel();
        });
        EXPECT_EQ(refusingSheet.DoModal(), IDCANCEL);
        EXPECT_EQ(host.Messages().back().text, prompt);
    }
    EXPECT_EQ(host.Messages().size(), 4u);
}

TEST_F(LinePPTest, ASpinStepFromFiveToSixIsRefusedAndTheWidthReturnsToFive) {
    page.m_nWidth = 5;
    host.AddScript([&](CScriptedUser& user) {
        user.Spin(IDC_LINE_SPIN, 1);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kRangePrompt);
        EXPECT_EQ(page.m_nWidth, 5u);
        EXPECT_EQ(page.m_spin.GetPos(), 5);
        EXPECT_EQ(user.Text(IDC_LINE_WIDTH), "5");
        EXPECT_TRUE(user.IsOpen());
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_nWidth, 5u);
}

TEST_F(LinePPTest, SetAsDefaultWritesTheWidthOnOkOnly) {
    host.AddScript([](CScriptedUser& user) {
        user.Check(IDC_LINE_DEFAULT);
        user.Type(IDC_LINE_WIDTH, "2");
        user.Cancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(settings.Contents(), "");

    host.AddScript([](CScriptedUser& user) {
        user.Check(IDC_LINE_DEFAULT);
        user.Type(IDC_LINE_WIDTH, "2");
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(settings.Contents(), "[UserGraphics]\nDefaultWidth=2\n");
}

} // namespace
} // namespace vellum::test
