#include <vellum/platform/Exceptions.h>
#include <vellum/platform/Rect.h>

#include <gtest/gtest.h>

#include <utility>

using namespace vellum;

TEST(RectTest, PtInRectExcludesRightAndBottomEdges) {
    const CRect r(10, 20, 30, 40);
    // The top-left corner and the last pixel are inside; the right and bottom edges are not.
    const std::pair<CPoint, bool> cases[] = {{CPoint(10, 20), true},  {CPoint(29, 39), true},
                                             {CPoint(15, 39), true},  {CPoint(30, 25), false},
                                             {CPoint(15, 40), false}, {CPoint(30, 40), false},
                                             {CPoint(9, 25), false},  {CPoint(15, 19), false}};
    for (const auto& [point, inside] : cases)
        EXPECT_EQ(r.PtInRect(point), inside) << point.x << "," << point.y;
    // Empty and inverted rectangles hold no point.
    EXPECT_FALSE(CRect(5, 5, 5, 5).PtInRect(CPoint(5, 5)));
    EXPECT_FALSE(CRect(30, 40, 10, 20).PtInRect(CPoint(20, 30)));
}

TEST(RectTest, UnionIgnoresEmptyRectangles) {
    CRect result(99, 99, 99, 99);
    const CRect a(10, 10, 20, 20);
    const CRect b(15, -5, 40, 12);
    EXPECT_EQ(result.UnionRect(&a, &b), TRUE);
    EXPECT_EQ(result, CRect(10, -5, 40, 20));

    // An empty rectangle far away does not stretch the union, whichever side it is on.
    const CRect farEmpty(100, 100, 100, 200);
    EXPECT_EQ(result.UnionRect(&a, &farEmpty), TRUE);
    EXPECT_EQ(result, CRect(10, 10, 20, 20));
    EXPECT_EQ(result.UnionRect(&farEmpty, &b), TRUE);
    EXPECT_EQ(result, CRect(15, -5, 40, 12));
    const CRect inverted(50, 50, -50, -50);
    EXPECT_EQ(result.UnionRect(&inverted, &a), TRUE);
    EXPECT_EQ(result, CRect(10, 10, 20, 20));

    result.SetRect(1, 2, 3, 4);
    EXPECT_EQ(result.UnionRect(&farEmpty, &inverted), FALSE);
    EXPECT_TRUE(result.IsRectNull());

    // The result may be one of the sources.
    CRect self(2, 2, 4, 4);
    EXPECT_EQ(self.UnionRect(&a, &self), TRUE);
    EXPECT_EQ(self, CRect(2, 2, 20, 20));

    EXPECT_THROW(result.UnionRect(nullptr, &a), CInvalidArgException);
    EXPECT_THROW(result.UnionRect(&a, nullptr), CInvalidArgException);
}

TEST(RectTest, IntersectRect) {
    CRect result;
    const CRect a(10, 10, 20, 20);
    const CRect overlapping(15, 5, 30, 18);
    EXPECT_EQ(result.IntersectRect(&a, &overlapping), TRUE);
    EXPECT_EQ(result, CRect(15, 10, 20, 18));
    EXPECT_EQ(result.IntersectRect(&overlapping, &a), TRUE);
    EXPECT_EQ(result, CRect(15, 10, 20, 18));

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
    EXPECT_EQ(clipped, CRect(10, 10, 15, 15));
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
    EXPECT_EQ(r, CRect(highest - 4, highest - 4, 5, 5));
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_EQ(CRect(highest, highest, highest, highest).CenterPoint(), CPoint(-1, -1));
    CRect moved(0, 0, highest, 1);
    moved.OffsetRect(1, 0);
    EXPECT_EQ(moved, CRect(1, 0, lowest, 1));
    EXPECT_EQ(CPoint(lowest, 0) - CSize(1, 0), CPoint(highest, 0));
    EXPECT_EQ(-CPoint(lowest, 1), CPoint(lowest, -1));
}
