#include "DensityTesting.h"

#include "support/ItemBytes.h"
#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "support/TextTesting.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/ui/DensityProfilePP.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Lines = std::vector<std::string>;

// A line from (0, 5) to (5, 5): its five points are the first five levels of row 5, and its
// graph box runs from (5, 5) to (405, 205).
class DensityLine : public ::testing::Test {
protected:
    void SetUp() override { Span(line); }
    static void Span(CGrDensityLine& item) {
        CVector from(0, 5), to(5, 5);
        item.SetStart(&from);
        item.SetEnd(&to, 0);
    }
    // What the line draws at zoom 1.
    std::unique_ptr<CRecordingDC> Drawn(WORD types = 0) {
        auto dc = std::make_unique<CRecordingDC>();
        line.Draw(dc.get(), 1.0, types, 0, 1.0);
        return dc;
    }
    TempSettings settings;
    struct_LEAD_Bitmap bitmap = Ramp();
    CGrDensityLine line;
};

TEST_F(DensityLine, GraphFrameGridScaleNumbersCurveAndConnector) {
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    const auto dc = Drawn();
    EXPECT_EQ(dc->LinesNamed("Polyline"),
              (Lines{"Polyline (5,5)-(5,205)-(405,205)-(405,5)-(5,5) pen 2/1/0x0000FF00 rop 13"}));
    // Font of 13 pixels: half its height (6) above each reference, right-aligned 2 pixels
    // left of the box.
    EXPECT_EQ(TextOuts(*dc), (Lines{"(3,199) 0 -13/0", "(3,149) 63 -13/0", "(3,99) 127 -13/0",
                                    "(3,49) 191 -13/0", "(3,-1) 255 -13/0"}));
    EXPECT_EQ(dc->LinesNamed("LineTo"),
              (Lines{
                  "LineTo (0,5)-(5,5) pen 0/1/0x0000FF00 rop 13", // the line itself
                  "LineTo (5,155)-(405,155) pen 2/1/0x0000FF00 rop 13",
                  "LineTo (5,105)-(405,105) pen 2/1/0x0000FF00 rop 13",
                  "LineTo (5,55)-(405,55) pen 2/1/0x0000FF00 rop 13",
                  // Levels 0, 51, 102, 204, 255 from the bottom edge (205) to the top (5).
                  "LineTo (5,205)-(105,165) pen 0/1/0x0000FF00 rop 13",
                  "LineTo (105,165)-(205,125) pen 0/1/0x0000FF00 rop 13",
                  "LineTo (205,125)-(305,45) pen 0/1/0x0000FF00 rop 13",
                  "LineTo (305,45)-(405,5) pen 0/1/0x0000FF00 rop 13",
                  // The connector from the line's start to the curve's first point.
                  "LineTo (0,5)-(5,205) pen 2/1/0x0000FF00 rop 13",
              }));
    EXPECT_EQ(dc->GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc->GetTextAlign(), TA_LEFT | TA_TOP);
    // The graph's box united with the numbers' box (-15, -7, 3, 212), its segments grown by
    // one; the line itself lies inside.
    EXPECT_EQ(line.GetBoundsRect(0), CRect(-15, -7, 406, 212));
}

TEST_F(DensityLine, ScaleNumbersAndLevelsClampedToTheScale) {
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    line.GetProfile()->SetScale(100, 100); // the span counts as 1: step 0.25
    EXPECT_EQ(TextOuts(*Drawn()),
              (Lines{"(3,199) 100 -13/0", "(3,149) 100 -13/0", "(3,99) 100 -13/0",
                     "(3,49) 100 -13/0", "(3,-1) 100 -13/0"}));

    line.GetProfile()->SetScale(60, 200);
    const auto dc = Drawn();
    EXPECT_EQ(TextOuts(*dc), (Lines{"(3,199) 60 -13/0", "(3,149) 95 -13/0", "(3,99) 130 -13/0",
                                    "(3,49) 165 -13/0", "(3,-1) 200 -13/0"}));
    // Window (2500, 140) over (400, 200): the bottom edge 205 becomes logical 144 (143.5
    // rounded), level g lies at 204 - g. Levels 0 and 51 sit on level 60 (144, device 206),
    // 204 and 255 on level 200 (4, device 6); 102 is at 102, device 146.
    const Lines lines = dc->LinesNamed("LineTo");
    EXPECT_EQ(Lines(lines.begin() + 4, lines.begin() + 8),
              (Lines{"LineTo (5,206)-(105,206) pen 0/1/0x0000FF00 rop 13",
                     "LineTo (105,206)-(205,146) pen 0/1/0x0000FF00 rop 13",
                     "LineTo (205,146)-(305,6) pen 0/1/0x0000FF00 rop 13",
                     "LineTo (305,6)-(405,6) pen 0/1/0x0000FF00 rop 13"}));
}

TEST_F(DensityLine, AClickInTheGraphMovesTheConnector) {
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    CVector middle(205, 100);
    EXPECT_EQ(line.HitTest(&middle, 1.0), CGraphicItem::hitLabel);
    EXPECT_EQ(line.GetProfile()->GetConnectionOnLine(), CVector(2.5, 5));
    // Points 2 and 3 are equally near (2.5, 5); the first one, level 102, is taken.
    EXPECT_EQ(Drawn()->LinesNamed("LineTo").back(),
              "LineTo (3,5)-(205,125) pen 2/1/0x0000FF00 rop 13");
    EXPECT_EQ(line.GetProfile()->GetProfilePnt(2.0), CPoint(410, 125));
}

TEST_F(DensityLine, WhatIsDrawnWhenDraggedHiddenOrWithoutAGraph) {
    const auto drawn = [&](WORD types) { return Drawn(types)->DrawingLines(); };
    const Lines lineOnly = {"MoveTo (0,5)", "LineTo (0,5)-(5,5) pen 0/1/0x0000FF00 rop 13"};
    EXPECT_EQ(drawn(0), lineOnly); // not initialised
    // Without a bitmap the line counts as initialised: no graph, a connector to the empty
    // profile's point.
    EXPECT_EQ(line.Init(nullptr, 1), 0);
    EXPECT_EQ(line.IsInitialised(), 1);
    EXPECT_EQ(drawn(0), (Lines{lineOnly[0], lineOnly[1], "MoveTo (0,5)",
                               "LineTo (0,5)-(5,0) pen 2/1/0x0000FF00 rop 13"}));
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    EXPECT_EQ(drawn(CGraphicItem::drawNoLabels), lineOnly);

    line.SetDrag(1);
    const Lines dragged = drawn(0);
    EXPECT_EQ(dragged,
              (Lines{"MoveTo (0,5)", "LineTo (0,5)-(5,5) pen 0/2/0x00000000 rop 13",
                     "Polyline (5,5)-(5,205)-(405,205)-(405,5)-(5,5) pen 0/2/0x00000000 rop 13",
                     "MoveTo (5,155)", "LineTo (5,155)-(405,155) pen 0/2/0x00000000 rop 13",
                     "MoveTo (5,105)", "LineTo (5,105)-(405,105) pen 0/2/0x00000000 rop 13",
                     "MoveTo (5,55)", "LineTo (5,55)-(405,55) pen 0/2/0x00000000 rop 13",
                     "MoveTo (5,205)"}));

    // A line of one point: the line and the connector, no graph.
    line.SetDrag(0);
    CVector from(2, 5), to(3, 5);
    line.SetStart(&from);
    line.SetEnd(&to, 0);
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    EXPECT_EQ(drawn(0), (Lines{"MoveTo (2,5)", "LineTo (2,5)-(3,5) pen 0/1/0x0000FF00 rop 13",
                               "MoveTo (2,5)", "LineTo (2,5)-(3,0) pen 2/1/0x0000FF00 rop 13"}));
}

TEST_F(DensityLine, InitWithResizeMakesTheGraphAThirdOfTheImage) {
    struct_LEAD_Bitmap large;
    large.Width = 900;
    large.Height = 600;
    large.Data.assign(900 * 600, 0);
    EXPECT_EQ(line.Init(&large, 1), 1);
    const CDensityProfile& graph = *line.GetProfile();
    EXPECT_EQ(graph.GetCorner(0), CVector(5, 5));
    EXPECT_EQ(graph.GetCorner(2), CVector(305, 205));
    EXPECT_EQ(line.GetHistogram()->GetPixelCount(), 5u);
    // Update gathers again without touching the box.
    EXPECT_EQ(line.Update(&bitmap), 1);
    EXPECT_EQ(line.GetHistogram()->GetMaxIntensity(), 255u);
    EXPECT_EQ(graph.GetCorner(2), CVector(305, 205));
}

TEST_F(DensityLine, TheListGathersWithoutMovingTheGraph) {
    auto* listed = new CGrDensityLine;
    Span(*listed);
    CGraphicItemList list;
    list.AddItem(CGraphicItem::classDensity, listed);
    list.BitmapForItems(&bitmap);
    EXPECT_EQ(listed->GetHistogram()->GetPixelCount(), 5u);
    EXPECT_EQ(listed->GetProfile()->GetCorner(2), CVector(405, 205));
}

TEST_F(DensityLine, HitCodesFocusAndMoves) {
    ASSERT_EQ(line.Init(&bitmap, 0), 1);
    CVector corner(405, 205), body(100, 100), onLine(2, 5), away(200, 300);
    EXPECT_EQ(line.HitTest(&corner, 1.0), CGraphicItem::hitLabel);
    line.SetFocus(CGraphicItem::hitLabel);
    EXPECT_EQ(line.GetProfile()->HasFocus(), 3); // the graph's corner c2
    line.Move(10, 20, CGraphicItem::hitLabel);   // drags that corner
    EXPECT_EQ(line.GetProfile()->GetCorner(2), CVector(415, 225));
    EXPECT_EQ(line.GetProfile()->GetCorner(0), CVector(5, 5));

    EXPECT_EQ(line.HitTest(&body, 1.0), CGraphicItem::hitLabel);
    line.Move(-5, -5, CGraphicItem::hitLabel); // the whole box
    EXPECT_EQ(line.GetProfile()->GetCorner(0), CVector(0, 0));
    line.Move(201, 201, CGraphicItem::hitWhole);
    EXPECT_EQ(line.GetProfile()->GetCorner(0), CVector(201, 201));
    EXPECT_EQ(line.GetStart(), CVector(0, 5));

    EXPECT_EQ(line.HitTest(&onLine, 1.0), 1); // within the start node's square
    line.SetFocus(CGraphicItem::hitBody);
    EXPECT_EQ(line.GetProfile()->HasFocus(), 0);
    line.Move(3, 4, CGraphicItem::hitBody); // the line alone
    EXPECT_EQ(line.GetEnd(), CVector(8, 9));
    EXPECT_EQ(line.GetProfile()->GetCorner(0), CVector(201, 201));
    EXPECT_EQ(line.GetProfile()->GetConnectionOnLine(), CVector(3, 9));
    EXPECT_EQ(line.HitTest(&away, 1.0), 0);

    line.SetFocus(2); // a node of the line leaves the graph alone
    EXPECT_EQ(line.GetProfile()->HasFocus(), 0);
    EXPECT_EQ(line.GetCenterPoint(), CVector(5.5, 9));
}

TEST_F(DensityLine, RotationCarriesTheBoxUprightAndFlipLeavesIt) {
    CVector centre(0, 5);
    line.Rotate(PI / 2, &centre); // counter-clockwise on screen
    EXPECT_LT((line.GetProfile()->GetCorner(0) - CVector(0, 0)).Length(), 1e-9);
    EXPECT_LT((line.GetProfile()->GetCorner(2) - CVector(400, 200)).Length(), 1e-9);
    line.FlipHorizontal(100);
    EXPECT_NEAR(line.GetEnd().x, 200, 1e-9);
    EXPECT_NEAR(line.GetProfile()->GetCorner(0).x, 0, 1e-9);
}

TEST_F(DensityLine, StoredBytes) {
    line.GetProfile()->SetScale(40, 200);
    line.SetColor(RGB(255, 0, 0));
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(&line); });
    const auto expected = [](DWORD connectionX) {
        Bytes out;
        AppendNewClass(out, "CGrDensityLine");
        AppendItemBody(out, {}, 0x0020, 0x000000FF); // the base node array stays empty
        AppendDword(out, 1);                         // line tag
        for (double v : {0.0, 5.0, 5.0, 5.0})
            AppendDouble(out, v);
        AppendDword(out, 1); // density line's reserved integer
        // The graph, without an object tag.
        AppendItemBody(out, {}, 0x0020, 0x000000FF);
        AppendDword(out, 1); // rectangle tag
        for (double v : {5.0, 5.0, 5.0, 205.0, 405.0, 205.0, 405.0, 5.0})
            AppendDouble(out, v);
        AppendDword(out, 1); // graph's reserved integer
        AppendDword(out, connectionX);
        AppendDword(out, 0);  // connection y
        AppendDword(out, 40); // scale minimum
        AppendDword(out, 200);
        AppendDefaultFont(out);
        return out;
    };
    EXPECT_EQ(bytes, expected(0));

    // Read back: not initialised, connector reset to the line's start and the box's corner.
    std::unique_ptr<CObject> loaded;
    Load(bytes, [&](CArchive& ar) { loaded.reset(ar.ReadObject(nullptr)); });
    auto* again = dynamic_cast<CGrDensityLine*>(loaded.get());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->IsInitialised(), 0);
    EXPECT_EQ(again->GetProfile()->GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(again->GetProfile()->GetProfilePnt(1.0), CPoint(5, 0));
    EXPECT_EQ(again->GetHistogram()->GetSize(), 0u);
    // Loading put the connector's x at the box's first corner.
    EXPECT_EQ(Store([&](CArchive& ar) { ar.WriteObject(again); }), expected(5));
}

TEST_F(DensityLine, PropertiesApplyScaleColourWidthAndFont) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    host.AddScript([](CScriptedUser& user) {
        CPropertySheet& sheet = user.Sheet();
        EXPECT_EQ(sheet.GetCaption(), "Propiet\xE0");
        EXPECT_FALSE(sheet.HasApplyButton());
        ASSERT_EQ(sheet.GetPageCount(), 4);
        EXPECT_EQ(sheet.GetPage(0)->GetCaption(), "Profilo di Densit\xE0");
        EXPECT_EQ(user.Text(IDC_SCALE_MAX), "255");
        // 255 and 255 is refused: the minimum must stay below the maximum.
        user.Type(IDC_SCALE_MIN, "255");
        EXPECT_FALSE(user.Tab(1));
        user.Type(IDC_SCALE_MAX, "9");
        EXPECT_FALSE(user.Tab(1));
        user.Type(IDC_SCALE_MAX, "10");
        user.Type(IDC_SCALE_MIN, "0");
        EXPECT_TRUE(user.Tab(2));
        user.Type(IDC_LINE_WIDTH, "3");
        user.OK();
    });
    EXPECT_EQ(line.Properties(nullptr, 0), 1);
    EXPECT_EQ(line.GetProfile()->GetScaleMin(), 0);
    EXPECT_EQ(line.GetProfile()->GetScaleMax(), 10);
    EXPECT_EQ(line.GetLineWidth(), 3.0);

    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_SCALE_MIN, "5");
        user.Cancel();
    });
    EXPECT_EQ(line.Properties(nullptr, 0), 0);
    EXPECT_EQ(line.GetProfile()->GetScaleMin(), 0);
}

} // namespace
} // namespace vellum::test
