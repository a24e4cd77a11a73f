#include "support/ArchiveBytes.h"

#include <vellum/Graphics/GraphicRect.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Corners = std::array<CVector, 4>;

class CExposedRect : public CGraphicRect {
public:
    using CGraphicRect::IsValid;
    void SetCorners(const Corners& corners) {
        for (int i = 0; i < 4; ++i)
            m_aCorners[i] = corners[i];
    }
    Corners GetCorners() const {
        return {m_aCorners[0], m_aCorners[1], m_aCorners[2], m_aCorners[3]};
    }
};

std::string Text(const Corners& corners) {
    std::string text;
    for (const CVector& c : corners)
        text += "(" + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
    return text;
}

void ExpectCornersNear(const Corners& actual, const Corners& expected, double tolerance) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, tolerance)
            << "corner " << i << " of " << Text(actual);
        EXPECT_NEAR(actual[i].y, expected[i].y, tolerance)
            << "corner " << i << " of " << Text(actual);
    }
}

const Corners kAxis = {CVector(0, 0), CVector(0, 10), CVector(20, 10), CVector(20, 0)};
// A 20 × 20 square standing on its corner c0.
const Corners kDiamond = {CVector(0, 0), CVector(-10, 10), CVector(0, 20), CVector(10, 10)};

TEST(GraphicRect, StartAndEndMakeAnAxisParallelRectangleNeverZeroWide) {
    CExposedRect rect;
    EXPECT_EQ(Text(rect.GetCorners()), Text({}));
    EXPECT_EQ(rect.GetNodeCount(), 4);

    CVector start(10, 20);
    rect.SetStart(&start);
    EXPECT_EQ(Text(rect.GetCorners()),
              Text({CVector(10, 20), CVector(10, 21), CVector(11, 21), CVector(11, 20)}));

    struct Case {
        CVector end;
        Corners expected;
    };
    const Case cases[] = {
        {CVector(10, 30), {CVector(10, 20), CVector(10, 30), CVector(11, 30), CVector(11, 20)}},
        {CVector(4, 20), {CVector(10, 20), CVector(10, 21), CVector(4, 21), CVector(4, 20)}},
        {CVector(10, 20), {CVector(10, 20), CVector(10, 21), CVector(11, 21), CVector(11, 20)}},
        {CVector(2.5, 7), {CVector(10, 20), CVector(10, 7), CVector(2.5, 7), CVector(2.5, 20)}},
    };
    for (const Case& c : cases) {
        CVector end = c.end;
        rect.SetEnd(&end, 1);
        EXPECT_EQ(Text(rect.GetCorners()), Text(c.expected));
        EXPECT_EQ(rect.IsValid(), 1);
    }
    // Up and to the left of the start: the centre, a corner and the inside still answer.
    EXPECT_EQ(rect.GetCenterPoint().x, 6.25);
    EXPECT_EQ(rect.GetCenterPoint().y, 13.5);
    CVector inside(6, 13), corner(2.5, 20);
    EXPECT_EQ(rect.HitTest(&inside, 1.0), -1);
    EXPECT_EQ(rect.HitTest(&corner, 1.0), 4);
    EXPECT_THROW(rect.GetCorner(4), CInvalidArgException);
}

TEST(GraphicRect, CornerDragsSlideTheNeighboursAlongTheirEdges) {
    struct Case {
        Corners start;
        double dx, dy;
        int node;
        Corners expected;
    };
    const Case cases[] = {
        {kAxis, 5, 3, 3, {CVector(0, 0), CVector(0, 13), CVector(25, 13), CVector(25, 0)}},
        {kAxis, 2, 1, 1, {CVector(2, 1), CVector(2, 10), CVector(20, 10), CVector(20, 1)}},
        {kAxis, -30, 0, 3, kAxis},   // across the opposite edge
        {kAxis, 0, -10, 3, kAxis},   // onto the opposite edge
        {kAxis, -20, -10, 3, kAxis}, // onto the opposite corner
        {kAxis, 5, 3, 0, kAxis},
        {kAxis, 5, 3, 5, kAxis},
        {kAxis, 5, 3, -2, kAxis},
        {kAxis, 5, -3, -1, {CVector(5, -3), CVector(5, 7), CVector(25, 7), CVector(25, -3)}},
        {kDiamond, 0, 10, 3, {CVector(0, 0), CVector(-15, 15), CVector(0, 30), CVector(15, 15)}},
        {kDiamond, 4, 0, 2, {CVector(2, 2), CVector(-6, 10), CVector(2, 18), CVector(10, 10)}},
        {kDiamond, 11, 11, 2, kDiamond}, // out of the right angle at c3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.start) + " node " + std::to_string(c.node));
        CExposedRect rect;
        rect.SetCorners(c.start);
        rect.Move(c.dx, c.dy, c.node);
        ExpectCornersNear(rect.GetCorners(), c.expected, 1e-12);
    }
}

TEST(GraphicRect, DraggingEachCornerOfARotatedRectangleKeepsItsAnglesAndOrientation) {
    for (int node = 1; node <= 4; ++node) {
        SCOPED_TRACE("node " + std::to_string(node));
        CExposedRect rect;
        rect.SetCorners(kAxis);
        rect.Rotate(PI / 6, nullptr);
        const Corners before = rect.GetCorners();
        const CVector edge = before[3] - before[0];
        // A drag outwards along the diagonal that leaves this corner, then off it.
        const CVector outwards = before[node - 1] - before[(node + 1) % 4];
        rect.Move(outwards.x * 0.25 + 1.5, outwards.y * 0.25 - 0.5, node);
        const Corners after = rect.GetCorners();
        ASSERT_NE(Text(after), Text(before)) << "the drag was refused";
        EXPECT_EQ(Text({after[(node + 1) % 4]}), Text({before[(node + 1) % 4]}));
        EXPECT_EQ(rect.IsValid(), 1);
        for (int k = 0; k < 4; ++k) {
            const CVector u = after[(k + 1) % 4] - after[k];
            const CVector w = after[(k + 3) % 4] - after[k];
            EXPECT_NEAR(u.x * w.x + u.y * w.y, 0.0, 1e-9) << "corner " << k;
        }
        const CVector turned = after[3] - after[0];
        EXPECT_NEAR(edge.Angle(&turned), 0.0, 1e-12);
    }
}

TEST(GraphicRect, ValidityAcceptsAnglesFrom89_5To90_5Degrees) {
    struct Case {
        double degrees; // the angle at c0 of a parallelogram; the others follow
        int valid;
    };
    const Case cases[] = {{89.49, 0}, {89.51, 1}, {90.0, 1}, {90.49, 1}, {90.51, 0}, {60, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        const double a = c.degrees * PI / 180;
        const CVector side(40 * std::cos(a), 40 * std::sin(a));
        CExposedRect rect;
        rect.SetCorners({CVector(0, 0), side, side + CVector(100, 0), CVector(100, 0)});
        EXPECT_EQ(rect.IsValid(), c.valid);
    }
    CExposedRect flat;
    flat.SetCorners({CVector(0, 0), CVector(0, 10), CVector(0, 10), CVector(0, 0)});
    EXPECT_EQ(flat.IsValid(), 0);
    flat.SetCorners({CVector(5, 5), CVector(5, 5), CVector(5, 5), CVector(5, 5)});
    EXPECT_EQ(flat.IsValid(), 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    flat.SetCorners({CVector(0, 0), CVector(0, 10), CVector(nan, 10), CVector(20, 0)});
    EXPECT_EQ(flat.IsValid(), 0);
}

TEST(GraphicRect, HitTestFindsHandlesFirstThenTheInside) {
    struct Case {
        Corners corners;
        double x, y, zoom;
        int hit;
    };
    const Corners box = {CVector(10, 10), CVector(10, 20), CVector(30, 20), CVector(30, 10)};
    const Case cases[] = {
        {box, 14.4, 10, 1.0, 1},  // handle half size 5: x rounds to 14
        {box, 14.6, 12, 1.0, -1}, // rounds to 15, beyond the handle, inside
        {box, 4.6, 10, 1.0, 1},   // rounds to 5, the handle's left edge
        {box, 4.4, 10, 1.0, 0},   // rounds to 4
        {box, 25, 24.4, 1.0, 3},    {box, 25, 25, 1.0, 0}, // the handle's bottom edge is excluded
        {box, 11.4, 10, 2.0, 1},                           // half size 2 at zoom 2
        {box, 12, 10, 2.0, -1},                            // on the top edge: inside
        {box, 20, 20, 2.0, 0},                             // on the bottom edge: outside
        {box, 29, 15, 2.0, -1},     {box, 30, 15, 2.0, 0}, // on the right edge: outside
        {box, 19, 10, 0.1, 1},                             // half size capped at 10
        {box, 20, 10, 0.1, 3}, // c2's handle reaches it too, and comes first
        {kDiamond, 0, 10, 100, -1}, {kDiamond, 3, 6, 100, -1},
        {kDiamond, 6, 3, 100, 0},   // beside the slanted edge c3–c0
        {kDiamond, 0, 0.4, 100, 1}, // half size 1 at zoom 100
        {kDiamond, 1, 0.4, 100, 0}, {kDiamond, 0, 1, 100, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " zoom " +
                     std::to_string(c.zoom));
        CExposedRect rect;
        rect.SetCorners(c.corners);
        CVector p(c.x, c.y);
        EXPECT_EQ(rect.HitTest(&p, c.zoom), c.hit);
    }
}

TEST(GraphicRect, DrawsAClosedOutlineThenTheCornerSquares) {
    CExposedRect rect;
    rect.SetCorners(kDiamond);
    rect.Move(10.25, 0, -1);
    rect.SetLineWidth(3);
    rect.SetFocus(-1);
    CRecordingDC dc;
    rect.Draw(&dc, 2.0, 0, 0, 1.0);
    const std::vector<std::string> expected = {
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

    // Dragged: the black drag pen and no squares; unfocused: no squares either.
    rect.SetDrag(1);
    CRecordingDC dragged;
    rect.Draw(&dragged, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dragged.DrawingLines(),
              std::vector<std::string>{
                  "Polyline (10,0)-(0,10)-(10,20)-(20,10)-(10,0) pen 0/2/0x00000000 rop 13"});
    rect.SetDrag(0);
    rect.SetFocus(0);
    CRecordingDC unfocused;
    rect.Draw(&unfocused, 0.5, 0, 0, 1.0);
    EXPECT_EQ(unfocused.DrawingLines(),
              std::vector<std::string>{
                  "Polyline (5,0)-(0,5)-(5,10)-(10,5)-(5,0) pen 0/2/0x0000FF00 rop 13"});
}

TEST(GraphicRect, StoresBaseFieldsTagAndCorners) {
    CExposedRect rect;
    CVector start(1, 2), end(4, 6);
    rect.SetStart(&start);
    rect.SetEnd(&end, 0);
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(&rect); });
    Bytes expected;
    AppendNewClass(expected, "CGraphicRect");
    AppendDword(expected, 2);     // format version
    AppendWord(expected, 0);      // the base node array stays empty
    AppendWord(expected, 0x0020); // class
    AppendDword(expected, 0x0000FF00);
    AppendDouble(expected, 1.0);
    AppendDword(expected, 1); // rectangle tag
    for (double v : {1.0, 2.0, 1.0, 6.0, 4.0, 6.0, 4.0, 2.0})
        AppendDouble(expected, v);
    EXPECT_EQ(bytes, expected);

    Load(bytes, [&](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
        ASSERT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CGraphicRect));
        auto* loaded = static_cast<CGraphicRect*>(object.get());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Text({loaded->GetCorner(i)}), Text({rect.GetCorners()[i]}));
        EXPECT_EQ(loaded->GetNodeCount(), 4);
        EXPECT_EQ(Store([&](CArchive& out) { out.WriteObject(loaded); }), bytes);
    });
}

} // namespace
} // namespace vellum::test
