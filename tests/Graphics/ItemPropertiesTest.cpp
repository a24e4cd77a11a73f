// The sheets that items open for their properties.
#include "Graphics/GraphicsTesting.h"
#include "support/FakeWnd.h"

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LinePP.h>

namespace vellum::test {
namespace {

// A line that keeps the colours it is given, to show that the sheet applies them by SetColor.
class CColourLoggingLine : public CGraphicLine {
public:
    void SetColor(DWORD colour) override { colours.push_back(colour); }
    std::vector<DWORD> colours;
};

TEST(ItemProperties, AColourGoesThroughSetColorAndOkAloneTruncatesTheWidth) {
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CColourLoggingLine line;
    line.SetLineWidth(2.7);
    host.AddScript([](CScriptedUser& user) { user.OK(); });
    EXPECT_EQ(line.Properties(nullptr, 0), 1);
    EXPECT_EQ(line.GetLineWidth(), 2.0);
    host.AnswerColor(RGB(255, 0, 0));
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_COLOR);
        user.OK();
    });
    EXPECT_EQ(line.Properties(nullptr, 0), 1);
    EXPECT_EQ(line.colours, (std::vector<DWORD>{RGB(0, 255, 0), RGB(255, 0, 0)})); // every OK
    EXPECT_EQ(settings.Contents(), "");
}

// The distance and the angle share one sheet: line, colour, then the label's font.
TEST(ItemProperties, MeasurementsTakeLineColourAndLabelFontOnOkAndNothingOnCancel) {
    TempSettings settings;
    CGrPolyDist distance;
    CGrAngle angle;
    struct Case {
        CGraphicItem* item;
        CGraphicTextLine* label;
    };
    for (const Case& c : {Case{&distance, &distance.GetLabel()}, Case{&angle, &angle.GetLabel()}}) {
        SCOPED_TRACE(c.item->GetRuntimeClass()->m_lpszClassName);
        CScriptedUiHost host;
        CUiHostScope scope(host);
        CFakeWnd parent;
        c.item->SetLineWidth(2.6);
        for (bool confirm : {false, true}) {
            host.AnswerColor(RGB(255, 0, 0));
            host.AnswerFont(ChosenFont("Courier New", 120));
            host.AddScript([&](CScriptedUser& user) {
                CPropertySheet& sheet = user.Sheet();
                EXPECT_EQ(sheet.GetCaption(), "Propiet\xE0");
                EXPECT_FALSE(sheet.HasApplyButton());
                ASSERT_EQ(sheet.GetPageCount(), 3);
                EXPECT_TRUE(sheet.GetPage(0)->IsKindOf(RUNTIME_CLASS(CLinePP)));
                EXPECT_TRUE(sheet.GetPage(1)->IsKindOf(RUNTIME_CLASS(CColorPP)));
                EXPECT_TRUE(sheet.GetPage(2)->IsKindOf(RUNTIME_CLASS(CFontPP)));
                EXPECT_EQ(user.Text(IDC_LINE_WIDTH), "2");
                user.Type(IDC_LINE_WIDTH, "3");
                EXPECT_TRUE(user.Tab(1));
                user.Click(IDC_SELECT_COLOR);
                EXPECT_TRUE(user.Tab(2));
                user.Click(IDC_SELECT_FONT);
                confirm ? user.OK() : user.Cancel();
            });
            EXPECT_EQ(c.item->Properties(&parent, 0), confirm ? 1 : 0);
            if (!confirm) {
                EXPECT_EQ(c.item->GetLineWidth(), 2.6);
                EXPECT_EQ(c.label->GetColor(), RGB(0, 255, 0));
                EXPECT_EQ(c.label->Font().m_strFaceName, "Arial");
                EXPECT_TRUE(parent.Events().empty());
            }
        }
        EXPECT_EQ(c.item->GetLineWidth(), 3.0);
        EXPECT_EQ(c.item->GetColor(), RGB(255, 0, 0));
        EXPECT_EQ(c.label->GetColor(), RGB(255, 0, 0));
        EXPECT_EQ(c.label->Font().m_strFaceName, "Courier New");
        EXPECT_EQ(c.label->IsMeasurePending(), 1);
        EXPECT_EQ(parent.Events(), std::vector<std::string>{"Invalidate erase 0"});
    }
}

} // namespace
} // namespace vellum::test
