#include <vellum/geometry/GraphMatrix.h>
#include <vellum/geometry/Vector.h>

#include <gtest/gtest.h>

#include <limits>

namespace vellum {
namespace {

using Rows = double[3][3];

void ExpectElements(const CGraphMatrix& matrix, const Rows& expected) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(matrix.m[i][j], expected[i][j]) << "element [" << i << "][" << j << "]";
    }
}

CGraphMatrix MakeMatrix(const Rows& rows) {
    CGraphMatrix matrix;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            matrix.m[i][j] = rows[i][j];
    }
    return matrix;
}

constexpr Rows kZeroMap = {{0, 0, 0}, {0, 0, 0}, {0, 0, 1}};

TEST(GraphMatrix, TransformsPoints) {
    const CVector moved = CVector(1.0, 1.0) * CMoveMatrix(2.0, -3.0);
    EXPECT_EQ(moved.x, 3.0);
    EXPECT_EQ(moved.y, -2.0);

    const CVector scaled = CVector(3.0, 4.0) * CScaleMatrix(2.0, -0.5);
    EXPECT_EQ(scaled.x, 6.0);
    EXPECT_EQ(scaled.y, -2.0);

    // Positive angles turn counter-clockwise on a y-down screen: +x goes up, +y goes right.
    const CVector right = CVector(1.0, 0.0) * CRotateMatrix(PI / 2);
    EXPECT_NEAR(right.x, 0.0, 1e-12);
    EXPECT_EQ(right.y, -1.0);
    const CVector down = CVector(0.0, 1.0) * CRotateMatrix(PI / 2);
    EXPECT_EQ(down.x, 1.0);
    EXPECT_NEAR(down.y, 0.0, 1e-12);
}

TEST(GraphMatrix, PointTransformIgnoresRowTwo) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CGraphMatrix matrix = MakeMatrix({{1, 2, 3}, {4, 5, 6}, {nan, nan, nan}});
    const CVector image = CVector(10.0, 100.0) * matrix;
    EXPECT_EQ(image.x, 213.0);
    EXPECT_EQ(image.y, 546.0);
}

TEST(GraphMatrix, CompositionAppliesLeftOperandFirst) {
    const CGraphMatrix moveThenScale = CMoveMatrix(1.0, 2.0) * CScaleMatrix(3.0, 4.0);
    ExpectElements(moveThenScale, {{3, 0, 3}, {0, 4, 8}, {0, 0, 1}});

    const CGraphMatrix scaleThenMove = CScaleMatrix(3.0, 4.0) * CMoveMatrix(1.0, 2.0);
    ExpectElements(scaleThenMove, {{3, 0, 1}, {0, 4, 2}, {0, 0, 1}});

    // The product acts as the two transforms in turn.
    const CGraphMatrix first = MakeMatrix({{2, -1, 5}, {3, 4, -7}, {0, 0, 1}});
    const CGraphMatrix second = MakeMatrix({{0, 1, 2}, {-2, 3, 1}, {0, 0, 1}});
    const CVector p(3.0, -2.0);
    const CVector stepwise = (p * first) * second;
    const CVector combined = p * (first * second);
    EXPECT_EQ(stepwise.x, combined.x);
    EXPECT_EQ(stepwise.y, combined.y);
    EXPECT_EQ(combined.x, -4.0);
    EXPECT_EQ(combined.y, -43.0);
}

TEST(GraphMatrix, CompositionReadsRowTwoOfTheFirstOperandOnly) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CGraphMatrix first = MakeMatrix({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    const CGraphMatrix second = MakeMatrix({{1, 0, 10}, {0, 1, 20}, {nan, nan, nan}});
    ExpectElements(first * second, {{71, 82, 93}, {144, 165, 186}, {0, 0, 1}});
}

} // namespace
} // namespace vellum
