#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/platform/UserSettings.h>

namespace vellum::test {
namespace {

class CExposedItem : public CGraphicItem {
public:
    using CGraphicItem::DrawArrowHead;
};

TEST(ItemRendering, PenWidthThinsWhenZoomedOutButNeverGrows) {
    struct Case {
        double width;
        double zoom;
        const char* pen;
    };
    const Case cases[] = {
        {3, 0.25, "SelectPen 0/1/0x0000FF00"}, // 0.75 + 0.5 truncates to 1
        {3, 1.0, "SelectPen 0/3/0x0000FF00"},  {3, 4.0, "SelectPen 0/3/0x0000FF00"},
        {1, 0.1, "SelectPen 0/1/0x0000FF00"},  {0, 1.0, "SelectPen 0/1/0x0000FF00"},
        {4, 0.5, "SelectPen 0/2/0x0000FF00"},  {5, 0.5, "SelectPen 0/3/0x0000FF00"}, // 2.5 + 0.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pen + std::string(" at zoom ") + std::to_string(c.zoom));
        auto item = ItemWith({{0, 0}, {10, 0}});
        item->SetLineWidth(c.width);
        CRecordingDC dc;
        item->Draw(&dc, c.zoom, 0, 0, 1.0);
        ASSERT_FALSE(dc.Records().empty());
        EXPECT_EQ(dc.Records().front().ToString(), c.pen);
    }
}

TEST(ItemRendering, FocusedItemDrawsPolylineThenNodeSquares) {
    auto poly = Placed<CGrPolyLine>({{10, 10}, {20.5, 10}, {20, 30.25}});
    poly->SetFocus(-1);
    CRecordingDC dc;
    poly->Draw(&dc, 2.0, 0, 0, 1.0);
    const Lines expected = {
        "SelectPen 0/1/0x0000FF00",
        "MoveTo (20,20)",
        "LineTo (20,20)-(41,20) pen 0/1/0x0000FF00 rop 13",
        "LineTo (41,20)-(40,61) pen 0/1/0x0000FF00 rop 13", // 60.5 rounds away from zero
        "SetBkColor 0x00000000",
        "FillSolidRect (17,17)-(23,23) colour 0x00000000",
        "SetBkColor 0x00000000",
        "FillSolidRect (38,17)-(44,23) colour 0x00000000",
        "SetBkColor 0x00000000",
        "FillSolidRect (37,58)-(43,64) colour 0x00000000",
        "SetBkColor 0x00FFFFFF", // the background colour comes back
        "SelectPen 0/1/0x00000000",
    };
    EXPECT_EQ(dc.Lines(), expected);
}

TEST(ItemRendering, NodeSquaresShrinkToFourPixelsAndCanBeSuppressed) {
    auto line = Placed<CGraphicLine>({{10, 10}, {40, 10}}, 0);
    line->SetFocus(1);

    CRecordingDC half;
    line->Draw(&half, 0.5, 0, 0, 1.0);
    EXPECT_EQ(half.LinesNamed("FillSolidRect"),
              (Lines{"FillSolidRect (3,3)-(7,7) colour 0x00000000",
                     "FillSolidRect (18,3)-(22,7) colour 0x00000000"}));

    CRecordingDC noNodes;
    line->Draw(&noNodes, 1.0, CGraphicItem::drawNoNodes, 0, 1.0);
    EXPECT_TRUE(noNodes.LinesNamed("FillSolidRect").empty());
    EXPECT_EQ(noNodes.LinesNamed("LineTo").size(), 1u);

    CRecordingDC printer(DT_RASPRINTER);
    line->Draw(&printer, 1.0, 0, 0, 1.0);
    EXPECT_TRUE(printer.LinesNamed("FillSolidRect").empty());
}

TEST(ItemRendering, ArrowHeadArmsOpenBackFromTheTip) {
    CExposedItem item;
    CRecordingDC dc;
    const CVector along(1, 0);
    CVector tip(100, 50);
    item.DrawArrowHead(&dc, &tip, along.Angle(nullptr), 1.0, 15, 10);
    // (−10 cos 15°, ±10 sin 15°) = (−9.66, ±2.59) from the tip.
    EXPECT_EQ(dc.Lines(),
              (Lines{"MoveTo (90,53)", "LineTo (90,53)-(100,50) pen 0/1/0x00000000 rop 13",
                     "MoveTo (90,47)", "LineTo (90,47)-(100,50) pen 0/1/0x00000000 rop 13"}));

    // Down and to the right on screen; zoomed out the arms shrink with the view.
    const CVector diagonal(1, 1);
    CVector corner(50, 50);
    dc.Clear();
    item.DrawArrowHead(&dc, &corner, diagonal.Angle(nullptr), 0.5, 15, 10);
    EXPECT_EQ(dc.LinesNamed("MoveTo"), (Lines{"MoveTo (21,23)", "MoveTo (23,21)"}));
    // Zoomed in they keep their length.
    dc.Clear();
    item.DrawArrowHead(&dc, &corner, diagonal.Angle(nullptr), 2.0, 15, 10);
    EXPECT_EQ(dc.LinesNamed("MoveTo"), (Lines{"MoveTo (91,95)", "MoveTo (95,91)"}));
    EXPECT_EQ(dc.LinesNamed("LineTo").front(),
              "LineTo (91,95)-(100,100) pen 0/1/0x00000000 rop 13");
}

TEST(ItemRendering, ConnectionFramesTheLabelAndLeadsToTheNearestCorner) {
    auto label = ItemWith({{100, 100}, {140, 116}});
    struct Case {
        CVector anchor;
        const char* leader;
    };
    const Case cases[] = {
        {{0, 0}, "LineTo (0,0)-(95,95)"},
        {{120, 50}, "LineTo (120,50)-(95,95)"},     // tie of c0 and c1: c0
        {{200, 108}, "LineTo (200,108)-(145,95)"},  // tie of c1 and c2: c1
        {{120, 200}, "LineTo (120,200)-(145,121)"}, // tie of c2 and c3: c2
        {{0, 108}, "LineTo (0,108)-(95,95)"},       // tie of c3 and c0: c0
        {{90, 130}, "LineTo (90,130)-(95,121)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leader);
        CRecordingDC dc;
        CVector anchor = c.anchor;
        EXPECT_EQ(label->DrawConnection(&dc, &anchor, 1.0), CRect(95, 95, 145, 121));
        const Lines drawing = dc.DrawingLines();
        ASSERT_EQ(drawing.size(), 3u);
        EXPECT_EQ(drawing[0],
                  "Polyline (95,95)-(145,95)-(145,121)-(95,121)-(95,95) pen 0/1/0x00000000 rop 13");
        EXPECT_EQ(drawing[2].substr(0, drawing[2].find(" pen")), c.leader);
    }

    // The margin shrinks when zoomed out, to no less than two pixels; the frame hides while
    // the label is dragged, unless it is the label that is picked.
    CVector anchor(0, 0);
    CRecordingDC half;
    EXPECT_EQ(label->DrawConnection(&half, &anchor, 0.5), CRect(96, 96, 144, 120));
    EXPECT_EQ(half.DrawingLines().front(),
              "Polyline (48,48)-(72,48)-(72,60)-(48,60)-(48,48) pen 0/1/0x00000000 rop 13");
    CRecordingDC fifth;
    label->DrawConnection(&fifth, &anchor, 0.2);
    EXPECT_EQ(fifth.DrawingLines().front(),
              "Polyline (18,18)-(30,18)-(30,25)-(18,25)-(18,18) pen 0/1/0x00000000 rop 13");
    label->SetDrag(1);
    CRecordingDC dragged;
    EXPECT_EQ(label->DrawConnection(&dragged, &anchor, 1.0), CRect(95, 95, 145, 121));
    EXPECT_TRUE(dragged.DrawingLines().empty());
    label->SetFocus(-2);
    CRecordingDC focused;
    label->DrawConnection(&focused, &anchor, 1.0);
    EXPECT_EQ(focused.DrawingLines().size(), 3u);
}

TEST(ItemRendering, DefaultColourIsReadAsRedGreenBlue) {
    TempSettings settings;
    struct Case {
        const char* stored;
        COLORREF colour;
    };
    const Case cases[] = {
        {"255", 0x000000FF},     {"0,0,255", 0x00FF0000}, {"255,0,0", 0x000000FF},
        {"1,2,3,4", 0x00030201}, {"256,257", 0x00000100}, {"x,12y", 0x00000C00},
        {"1,,2", 0x00000201},    {",", 0x00000000},       {"", 0x0000FF00}, // none: green
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        CUserSettings::WriteProfileString("UserGraphics", "DefaultColor", c.stored);
        CGraphicLine line;
        line.GetDefaultColor();
        EXPECT_EQ(line.GetColor(), c.colour);
    }
}

} // namespace
} // namespace vellum::test
