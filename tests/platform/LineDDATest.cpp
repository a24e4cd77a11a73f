#include <vellum/platform/LineDDA.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

using namespace vellum;

namespace {

using Points = std::vector<std::pair<int, int>>;

Points Visit(int x1, int y1, int x2, int y2) {
    Points points;
    LineDDA(x1, y1, x2, y2, [&points](int x, int y) { points.emplace_back(x, y); });
    return points;
}

void Collect(int x, int y, void* data) {
    static_cast<Points*>(data)->emplace_back(x, y);
}

} // namespace

TEST(LineDDATest, SegmentsRoundHalvesTowardTheEnd) {
    // At x = 2 the exact y is 0.5: it rounds toward the end point in both directions.
    EXPECT_EQ(Visit(0, 0, 4, 1), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Visit(4, 1, 0, 0), (Points{{4, 1}, {3, 1}, {2, 0}, {1, 0}}));
    EXPECT_EQ(Visit(0, 0, -4, 1), (Points{{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}}));
    EXPECT_EQ(Visit(0, 0, -4, -1), (Points{{0, 0}, {-1, 0}, {-2, -1}, {-3, -1}}));
    EXPECT_EQ(Visit(0, 0, 4, -1), (Points{{0, 0}, {1, 0}, {2, -1}, {3, -1}}));
    // y = 0, 0.4, 0.8, 1.2, 1.6
    EXPECT_EQ(Visit(0, 0, 5, 2), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Visit(5, 2, 0, 0), (Points{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    // Steep segments step along y.
    EXPECT_EQ(Visit(0, 0, 1, 4), (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(Visit(1, 4, 0, 0), (Points{{1, 4}, {1, 3}, {0, 2}, {0, 1}}));
    EXPECT_EQ(Visit(0, 0, -1, 4), (Points{{0, 0}, {0, 1}, {-1, 2}, {-1, 3}}));
    EXPECT_EQ(Visit(0, 0, 1, -4), (Points{{0, 0}, {0, -1}, {1, -2}, {1, -3}}));
    EXPECT_EQ(Visit(0, 0, 2, 5), (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
}

TEST(LineDDATest, StartIncludedEndExcluded) {
    EXPECT_TRUE(Visit(7, -3, 7, -3).empty());
    EXPECT_EQ(Visit(5, 5, 6, 5), (Points{{5, 5}}));
    EXPECT_EQ(Visit(5, 5, 4, 6), (Points{{5, 5}}));
    // Joined segments visit every pixel of the path once; a null plain callback visits nothing.
    Points path = Visit(0, 0, 3, 0);
    LineDDA(3, 0, 3, 2, Collect, &path);
    LineDDA(0, 0, 5, 5, nullptr, &path);
    EXPECT_EQ(path, (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}));
}

TEST(LineDDATest, ExtremeCoordinatesDoNotOverflow) {
    EXPECT_EQ(Visit(INT_MAX - 2, INT_MIN, INT_MAX, INT_MIN + 4), (Points{{INT_MAX - 2, INT_MIN},
                                                                         {INT_MAX - 1, INT_MIN + 1},
                                                                         {INT_MAX - 1, INT_MIN + 2},
                                                                         {INT_MAX, INT_MIN + 3}}));
    EXPECT_EQ(Visit(INT_MIN, INT_MAX, INT_MIN + 3, INT_MAX),
              (Points{{INT_MIN, INT_MAX}, {INT_MIN + 1, INT_MAX}, {INT_MIN + 2, INT_MAX}}));
}

TEST(LineDDATest, EverySegmentIsConnectedAndFollowsTheLine) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> coordinate(-40, 40);
    for (int trial = 0; trial < 500; ++trial) {
        const int x1 = coordinate(random), y1 = coordinate(random);
        const int x2 = coordinate(random), y2 = coordinate(random);
        const Points points = Visit(x1, y1, x2, y2);
        const int dx = x2 - x1, dy = y2 - y1;
        SCOPED_TRACE(testing::Message()
                     << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")");
        ASSERT_EQ(static_cast<int>(points.size()), std::max(std::abs(dx), std::abs(dy)));
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto [x, y] = points[i];
            if (i == 0) {
                EXPECT_EQ(points[0], std::make_pair(x1, y1));
            } else {
                EXPECT_LE(std::abs(x - points[i - 1].first), 1);
                EXPECT_LE(std::abs(y - points[i - 1].second), 1);
            }
            // Each point lies within half a pixel of the exact line along the minor axis.
            if (std::abs(dx) >= std::abs(dy))
                EXPECT_LE(std::abs(y - (y1 + static_cast<double>(x - x1) * dy / dx)), 0.5);
            else
                EXPECT_LE(std::abs(x - (x1 + static_cast<double>(y - y1) * dx / dy)), 0.5);
        }
    }
}
