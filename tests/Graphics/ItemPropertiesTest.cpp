#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <vector>

namespace vellum::test {
namespace {

// A line that keeps the colours it is given, to show that Properties uses SetColor.
class ColourLoggingLine : public CGraphicLine {
public:
    void SetColor(DWORD colour) override {
        colours.push_back(colour);
        CGraphicLine::SetColor(colour);
    }
    std::vector<DWORD> colours;
};

class ItemPropertiesTest : public ::testing::Test {
protected:
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CWnd parent;
    ColourLoggingLine line;

    void SetUp() override {
        line.SetColor(RGB(10, 20, 30));
        line.colours.clear();
        line.SetLineWidth(2.7);
    }

    // The user picks pure red and types width 4, then confirms or cancels.
    void ScriptRedAndFour(bool confirm) {
        host.AnswerColor(RGB(255, 0, 0));
        host.AddScript([confirm](CScriptedUser& user) {
            user.Click(IDC_SELECT_COLOR);
            EXPECT_TRUE(user.Tab(1));
            user.Type(IDC_LINE_WIDTH, "4");
            if (confirm)
                user.OK();
            else
                user.Cancel();
        });
    }
};

TEST_F(ItemPropertiesTest, OkAppliesColourAndWidthToALine) {
    ScriptRedAndFour(true);
    EXPECT_EQ(line.Properties(&parent, 0), 1);
    EXPECT_EQ(line.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(line.colours, std::vector<DWORD>{RGB(255, 0, 0)});
    EXPECT_EQ(line.GetLineWidth(), 4.0);
    EXPECT_EQ(settings.Contents(), "");
}

TEST_F(ItemPropertiesTest, OkWithoutChangesKeepsTheColourAndTruncatesTheWidth) {
    host.AddScript([](CScriptedUser& user) { user.OK(); });
    EXPECT_EQ(line.Properties(nullptr, 0), 1);
    EXPECT_EQ(line.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(line.GetLineWidth(), 2.0);
}

TEST_F(ItemPropertiesTest, APolylineUsesTheSameSheet) {
    CGrPolyLine polyline;
    polyline.SetLineWidth(1.0);
    host.AddScript([](CScriptedUser& user) {
        user.Check(IDC_COLOR_DEFAULT);
        EXPECT_TRUE(user.Tab(1));
        user.Spin(IDC_LINE_SPIN, 1);
        user.Check(IDC_LINE_DEFAULT);
        user.OK();
    });
    EXPECT_EQ(polyline.Properties(&parent, 0), 1);
    EXPECT_EQ(polyline.GetLineWidth(), 2.0);
    EXPECT_EQ(polyline.GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(settings.Contents(), "[UserGraphics]\nDefaultColor=0,255,0\nDefaultWidth=2\n");
}

} // namespace
} // namespace vellum::test
