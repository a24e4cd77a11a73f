#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GrAngle.h>
#include <vellum/platform/Locale.h>

namespace vellum::test {
namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

class GrAngleTest : public ::testing::Test {
protected:
    // Its label 20 pixels high, with 10-pixel characters.
    static std::unique_ptr<CGrAngle> Angle(const Points& nodes) {
        auto angle = Placed<CGrAngle>(nodes);
        angle->GetLabel().GetFont().SetSize(15);
        return angle;
    }

    TempSettings settings;
};

TEST_F(GrAngleTest, ShowsTheAngleAndItsComplementInDegrees) {
    struct Case {
        Points nodes;
        double rx, ry;
        const char* text;
    };
    const Case cases[] = {
        {{{10, 0}, {0, 0}, {0, 0}, {0, 10}}, 0, 0, "90.0\xB0 (270.0\xB0)"},
        {{{10, 0}, {0, 0}, {0, 0}, {0, 10}}, 1, 2, "90.0\xB0 (270.0\xB0)"},
        {{{10, 0}, {0, 0}, {0, 0}, {10, 10}}, 1, 2, "26.6\xB0 (333.4\xB0)"}, // arms (10,0), (10,5)
        {{{10, 0}, {0, 0}, {0, 0}, {10, 10}}, 0, 0, "45.0\xB0 (315.0\xB0)"},
        {{{0, 0}, {10, 0}, {20, 0}, {30, 10}}, 0, 0, "135.0\xB0 (225.0\xB0)"},  // two lines
        {{{10, 0}, {0, 0}, {0, 0}, {-10, 1}}, 0, 0, "174.3\xB0 (185.7\xB0)"},   // across -x
        {{{0, 10}, {0, 0}, {0, 0}, {-1, -100}}, 0, 0, "179.4\xB0 (180.6\xB0)"}, // 180.6 folded
        {{{10, 0}, {0, 0}, {0, 0}, {10, 0}}, 0, 0, "0.0\xB0 (360.0\xB0)"},
        {{{0, 0}, {0, 0}, {0, 0}, {10, 10}}, 0, 0, "?"}, // the first arm has no direction
        {{{kInf, 0}, {0, 0}, {0, 0}, {10, 10}}, 0, 0, "?"},
        {{{10, 0}, {0, 0}, {0, 0}, {0, 10}}, -1, 2, "90.0\xB0 (270.0\xB0)"}, // unusable scale
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto angle = Angle(c.nodes);
        angle->SetResolution(c.rx, c.ry);
        angle->UpdateValue();
        EXPECT_EQ(angle->GetAngleStr(), c.text);
    }
    auto open = Angle({{10, 0}, {0, 0}, {0, 0}}); // three nodes: no angle yet, not a number
    open->UpdateValue();
    EXPECT_EQ(open->GetAngleStr(), "");
    EXPECT_TRUE(std::isnan(open->GetDegrees()));

    // A Japanese thread writes the degree sign in Shift-JIS.
    SetThreadLocale(0x0411);
    auto japanese = Angle({{10, 0}, {0, 0}, {0, 0}, {0, 10}});
    japanese->UpdateValue();
    SetThreadLocale(0x0410);
    EXPECT_EQ(japanese->GetAngleStr(), "90.0\x81\x8B (270.0\x81\x8B)");
}

TEST_F(GrAngleTest, DrawsTwoLinesTheirJoinAndTheLabelFrameAndPicksASegment) {
    auto angle = Angle({{40, 10}, {10, 10}, {10, 10}, {10, 40}});
    CRecordingDC dc;
    angle->Draw(&dc, 1.0, 0, 0, 1.0);
    // "90.0° (270.0°)" is 140 by 20 at node 4; the frame stands 5 off it.
    EXPECT_EQ(dc.DrawingLines(),
              (Lines{"TextOut (10,40) \"90.0\\xB0 (270.0\\xB0)\" font -20/0/400/\"Arial\" colour "
                     "0x00000000 align 0 bk 1/0x00FFFFFF",
                     "MoveTo (40,10)", "LineTo (40,10)-(10,10) pen 0/1/0x0000FF00 rop 13",
                     "MoveTo (10,10)", "LineTo (10,10)-(10,40) pen 0/1/0x0000FF00 rop 13",
                     "MoveTo (10,10)", "LineTo (10,10)-(10,10) pen 2/1/0x0000FF00 rop 13",
                     "Polyline (5,35)-(155,35)-(155,65)-(5,65)-(5,35) pen 2/1/0x0000FF00 rop 13",
                     "MoveTo (10,40)", "LineTo (10,40)-(5,35) pen 2/1/0x0000FF00 rop 13"}));
    EXPECT_EQ(angle->GetLabelFrame(), CRect(5, 35, 155, 65));

    // At zoom 2 the nodes double; the pen never grows.
    dc.Clear();
    angle->SetLineWidth(3);
    angle->Draw(&dc, 2.0, CGraphicItem::drawNoLabels, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines()[1], "LineTo (80,20)-(20,20) pen 0/3/0x0000FF00 rop 13");
    EXPECT_EQ(dc.DrawingLines().size(), 6u);

    // A hit picks a segment, whose two nodes show.
    dc.Clear();
    angle->Draw(&dc, 1.0, 0, 0, 1.0);
    struct Case {
        double x, y;
        int hit, segment;
        const char* squares[2]; // the node squares of a picked segment
    };
    const Case cases[] = {
        {25, 11, -1, 0, {"(37,7)-(43,13)", "(7,7)-(13,13)"}},
        {11, 25, -1, 2, {"(7,7)-(13,13)", "(7,37)-(13,43)"}},
        {11, 12, 2, -1, {}},  // node 2 before node 3
        {20, 50, -2, -1, {}}, // the label
        {30, 30, 0, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        CVector p(c.x, c.y);
        const int hit = angle->HitTest(&p, 1.0);
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(angle->GetHitSegment(), c.segment);
        if (hit != -1)
            continue;
        angle->SetFocus(hit);
        dc.Clear();
        angle->Draw(&dc, 1.0, 0, 0, 1.0);
        EXPECT_EQ(dc.LinesNamed("FillSolidRect"),
                  (Lines{"FillSolidRect " + std::string(c.squares[0]) + " colour 0x00000000",
                         "FillSolidRect " + std::string(c.squares[1]) + " colour 0x00000000"}));
    }
    // Picked by a node: every node shows.
    angle->SetFocus(3);
    dc.Clear();
    angle->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("FillSolidRect").size(), 4u);
}

TEST_F(GrAngleTest, MovesSegmentsTheWholeAngleOrTheSharedVertex) {
    struct Case {
        double px, py; // the point hit first, or none for (0, 0)
        int node;
        Points nodes;
    };
    const Case cases[] = {
        {11, 25, -1, {{40, 10}, {10, 10}, {15, 15}, {15, 45}}}, // the second line
        {25, 11, -1, {{45, 15}, {15, 15}, {10, 10}, {10, 40}}}, // the first line
        {0, 0, -3, {{45, 15}, {15, 15}, {15, 15}, {15, 45}}},
        {0, 0, 2, {{40, 10}, {15, 15}, {15, 15}, {10, 40}}}, // the vertex stays shared
        {0, 0, 3, {{40, 10}, {15, 15}, {15, 15}, {10, 40}}},
        {0, 0, 4, {{40, 10}, {10, 10}, {10, 10}, {15, 45}}},
        {200, 200, -1, {{40, 10}, {10, 10}, {10, 10}, {10, 40}}}, // nothing hit: nothing moves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        auto angle = Angle({{40, 10}, {10, 10}, {10, 10}, {10, 40}});
        CVector p(c.px, c.py);
        if (c.px != 0)
            angle->HitTest(&p, 1.0);
        angle->Move(5, 5, c.node);
        EXPECT_EQ(Nodes(*angle), c.nodes);
        EXPECT_EQ(angle->GetLabel().GetNode(0), CVector(10, 40)); // the label stays
    }
    // Two separate lines: node 2 moves alone. The label moves alone with -2.
    auto lines = Angle({{0, 0}, {10, 0}, {20, 0}, {30, 10}});
    lines->Move(1, 1, 2);
    lines->Move(-3, 4, CGraphicItem::hitLabel);
    EXPECT_EQ(Nodes(*lines), (Points{{0, 0}, {11, 1}, {20, 0}, {30, 10}}));
    EXPECT_EQ(lines->GetLabel().GetNode(0), CVector(27, 14));
}

TEST_F(GrAngleTest, StoresFourNodesTheTagAndTheLabel) {
    auto angle = Angle({{10, 0}, {0, 0}}); // two nodes placed
    const Bytes bytes = StoreObject(angle.get());
    Bytes expected;
    AppendNewClass(expected, "CGrAngle");
    AppendItemBody(expected, {10, 0, 0, 0, 0, 0, 0, 0});
    AppendDword(expected, 1); // angle tag
    AppendItemBody(expected, {0, 0, 0, 0});
    AppendDword(expected, 1); // label tag
    AppendFont(expected, "Arial", "Regular", 0, 400, 0, 0, 0, 15, 0);
    Append(expected, {0}); // no text yet: the value came with the fourth node
    EXPECT_EQ(bytes, expected);

    const auto loaded = LoadObject<CGrAngle>(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetAngleStr(), "?"); // arms (10, 0) and (0, 0)
    EXPECT_EQ(loaded->AcceptMoreNodes(), 0);
    EXPECT_EQ(StoreObject(loaded.get()).size(), bytes.size() + 1);
}

} // namespace
} // namespace vellum::test
