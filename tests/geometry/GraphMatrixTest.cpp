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

void ExpectPoint(const CVector& v, double x, double y) {
    EXPECT_NEAR(v.x, x, 1e-12);
    EXPECT_NEAR(v.y, y, 1e-12);
}

TEST(GraphMatrix, TransformsPoints) {
    ExpectPoint(CVector(1.0, 1.0) * CMoveMatrix(2.0, -3.0), 3.0, -2.0);
    ExpectPoint(CVector(3.0, 4.0) * CScaleMatrix(2.0, -0.5), 6.0, -2.0);
    // Positive angles turn counter-clockwise on a y-down screen: +x goes up, +y goes right.
    ExpectPoint(CVector(1.0, 0.0) * CRotateMatrix(PI / 2), 0.0, -1.0);
    ExpectPoint(CVector(0.0, 1.0) * CRotateMatrix(PI / 2), 1.0, 0.0);
}

TEST(GraphMatrix, CompositionAppliesLeftOperandFirst) {
    ExpectElements(CMoveMatrix(1.0, 2.0) * CScaleMatrix(3.0, 4.0),
                   {{3, 0, 3}, {0, 4, 8}, {0, 0, 1}});
    ExpectElements(CScaleMatrix(3.0, 4.0) * CMoveMatrix(1.0, 2.0),
                   {{3, 0, 1}, {0, 4, 2}, {0, 0, 1}});

    const CGraphMatrix first = MakeMatrix({{2, -1, 5}, {3, 4, -7}, {0, 0, 1}});
    const CGraphMatrix second = MakeMatrix({{0, 1, 2}, {-2, 3, 1}, {0, 0, 1}});
    ExpectPoint(CVector(3.0, -2.0) * (first * second), -4.0, -43.0);
}

// Row two is read from the first operand of a product only, and never by a point transform.
TEST(GraphMatrix, RowTwoOfTheRightOperandIsIgnored) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CGraphMatrix first = MakeMatrix({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    const CGraphMatrix second = MakeMatrix({{1, 0, 10}, {0, 1, 20}, {nan, nan, nan}});
    ExpectElements(first * second, {{71, 82, 93}, {144, 165, 186}, {0, 0, 1}});
    ExpectPoint(CVector(10.0, 100.0) * MakeMatrix({{1, 2, 3}, {4, 5, 6}, {nan, nan, nan}}), 213.0,
                546.0);
}

} // namespace
} // namespace vellum
