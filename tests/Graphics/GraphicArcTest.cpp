#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicArc.h>

namespace vellum::test {
namespace {

TEST(GraphicArc, InnerPointsFollowTheEndsAndTheBodyIsTheControlPolygon) {
    auto arc = Placed<CGraphicArc>({{0, 0}, {10, 20}}); // (0,0) (0,10) (5,20) (10,20)
    arc->Move(3, 0, 2);                                 // reshapes the curve alone
    EXPECT_EQ(arc->GetControlPoint(1), CVector(3, 10));
    EXPECT_EQ(arc->GetCenterPoint(), CVector(5, 10));

    arc = Placed<CGraphicArc>({{0, 0}, {100, 100}}); // (0,0) (0,50) (50,100) (100,100)
    struct Case {
        double x, y;
        int hit;
    };
    const Case cases[] = {
        {2, 1, 1},     // node 1
        {1, 49, 2},    // node 2
        {20, 60, -1},  // inside the polygon, far from the curve
        {10, 90, 0},   // beyond the polygon's edge from (0,50) to (50,100)
        {60, 20, 0},   // the other side of the closing edge
        {104, 104, 4}, // node 4 within the tolerance
        {106, 106, 0},
    };
    for (const Case& c : cases) {
        CVector p(c.x, c.y);
        EXPECT_EQ(arc->HitTest(&p, 1.0), c.hit) << c.x << "," << c.y;
    }
    // A point arc is hit only on its nodes.
    auto point = Placed<CGraphicArc>({{5, 5}, {5, 5}});
    CVector far(40, 40);
    EXPECT_EQ(point->HitTest(&far, 1.0), 0);
}

TEST(GraphicArc, DrawsTheCurveAtTheZoomWithItsHandles) {
    auto arc = Placed<CGraphicArc>({{10, 10}, {30, 50}}); // (10,10) (10,30) (20,50) (30,50)
    CRecordingDC dc;
    arc->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines(),
              Lines{"PolyBezier (20,20)-(20,60)-(40,100)-(60,100) pen 0/1/0x0000FF00 rop 13"});

    // The four-argument drawing keeps the points unscaled. Picked by node 4: the end handle.
    arc->SetFocus(4);
    dc.Clear();
    arc->Draw(&dc, 2.0, 0, 0);
    EXPECT_EQ(dc.DrawingLines(),
              (Lines{"PolyBezier (10,10)-(10,30)-(20,50)-(30,50) pen 0/1/0x0000FF00 rop 13",
                     "FillSolidRect (27,47)-(33,53) colour 0x00000000",
                     "FillSolidRect (17,47)-(23,53) colour 0x00000000", "MoveTo (30,50)",
                     "LineTo (30,50)-(20,50) pen 2/1/0x0000FF00 rop 13"}));

    // Picked by the body while dragged: no squares and no handle lines; no handles at all
    // with drawNoNodes.
    arc->SetFocus(-1);
    arc->SetDrag(1);
    dc.Clear();
    arc->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines(),
              Lines{"PolyBezier (10,10)-(10,30)-(20,50)-(30,50) pen 0/2/0x00000000 rop 13"});
    arc->SetDrag(0);
    dc.Clear();
    arc->Draw(&dc, 1.0, CGraphicItem::drawNoNodes, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines().size(), 1u);
    dc.Clear();
    arc->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("FillSolidRect").size(), 4u);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST(GraphicArc, StoresAnEmptyNodeArrayTheTagAndFourPoints) {
    auto arc = Placed<CGraphicArc>({{0, 0}, {10, 20}});
    const Bytes bytes = StoreObject(arc.get());
    Bytes expected;
    AppendNewClass(expected, "CGraphicArc");
    AppendItemBody(expected, {}); // no node array: the points follow the tag
    AppendDword(expected, 1);
    for (double v : {0.0, 0.0, 0.0, 10.0, 5.0, 20.0, 10.0, 20.0})
        AppendDouble(expected, v);
    EXPECT_EQ(bytes, expected);

    const auto loaded = LoadObject<CGraphicArc>(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(StoreObject(loaded.get()), bytes);
}

} // namespace
} // namespace vellum::test
