// The base item, the line of two ends and the polyline of any number of nodes.
#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/platform/Exceptions.h>

namespace vellum::test {
namespace {

TEST(GraphicItem, NodeToleranceFollowsZoomWithinLimits) {
    auto item = ItemWith({{10, 10}, {60, 60}});
    struct Row {
        double x, y, zoom;
        int node;
    };
    // Zoom 2: the square 8 <= x < 12, after rounding; zoom 0.1: 50 pixels, capped at twice the
    // gap; zoom 100: never below one pixel. Nodes are numbered from 1.
    const Row rows[] = {
        {8, 8, 2, 1},     {11.4, 11.4, 2, 1}, {7.6, 10, 2, 1},  {7.4, 10, 2, 0}, {12, 10, 2, 0},
        {10, 12, 2, 0},   {19.4, 10, 0.1, 1}, {20, 10, 0.1, 0}, {0, 0, 0.1, 1},  {9, 10, 100, 1},
        {10, 10, 100, 1}, {11, 10, 100, 0},   {60, 61, 1, 2},
    };
    for (const Row& r : rows) {
        CVector p(r.x, r.y);
        EXPECT_EQ(item->PntInNode(&p, r.zoom), r.node) << r.x << "," << r.y << " zoom " << r.zoom;
    }
}

// The base prefers nodes, then takes the bounds enlarged twice by the gap; a line measures
// its distance to the segment instead.
TEST(GraphicItem, HitTestFindsNodesThenTheBodyOfEachKind) {
    auto item = ItemWith({{0, 0}, {20, 0}}); // bounds (-1, -1, 21, 1): -11 <= y < 11
    auto line = Placed<CGraphicLine>({{0, 0}, {100, 0}}, 0);
    auto diagonal = Placed<CGraphicLine>({{0, 0}, {100, 100}}, 0);
    auto slanted = Placed<CGraphicLine>({{0, 0}, {30, 40}}, 0);
    struct Row {
        CGraphicItem* item;
        double x, y, zoom;
        int hit;
    };
    // The line: within 5 pixels of the segment (-4.6 rounds to -5, the box's edge), its end
    // nodes, 10 image pixels at zoom 0.5. The diagonal's box alone would take the corner; the
    // distance does not. (19, 17) lies exactly 5 from the slanted line: out.
    const Row rows[] = {
        {item.get(), 20, 0, 1, 2},       {item.get(), 10, 0, 1, -1},
        {item.get(), 10, 10, 1, -1},     {item.get(), 10, -11, 1, -1},
        {item.get(), 10, 11, 1, 0},      {item.get(), 30, 0, 1, -1},
        {item.get(), 31, 0, 1, 0},       {line.get(), 50, 4.4, 1, -1},
        {line.get(), 50, 5, 1, 0},       {line.get(), 50, -4.6, 1, -1},
        {line.get(), 103, 0, 1, 2},      {line.get(), 104, 0, 1, 2},
        {line.get(), 106, 0, 1, 0},      {line.get(), -2, 1, 1, 1},
        {line.get(), 50, 9, 0.5, -1},    {line.get(), 50, 10, 0.5, 0},
        {diagonal.get(), 50, 53, 1, -1}, {diagonal.get(), 90, 10, 1, 0},
        {slanted.get(), 19, 17, 1, 0},   {slanted.get(), 18.9, 17.1, 1, -1},
    };
    for (const Row& r : rows) {
        CVector p(r.x, r.y);
        EXPECT_EQ(r.item->HitTest(&p, r.zoom), r.hit) << &r - rows;
    }
    auto path = ItemWith({{0, 0}, {100, 0}, {100, 100}});
    CVector onFirst(50, 3), onSecond(103, 50), between(50, 50), corner(100, 0);
    EXPECT_EQ(path->PntInNodeLines(&onFirst, 1.0), 0);
    EXPECT_EQ(path->PntInNodeLines(&onSecond, 1.0), 1);
    EXPECT_EQ(path->PntInNodeLines(&between, 1.0), -1);
    EXPECT_EQ(path->PntInNodeLines(&corner, 1.0), -1); // node hits do not count
}

TEST(GraphicItem, BoundsUniteSegmentsAndWidenDegenerateOnes) {
    auto flat = ItemWith({{0, 5}, {10, 5}});
    EXPECT_EQ(flat->GetBoundsRect(0), CRect(-1, 4, 11, 6));
    EXPECT_EQ(flat->GetBoundsRect(1), CRect(-6, -1, 16, 11));
    auto bent = ItemWith({{0, 0}, {10, 10}, {20, 5}});
    EXPECT_EQ(bent->GetBoundsRect(0), CRect(0, 0, 20, 10));
    EXPECT_EQ(bent->GetBoundsRect(1), CRect(-5, -5, 25, 15));
    auto reversed = ItemWith({{10, 10}, {0.6, 2.4}}); // normalised, rounded to (1, 2)
    EXPECT_EQ(reversed->GetBoundsRect(0), CRect(1, 2, 10, 10));
    EXPECT_EQ(ItemWith({{7, 7}})->GetBoundsRect(1), CRect(0, 0, 0, 0));
    // Bounds (-15, -15, 2, 2): the centre truncates (-13 / 2) to -6, not -7.
    EXPECT_EQ(ItemWith({{-3, -3}, {-10, -10}})->GetCenterPoint(), CVector(-6, -6));
}

TEST(GraphicItem, MoveScaleFlipAndRotateTheNodes) {
    auto item = ItemWith({{0, 0}, {10, 0}, {10, 10}});
    item->Move(3, 4, 2);
    EXPECT_EQ(Nodes(*item), (Points{{0, 0}, {13, 4}, {10, 10}}));
    item->Move(3, 4, -1);
    item->Move(1, 1, 0); // not a node number
    item->Move(1, 1, 4);
    EXPECT_EQ(Nodes(*item), (Points{{3, 4}, {16, 8}, {13, 14}}));
    item->Scale(0, 2, nullptr);
    item->Scale(2, -1, nullptr);
    CVector centre(3, 4);
    item->Scale(2, 3, &centre);
    EXPECT_EQ(Nodes(*item), (Points{{3, 4}, {29, 16}, {23, 34}}));

    auto flip = ItemWith({{30, 7}, {-5, 8}});
    flip->FlipHorizontal(100);
    EXPECT_EQ(Nodes(*flip), (Points{{170, 7}, {205, 8}}));

    // About the default centre (5, 0): counter-clockwise on screen by a quarter turn.
    auto turn = ItemWith({{0, 0}, {10, 0}});
    turn->Rotate(PI / 2, nullptr);
    EXPECT_NEAR(turn->GetNode(0).x, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(0).y, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(1).x, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(1).y, -5.0, 1e-9);
}

TEST(GraphicItem, ALineStartsAsAPointAndAPolylineGrowsNodeByNode) {
    EXPECT_EQ(Nodes(*Placed<CGraphicLine>({{4, 5}})), (Points{{4, 5}, {4, 5}}));
    CGrPolyLine poly;
    CVector p0(0, 0), p1(3, 4), p2(3, 10), moving(1, 1);
    poly.SetStart(&p0);
    EXPECT_EQ(poly.GetLength(), 0.0); // a single node has no length
    poly.SetEnd(&moving, 1);          // opens the second node
    poly.SetEnd(&p1, 0);              // the rubber band follows the mouse
    poly.SetEnd(&p2, 1);              // a click adds the third
    EXPECT_EQ(Nodes(poly), (Points{p0, p1, p2}));
    EXPECT_DOUBLE_EQ(poly.GetLength(), 11.0);
    for (int i = 0; i < 7; ++i) { // growing past the initial two elements keeps every node
        CVector next(3, 10 + i + 1);
        poly.SetEnd(&next, 1);
    }
    EXPECT_EQ(poly.GetNodeCount(), 10);
    EXPECT_DOUBLE_EQ(poly.GetLength(), 18.0);
}

// The base stores its fields after the class record; a polyline adds nothing, a line keeps
// its ends after a tag with an empty node array.
TEST(GraphicItem, StoresItsFieldsAfterTheClassRecord) {
    auto item = ItemWith({{1.5, -2}, {3, 4}});
    item->SetClass(0x0008);
    item->SetColor(0x00112233);
    item->SetLineWidth(3.0);
    Bytes expected;
    AppendNewClass(expected, "CGraphicItem");
    AppendItemBody(expected, {1.5, -2, 3, 4}, 0x0008, 0x00112233, 3.0);
    EXPECT_EQ(StoreObject(item.get()), expected);
    EXPECT_EQ(LoadObject<CGraphicItem>(expected)->GetLineWidth(), 3.0);

    auto poly = Placed<CGrPolyLine>({{1, 2}, {5, 6}});
    expected.clear();
    AppendNewClass(expected, "CGrPolyLine");
    AppendItemBody(expected, {1, 2, 5, 6});
    EXPECT_EQ(StoreObject(poly.get()), expected);
    const auto back = LoadObject<CGrPolyLine>(expected);
    ASSERT_NE(back, nullptr);
    EXPECT_DOUBLE_EQ(back->GetLength(), std::sqrt(32.0));

    auto line = Placed<CGraphicLine>({{1, 2}, {3, 4}}, 0);
    const Bytes bytes = Store([&](CArchive& ar) { line->Serialize(ar); });
    expected.clear();
    AppendItemBody(expected, {});
    AppendDword(expected, 1); // line tag
    for (double v : {1.0, 2.0, 3.0, 4.0})
        AppendDouble(expected, v);
    EXPECT_EQ(bytes, expected);
    // A NaN end point reads as 0.0.
    Bytes damaged = bytes;
    const double nan = std::nan("");
    std::memcpy(damaged.data() + 24 + 16, &nan, 8);
    CGraphicLine readBack;
    Load(damaged, [&](CArchive& ar) { readBack.Serialize(ar); });
    EXPECT_EQ(readBack.GetStart(), CVector(1, 2));
    EXPECT_EQ(readBack.GetEnd(), CVector(0, 4));
    EXPECT_EQ(readBack.GetNodeCount(), 2);
}

TEST(GraphicItem, VersionOneBodyIsReadAndWrittenBackAsVersionTwo) {
    Bytes versionOne;
    AppendDword(versionOne, 1);
    AppendWord(versionOne, 1);
    AppendDouble(versionOne, 5.0);
    AppendDouble(versionOne, 6.0);
    AppendWord(versionOne, 0x0010);
    AppendDword(versionOne, 0x000000FF);
    AppendDword(versionOne, 0xCAFEF00D); // the field version 2 dropped
    AppendDouble(versionOne, 2.0);
    AppendText(versionOne, "!");

    CGraphicItem item;
    Load(versionOne, [&](CArchive& ar) {
        item.Serialize(ar);
        BYTE next;
        ar >> next;
        EXPECT_EQ(next, '!'); // exactly the version-1 body was consumed
    });
    EXPECT_EQ(item.GetFormatVersion(), 2);
    EXPECT_EQ(item.GetColor(), 0x000000FFu);
    EXPECT_EQ(item.GetLineWidth(), 2.0);
    Bytes versionTwo;
    AppendItemBody(versionTwo, {5, 6}, 0x0010, 0x000000FF, 2.0);
    EXPECT_EQ(Store([&](CArchive& ar) { item.Serialize(ar); }), versionTwo);

    // A damaged node count fails at the end of the data.
    Bytes bytes;
    AppendDword(bytes, 2);
    AppendWord(bytes, 0xFFFF);
    AppendDword(bytes, 0xFFFFFFFF);
    AppendDouble(bytes, 1.0);
    EXPECT_EQ(CauseOf([&] { Load(bytes, [&](CArchive& ar) { item.Serialize(ar); }); }),
              CArchiveException::endOfFile);
}

} // namespace
} // namespace vellum::test
