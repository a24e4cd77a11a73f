#include <vellum/platform/Rect.h>
#include <vellum/platform/Rgn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vellum;

namespace {

void ExpectBox(const CRgn& region, int type, int left, int top, int right, int bottom) {
    CRect box(-1, -1, -1, -1);
    EXPECT_EQ(region.GetRgnBox(&box), type);
    EXPECT_EQ(box, CRect(left, top, right, bottom));
}

// The rows of a region inside the square [0, size)², '#' for a pixel inside it.
std::vector<std::string> Picture(const CRgn& region, int size) {
    std::vector<std::string> rows;
    for (int y = 0; y < size; ++y) {
        std::string row;
        for (int x = 0; x < size; ++x)
            row += region.PtInRegion(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(RgnTest, RectanglePolygonExcludesRightAndBottomEdges) {
    // Both orientations and both fill modes hold the same pixels.
    const POINT clockwise[] = {{1, 1}, {4, 1}, {4, 3}, {1, 3}};
    const POINT anticlockwise[] = {{1, 3}, {4, 3}, {4, 1}, {1, 1}};
    for (const POINT* corners : {clockwise, anticlockwise}) {
        for (const int mode : {ALTERNATE, WINDING}) {
            CRgn region;
            ASSERT_TRUE(region.CreatePolygonRgn(corners, 4, mode));
            ExpectBox(region, SIMPLEREGION, 1, 1, 4, 3);
            EXPECT_EQ(Picture(region, 5),
                      (std::vector<std::string>{".....", ".###.", ".###.", ".....", "....."}));
            EXPECT_TRUE(region.PtInRegion(POINT{3, 2}));
        }
    }
}

TEST(RgnTest, StarDiffersBetweenFillModes) {
    // A five-pointed star drawn in one stroke: the pentagon in the middle is wound twice.
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    CRgn alternate;
    CRgn winding;
    ASSERT_TRUE(alternate.CreatePolygonRgn(star, 5, ALTERNATE));
    ASSERT_TRUE(winding.CreatePolygonRgn(star, 5, WINDING));

    EXPECT_FALSE(alternate.PtInRegion(10, 10));
    EXPECT_TRUE(winding.PtInRegion(10, 10));
    // The corners of the box are inside under neither rule.
    EXPECT_FALSE(alternate.PtInRegion(1, 18));
    EXPECT_FALSE(winding.PtInRegion(1, 18));

    // Under both rules the points of the star reach the box. The top point is too narrow to
    // hold a pixel centre in rows 0 and 1; the left point's first pixel is column 1 of row 7.
    ExpectBox(alternate, COMPLEXREGION, 1, 2, 19, 19);
    ExpectBox(winding, COMPLEXREGION, 1, 2, 19, 19);
    EXPECT_FALSE(winding.PtInRegion(10, 1));
    EXPECT_TRUE(winding.PtInRegion(10, 2));
    EXPECT_TRUE(winding.PtInRegion(15, 18));
}

TEST(RgnTest, PixelCentresOnEdgesBelongToTheRightSide) {
    // The square's diagonal runs through the pixel centres (k + 0.5, k + 0.5): they belong to
    // the triangle right of it, so the two halves share no pixel and leave none out.
    const POINT lower[] = {{0, 0}, {4, 4}, {0, 4}};
    const POINT upper[] = {{0, 0}, {4, 0}, {4, 4}};
    CRgn left;
    CRgn right;
    ASSERT_TRUE(left.CreatePolygonRgn(lower, 3, ALTERNATE));
    ASSERT_TRUE(right.CreatePolygonRgn(upper, 3, ALTERNATE));
    EXPECT_EQ(Picture(left, 4), (std::vector<std::string>{"....", "#...", "##..", "###."}));
    EXPECT_EQ(Picture(right, 4), (std::vector<std::string>{"####", ".###", "..##", "...#"}));
    ExpectBox(left, COMPLEXREGION, 0, 1, 3, 4);
    ExpectBox(right, COMPLEXREGION, 0, 0, 4, 4);

    // A unit triangle's only candidate centre lies on its slanted right edge.
    const POINT unit[] = {{0, 0}, {1, 0}, {0, 1}};
    ASSERT_TRUE(left.CreatePolygonRgn(unit, 3, WINDING));
    ExpectBox(left, NULLREGION, 0, 0, 0, 0);
    EXPECT_FALSE(left.PtInRegion(0, 0));
}

TEST(RgnTest, RefusedArgumentsAndDeletion) {
    CRgn region;
    RECT box{7, 7, 7, 7};
    EXPECT_EQ(region.GetRgnBox(&box), ERROR);
    EXPECT_EQ(box.left, 7);
    EXPECT_FALSE(region.PtInRegion(0, 0));

    const POINT triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    ASSERT_TRUE(region.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_EQ(region.GetRgnBox(nullptr), ERROR);
    // Refused arguments leave the region as it was.
    EXPECT_FALSE(region.CreatePolygonRgn(nullptr, 3, ALTERNATE));
    EXPECT_FALSE(region.CreatePolygonRgn(triangle, -1, ALTERNATE));
    EXPECT_FALSE(region.CreatePolygonRgn(triangle, 3, 0));
    EXPECT_FALSE(region.CreatePolygonRgn(triangle, 3, 3));
    ExpectBox(region, COMPLEXREGION, 0, 0, 7, 7);
    EXPECT_TRUE(region.PtInRegion(6, 0));
    EXPECT_FALSE(region.PtInRegion(7, 0));

    EXPECT_TRUE(region.DeleteObject());
    EXPECT_FALSE(region.DeleteObject());
    EXPECT_EQ(region.GetRgnBox(&box), ERROR);
    EXPECT_FALSE(region.PtInRegion(1, 1));
}
