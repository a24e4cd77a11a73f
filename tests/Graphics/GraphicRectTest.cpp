#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/backends/cairo/CairoDC.h>

#include <array>

namespace vellum::test {
namespace {

using Quad = std::array<double, 8>; // x0, y0, x1, y1, x2, y2, x3, y3

const Quad kAxis = {0, 0, 0, 10, 20, 10, 20, 0};
const Quad kDiamond = {0, 0, -10, 10, 0, 20, 10, 10}; // a 45° square standing on c0

// "x,y x,y x,y x,y", six significant digits.
std::string Corners(const CGraphicRect& rect) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char xy[64];
        std::snprintf(xy, sizeof xy, "%s%g,%g", i ? " " : "", rect.GetCorner(i).x + 0.0,
                      rect.GetCorner(i).y + 0.0);
        text += xy;
    }
    return text;
}

template <class Rect> class CProbe : public Rect {
public:
    using CGraphicRect::IsValid;
    explicit CProbe(const Quad& q = {}) {
        for (int i = 0; i < 4; ++i)
            this->m_aCorners[i] = CVector(q[2 * i], q[2 * i + 1]);
    }
};
using CRectProbe = CProbe<CGraphicRect>;

TEST(GraphicRect, EditsKeepARectangle) {
    struct Case {
        Quad start;
        char op; // s: SetStart(a, b); e: SetEnd(a, b); m: Move(a, b, node); S: the selection's Move
        double a, b;
        int node;
        const char* corners;
    };
    const Quad unit = {10, 20, 10, 21, 11, 21, 11, 20};
    const Case cases[] = {
        {kAxis, 's', 10, 20, 0, "10,20 10,21 11,21 11,20"},
        {unit, 'e', 10, 30, 0, "10,20 10,30 11,30 11,20"}, // never zero wide
        {unit, 'e', 4, 20, 0, "10,20 10,21 4,21 4,20"},    // nor zero high
        {kDiamond, 'e', 2.5, 7, 0, "0,0 0,7 2.5,7 2.5,0"}, // axis-parallel again
        {kDiamond, 'e', -3, -5, 0, "0,0 0,-5 -3,-5 -3,0"}, // up and left: still c2
        {kAxis, 'm', 5, 3, 3, "0,0 0,13 25,13 25,0"},
        {kAxis, 'm', 2, 1, 1, "2,1 2,10 20,10 20,1"},
        {kAxis, 'm', -30, 0, 3, "0,0 0,10 20,10 20,0"},   // across the opposite edge
        {kAxis, 'm', 0, -10, 3, "0,0 0,10 20,10 20,0"},   // onto it
        {kAxis, 'm', -20, -10, 3, "0,0 0,10 20,10 20,0"}, // onto the opposite corner
        {kAxis, 'm', 5, 3, 0, "0,0 0,10 20,10 20,0"},
        {kAxis, 'm', 5, 3, 5, "0,0 0,10 20,10 20,0"},
        {kAxis, 'm', 5, -3, -1, "5,-3 5,7 25,7 25,-3"},
        {kDiamond, 'm', 0, 10, 3, "0,0 -15,15 0,30 15,15"},
        {kDiamond, 'm', 4, 0, 2, "2,2 -6,10 2,18 10,10"},
        {kDiamond, 'm', 11, 11, 2, "0,0 -10,10 0,20 10,10"}, // out of the right angle at c3
        {kAxis, 'S', 5, 3, 3, "0,0 0,10 20,10 20,0"},
        {kAxis, 'S', 5, 3, -1, "0,0 0,10 20,10 20,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.op) + " " + std::to_string(c.a) + " " + c.corners);
        CRectProbe rect(c.start);
        CProbe<CGraphicSelectionRect> selection(c.start);
        CVector p(c.a, c.b);
        if (c.op == 's')
            rect.SetStart(&p);
        else if (c.op == 'e')
            rect.SetEnd(&p, 1);
        else if (c.op == 'm')
            rect.Move(c.a, c.b, c.node);
        else
            selection.Move(c.a, c.b, c.node);
        EXPECT_EQ(c.op == 'S' ? Corners(selection) : Corners(rect), c.corners);
    }
    EXPECT_EQ(CRectProbe(kDiamond).GetCenterPoint(), CVector(0, 10));
}

TEST(GraphicRect, DraggingEachCornerOfATurnedRectangleKeepsItsAnglesAndOrientation) {
    for (int node = 1; node <= 4; ++node) {
        SCOPED_TRACE(node);
        CRectProbe rect(kAxis);
        rect.Rotate(PI / 6, nullptr);
        const CVector opposite = rect.GetCorner((node + 1) % 4);
        const CVector edge = rect.GetCorner(3) - rect.GetCorner(0);
        const CVector outwards = rect.GetCorner(node - 1) - opposite;
        rect.Move(outwards.x * 0.25 + 1.5, outwards.y * 0.25 - 0.5, node);
        EXPECT_NE(rect.GetCorner(node - 1).x, (opposite + outwards).x) << "the drag was refused";
        EXPECT_TRUE(rect.GetCorner((node + 1) % 4) == opposite);
        EXPECT_EQ(rect.IsValid(), 1);
        for (int k = 0; k < 4; ++k) {
            const CVector u = rect.GetCorner((k + 1) % 4) - rect.GetCorner(k);
            const CVector w = rect.GetCorner((k + 3) % 4) - rect.GetCorner(k);
            EXPECT_NEAR(u.x * w.x + u.y * w.y, 0.0, 1e-9) << "corner " << k;
        }
        const CVector turned = rect.GetCorner(3) - rect.GetCorner(0);
        EXPECT_NEAR(edge.Angle(&turned), 0.0, 1e-12);
    }
}

TEST(GraphicRect, ValidityAcceptsAnglesFrom89_5To90_5Degrees) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Quadrilaterals with one angle near a bound at c0 and the other three within 90 ± 0.31°.
    const std::pair<Quad, int> cases[] = {
        {{0, 0, 0.384, 39.998, 100.206, 39.259, 100, 0}, 0}, // 89.45°
        {{0, 0, 0.314, 39.999, 100.206, 39.349, 100, 0}, 1}, // 89.55°
        {{0, 0, -0.314, 39.999, 99.787, 40.649, 100, 0}, 1}, // 90.45°
        {{0, 0, -0.384, 39.998, 99.787, 40.739, 100, 0}, 0}, // 90.55°
        {kAxis, 1},
        {{0, 0, 0, 10, 0, 10, 0, 0}, 0}, // zero wide
        {{5, 5, 5, 5, 5, 5, 5, 5}, 0},
        {{0, 0, 0, 10, nan, 10, 20, 0}, 0},
    };
    for (const auto& [corners, valid] : cases)
        EXPECT_EQ(CRectProbe(corners).IsValid(), valid) << corners[2];
}

TEST(GraphicRect, HitTestFindsHandlesFirstThenTheInside) {
    struct Case {
        Quad corners;
        double x, y, zoom;
        int hit;
    };
    const Quad box = {10, 10, 10, 20, 30, 20, 30, 10};
    const Case cases[] = {
        {box, 14.4, 10, 1, 1},      {box, 14.6, 12, 1, -1}, // handles of half size 5
        {box, 4.6, 10, 1, 1},       {box, 4.4, 10, 1, 0},     {box, 25, 24.4, 1, 3},
        {box, 25, 25, 1, 0},        {box, 11.4, 10, 2, 1}, // half size 2 at zoom 2
        {box, 12, 10, 2, -1},       {box, 20, 20, 2, 0},   // top edge in, bottom edge out
        {box, 10, 15, 2, -1},       {box, 29, 15, 2, -1},     {box, 30, 15, 2, 0}, // right edge out
        {box, 19, 10, 0.1, 1},      {box, 20, 10, 0.1, 3}, // half size 10; c2 comes before c3
        {kDiamond, 3, 6, 100, -1},  {kDiamond, 6, 3, 100, 0}, {kDiamond, 0, 0.4, 100, 1},
        {kDiamond, 1, 0.4, 100, 0},
    };
    for (const Case& c : cases) {
        CVector p(c.x, c.y);
        EXPECT_EQ(CRectProbe(c.corners).HitTest(&p, c.zoom), c.hit)
            << c.x << "," << c.y << " zoom " << c.zoom;
    }
}

TEST(GraphicRect, DrawsAClosedOutlineThenTheCornerSquares) {
    CRectProbe rect({10.25, 0, 0.25, 10, 10.25, 20, 20.25, 10});
    rect.SetLineWidth(3);
    rect.SetFocus(-1);
    CRecordingDC dc;
    rect.Draw(&dc, 2.0, 0, 0, 1.0);
    const Lines expected = {
        "SelectPen 0/3/0x0000FF00",
        "SetBkMode 1",
        "Polyline (21,0)-(1,20)-(21,40)-(41,20)-(21,0) pen 0/3/0x0000FF00 rop 13",
        "SetBkColor 0x00000000",
        "FillSolidRect (18,-3)-(24,3) colour 0x00000000",
        "SetBkColor 0x00000000",
        "FillSolidRect (-2,17)-(4,23) colour 0x00000000",
        "SetBkColor 0x00000000",
        "FillSolidRect (18,37)-(24,43) colour 0x00000000",
        "SetBkColor 0x00000000",
        "FillSolidRect (38,17)-(44,23) colour 0x00000000",
        "SetBkColor 0x00FFFFFF",
        "SelectPen 0/1/0x00000000",
        "SetBkMode 2",
    };
    EXPECT_EQ(dc.Lines(), expected);

    CProbe<CGraphicSelectionRect> selection({10.25, 0, 0.25, 10, 10.25, 20, 20.25, 10});
    selection.SetLineWidth(3);
    CRecordingDC dotted;
    selection.Draw(&dotted, 0.5, 0, 0, 1.0);
    EXPECT_EQ(dotted.LinesNamed("Polyline"),
              Lines{"Polyline (5,0)-(0,5)-(5,10)-(10,5)-(5,0) pen 2/1/0x0000FF00 rop 13"});
    for (CGraphicRect* item : std::initializer_list<CGraphicRect*>{&rect, &selection}) {
        item->SetFocus(-1);
        item->SetDrag(1);
        CRecordingDC dragged;
        item->Draw(&dragged, 1.0, 0, 0, 1.0);
        EXPECT_EQ(dragged.DrawingLines(),
                  Lines{"Polyline (10,0)-(0,10)-(10,20)-(20,10)-(10,0) pen 0/2/0x00000000 rop 13"});
    }
}

TEST(GraphicRect, StoresTheBaseFieldsTagAndCornersAndTheSelectionNothing) {
    CRectProbe rect;
    CVector start(1, 2), end(4, 6);
    rect.SetStart(&start);
    rect.SetEnd(&end, 0);
    CProbe<CGraphicSelectionRect> selection(kAxis);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &rect << &selection; });
    Bytes expected;
    AppendNewClass(expected, "CGraphicRect");
    AppendItemBody(expected, {}); // the base node array stays empty
    AppendDword(expected, 1);     // rectangle tag
    for (double v : {1, 2, 1, 6, 4, 6, 4, 2})
        AppendDouble(expected, v);
    AppendNewClass(expected, "CGraphicSelectionRect"); // and an empty body
    EXPECT_EQ(bytes, expected);

    Load(bytes, [&](CArchive& ar) {
        std::unique_ptr<CObject> back(ar.ReadObject(RUNTIME_CLASS(CGraphicRect)));
        std::unique_ptr<CObject> band(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
        ASSERT_EQ(back->GetRuntimeClass(), RUNTIME_CLASS(CGraphicRect));
        EXPECT_EQ(Corners(static_cast<CGraphicRect&>(*back)), "1,2 1,6 4,6 4,2");
        ASSERT_EQ(band->GetRuntimeClass(), RUNTIME_CLASS(CGraphicSelectionRect));
        EXPECT_EQ(Corners(static_cast<CGraphicRect&>(*band)), "0,0 0,0 0,0 0,0");
        EXPECT_FALSE(band->IsKindOf(RUNTIME_CLASS(CGraphicRect)));
    });
}

TEST(GraphicRect, DamagedCornersLoadAsStoredAndStayDrawable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int hit;      // at (12, 11), zoom 100
        bool dragged; // whether a corner drag is taken
        Quad stored;
        const char* loaded;
    };
    const Case cases[] = {
        {-1, false, {10, 10, 10, 20, 40, 30, 30, 10}, "10,10 10,20 40,30 30,10"}, // no rectangle
        {0, false, {nan, 10, 10, nan, 30, 20, 30, 10}, "0,10 10,0 30,20 30,10"},
        {0, false, {-1e300, 10, 10, inf, 3e9, 20, 30, -inf}, "-1e+300,10 10,inf 3e+09,20 30,-inf"},
        {1, false, {12, 11, 12, 11, 12, 11, 12, 11}, "12,11 12,11 12,11 12,11"},
        {-1, true, {40, 30, 40, 5, 10, 5, 10, 30}, "40,30 40,5 10,5 10,30"}, // inside out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loaded);
        Bytes body;
        AppendItemBody(body, {});
        AppendDword(body, 1);
        for (double v : c.stored)
            AppendDouble(body, v);
        CRectProbe rect;
        Load(body, [&](CArchive& ar) { rect.Serialize(ar); });
        EXPECT_EQ(Corners(rect), c.loaded);
        CRecordingDC dc;
        rect.Draw(&dc, 1.0, 0, 0, 1.0);
        EXPECT_EQ(dc.LinesNamed("Polyline").size(), 1u);
        CVector probe(12, 11);
        EXPECT_EQ(rect.HitTest(&probe, 100), c.hit);
        rect.Move(1, 1, 3);
        EXPECT_EQ(Corners(rect) != c.loaded, c.dragged);
        auto raster = CCairoDC::CreateImage(64, 48, RGB(0, 0, 0));
        rect.SetFocus(-1);
        rect.Draw(raster.get(), 2.0, 0, 0, 1.0);
    }
}

} // namespace
} // namespace vellum::test
