#include <vellum/platform/Exceptions.h>
#include <vellum/platform/Rect.h>

#include <gtest/gtest.h>

using namespace vellum;

namespace {

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

} // namespace

TEST(RectTest, PointAndSizeArithmetic) {
    CPoint p(3, -4);
    const CSize s(10, 20);
    EXPECT_EQ(p + s, CPoint(13, 16));
    EXPECT_EQ(p - s, CPoint(-7, -24));
    EXPECT_EQ(p + CPoint(1, 1), CPoint(4, -3));
    EXPECT_EQ(CPoint(13, 16) - p, CSize(10, 20));
    EXPECT_EQ(-p, CPoint(-3, 4));
    EXPECT_EQ(-s, CSize(-10, -20));
    EXPECT_EQ(s + CSize(1, 2), CSize(11, 22));
    EXPECT_EQ(s - CSize(1, 2), CSize(9, 18));

    p += s;
    EXPECT_EQ(p, CPoint(13, 16));
    p -= CPoint(3, 6);
    EXPECT_EQ(p, CPoint(10, 10));
    p.Offset(-1, 2);
    EXPECT_EQ(p, CPoint(9, 12));
    p.Offset(CSize(1, -2));
    EXPECT_EQ(p, CPoint(10, 10));

    EXPECT_FALSE(CPoint(1, 2) == CPoint(2, 1));
    EXPECT_TRUE(CPoint(1, 2) != CPoint(1, 3));
    const POINT raw{7, 8};
    EXPECT_TRUE(raw == CPoint(7, 8));
    EXPECT_EQ(CPoint(), CPoint(0, 0));
    EXPECT_EQ(CSize(CPoint(5, 6)), CSize(5, 6));
}

TEST(RectTest, ConstructionAndMeasures) {
    const CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(20, 40));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(30, 60));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 40));

    EXPECT_EQ(CRect(CPoint(10, 20), CPoint(30, 60)), r);
    EXPECT_EQ(CRect(CPoint(10, 20), CSize(20, 40)), r);
    const RECT raw{10, 20, 30, 60};
    EXPECT_EQ(CRect(raw), r);
    const CRect taller(10, 20, 30, 61);
    EXPECT_TRUE(r.EqualRect(&raw));
    EXPECT_FALSE(r.EqualRect(&taller));
    EXPECT_TRUE(r != taller);
    ExpectRect(CRect(), 0, 0, 0, 0);

    // Odd sums round toward zero on both sides of the origin.
    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2));
}

TEST(RectTest, EmptyAndNull) {
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());  // no width
    EXPECT_TRUE(CRect(5, 5, 10, 5).IsRectEmpty());  // no height
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty()); // inverted
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 0, 1).IsRectNull());

    CRect r(1, 2, 3, 4);
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull());
    r.SetRect(-1, -2, 3, 4);
    ExpectRect(r, -1, -2, 3, 4);
}

TEST(RectTest, PtInRectExcludesRightAndBottomEdges) {
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20))); // top-left corner is inside
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39))); // last pixel inside
    EXPECT_TRUE(r.PtInRect(CPoint(15, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 25))); // right edge
    EXPECT_FALSE(r.PtInRect(CPoint(15, 40))); // bottom edge
    EXPECT_FALSE(r.PtInRect(CPoint(30, 40))); // bottom-right corner
    EXPECT_FALSE(r.PtInRect(CPoint(9, 25)));
    EXPECT_FALSE(r.PtInRect(CPoint(15, 19)));

    // Empty and inverted rectangles hold no point.
    EXPECT_FALSE(CRect(5, 5, 5, 5).PtInRect(CPoint(5, 5)));
    EXPECT_FALSE(CRect(30, 40, 10, 20).PtInRect(CPoint(20, 30)));
}

TEST(RectTest, NormalizeRect) {
    CRect r(30, 40, 10, 20);
    r.NormalizeRect();
    ExpectRect(r, 10, 20, 30, 40);

    CRect onlyX(30, 20, 10, 40);
    onlyX.NormalizeRect();
    ExpectRect(onlyX, 10, 20, 30, 40);

    CRect onlyY(10, 40, 30, 20);
    onlyY.NormalizeRect();
    ExpectRect(onlyY, 10, 20, 30, 40);

    CRect already(-5, -6, 7, 8);
    already.NormalizeRect();
    ExpectRect(already, -5, -6, 7, 8);
}

TEST(RectTest, InflateDeflateAndOffset) {
    CRect r(10, 20, 30, 40);
    r.InflateRect(2);
    ExpectRect(r, 8, 18, 32, 42);
    r.InflateRect(1, -3);
    ExpectRect(r, 7, 21, 33, 39);
    r.InflateRect(CRect(1, 2, 3, 4)); // each edge moves outward by its own field
    ExpectRect(r, 6, 19, 36, 43);
    r.InflateRect(CSize(-1, 1));
    ExpectRect(r, 7, 18, 35, 44);

    r.DeflateRect(CRect(1, 2, 3, 4));
    ExpectRect(r, 8, 20, 32, 40);
    r.DeflateRect(2, 1);
    ExpectRect(r, 10, 21, 30, 39);
    r.DeflateRect(5);
    ExpectRect(r, 15, 26, 25, 34);
    r.DeflateRect(CSize(6, 0)); // deflating past the centre inverts the rectangle
    ExpectRect(r, 21, 26, 19, 34);
    EXPECT_TRUE(r.IsRectEmpty());

    CRect moved(0, 0, 4, 5);
    moved.OffsetRect(10, -20);
    ExpectRect(moved, 10, -20, 14, -15);
    moved.OffsetRect(CPoint(-10, 20));
    ExpectRect(moved, 0, 0, 4, 5);
    moved.OffsetRect(CSize(1, 1));
    ExpectRect(moved, 1, 1, 5, 6);
}

TEST(RectTest, UnionIgnoresEmptyRectangles) {
    CRect result(99, 99, 99, 99);
    const CRect a(10, 10, 20, 20);
    const CRect b(15, -5, 40, 12);
    EXPECT_EQ(result.UnionRect(&a, &b), TRUE);
    ExpectRect(result, 10, -5, 40, 20);

    // An empty rectangle far away does not stretch the union, whichever side it is on.
    const CRect farEmpty(100, 100, 100, 200);
    EXPECT_EQ(result.UnionRect(&a, &farEmpty), TRUE);
    ExpectRect(result, 10, 10, 20, 20);
    EXPECT_EQ(result.UnionRect(&farEmpty, &b), TRUE);
    ExpectRect(result, 15, -5, 40, 12);
    const CRect inverted(50, 50, -50, -50);
    EXPECT_EQ(result.UnionRect(&inverted, &a), TRUE);
    ExpectRect(result, 10, 10, 20, 20);

    result.SetRect(1, 2, 3, 4);
    EXPECT_EQ(result.UnionRect(&farEmpty, &inverted), FALSE);
    EXPECT_TRUE(result.IsRectNull());

    // The result may be one of the sources.
    CRect grown(0, 0, 5, 5);
    grown |= CRect(3, 3, 8, 9);
    ExpectRect(grown, 0, 0, 8, 9);
    grown |= CRect(-100, -100, -100, -50);
    ExpectRect(grown, 0, 0, 8, 9);
    CRect self(2, 2, 4, 4);
    EXPECT_EQ(self.UnionRect(&a, &self), TRUE);
    ExpectRect(self, 2, 2, 20, 20);

    EXPECT_THROW(result.UnionRect(nullptr, &a), CInvalidArgException);
    EXPECT_THROW(result.UnionRect(&a, nullptr), CInvalidArgException);
}

TEST(RectTest, IntersectRect) {
    CRect result;
    const CRect a(10, 10, 20, 20);
    const CRect overlapping(15, 5, 30, 18);
    EXPECT_EQ(result.IntersectRect(&a, &overlapping), TRUE);
    ExpectRect(result, 15, 10, 20, 18);
    EXPECT_EQ(result.IntersectRect(&overlapping, &a), TRUE);
    ExpectRect(result, 15, 10, 20, 18);

    // Rectangles that only share an edge do not intersect; neither do disjoint ones, nor an
    // empty rectangle lying inside the other.
    const CRect touching(20, 10, 30, 20);
    const CRect disjoint(50, 50, 60, 60);
    const CRect emptyInside(12, 12, 12, 18);
    for (const CRect* other : {&touching, &disjoint, &emptyInside}) {
        result.SetRect(1, 2, 3, 4);
        EXPECT_EQ(result.IntersectRect(&a, other), FALSE);
        EXPECT_TRUE(result.IsRectNull());
    }

    CRect clipped(0, 0, 15, 15);
    clipped &= a;
    ExpectRect(clipped, 10, 10, 15, 15);
    clipped &= CRect(100, 100, 200, 200);
    EXPECT_TRUE(clipped.IsRectNull());

    EXPECT_THROW(result.IntersectRect(&a, nullptr), CInvalidArgException);
}

TEST(RectTest, ArithmeticWrapsAroundAtTheIntegerLimits) {
    // Damaged coordinates reach the ends of the 32-bit range; arithmetic then wraps as the
    // processor's does, and the sanitizer build proves it is never undefined.
    constexpr int lowest = INT32_MIN;
    constexpr int highest = INT32_MAX;
    CRect r(lowest, lowest, 0, 0);
    EXPECT_EQ(r.Width(), lowest); // 0 - INT32_MIN wraps to INT32_MIN
    r.InflateRect(5, 5);
    ExpectRect(r, highest - 4, highest - 4, 5, 5);
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_EQ(CRect(highest, highest, highest, highest).CenterPoint(), CPoint(-1, -1));
    CRect moved(0, 0, highest, 1);
    moved.OffsetRect(1, 0);
    ExpectRect(moved, 1, 0, lowest, 1);
    EXPECT_EQ(CPoint(lowest, 0) - CSize(1, 0), CPoint(highest, 0));
    EXPECT_EQ(-CPoint(lowest, 1), CPoint(lowest, -1));
}
