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

TEST(RectTest, UnionIgnoresEmptyRectanglesAndIntersectionNeedsCommonPixels) {
    // Each pair in both orders; a null result means FALSE. Rectangles that only share an edge
    // do not intersect, nor does an empty rectangle lying inside the other.
    const CRect a(10, 10, 20, 20), farEmpty(100, 100, 100, 200), inverted(50, 50, -50, -50);
    const struct {
        CRect first, second, united, common;
    } cases[] = {
        {a, CRect(15, -5, 40, 12), CRect(10, -5, 40, 20), CRect(15, 10, 20, 12)},
        {a, CRect(15, 5, 30, 18), CRect(10, 5, 30, 20), CRect(15, 10, 20, 18)},
        {a, CRect(20, 10, 30, 20), CRect(10, 10, 30, 20), CRect()},
        {a, CRect(50, 50, 60, 60), CRect(10, 10, 60, 60), CRect()},
        {a, CRect(12, 12, 12, 18), a, CRect()},
        {a, farEmpty, a, CRect()},
        {a, inverted, a, CRect()},
        {farEmpty, inverted, CRect(), CRect()},
    };
    for (const auto& c : cases) {
        for (const auto& [one, other] :
             {std::pair(c.first, c.second), std::pair(c.second, c.first)}) {
            SCOPED_TRACE(testing::Message() << "first at " << one.left << "," << one.top);
            CRect result(1, 2, 3, 4);
            EXPECT_EQ(result.UnionRect(&one, &other), !c.united.IsRectNull());
            EXPECT_EQ(result, c.united);
            result.SetRect(1, 2, 3, 4);
            EXPECT_EQ(result.IntersectRect(&one, &other), !c.common.IsRectNull());
            EXPECT_EQ(result, c.common);
        }
    }

    // The result may be one of the sources.
    CRect self(2, 2, 4, 4);
    EXPECT_EQ(self.UnionRect(&a, &self), TRUE);
    EXPECT_EQ(self, CRect(2, 2, 20, 20));
    CRect clipped(0, 0, 15, 15);
    clipped &= a;
    EXPECT_EQ(clipped, CRect(10, 10, 15, 15));
    clipped &= CRect(100, 100, 200, 200);
    EXPECT_TRUE(clipped.IsRectNull());

    CRect result;
    EXPECT_THROW(result.UnionRect(nullptr, &a), CInvalidArgException);
    EXPECT_THROW(result.UnionRect(&a, nullptr), CInvalidArgException);
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
