#include "support/ArchiveBytes.h"

#include <vellum/geometry/Vector.h>

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

namespace vellum {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectNear(const CVector& v, double x, double y) {
    EXPECT_NEAR(v.x, x, 1e-12);
    EXPECT_NEAR(v.y, y, 1e-12);
}

TEST(VectorRounding, HalfAwayFromZeroAndUnrepresentableGivesMinimum) {
    const auto expectRounded = [](double value, LONG expected) {
        const POINT pt = CVector(value, value);
        EXPECT_EQ(pt.x, expected) << value;
        EXPECT_EQ(pt.y, expected) << value;
    };
    const std::pair<double, LONG> halves[] = {
        {2.5, 3},   {-2.5, -3}, {0.49, 0},  {-0.49, 0}, {2.4, 2},   {-2.4, -2}, {1.5, 2},
        {-1.5, -2}, {0.5, 1},   {-0.5, -1}, {2.6, 3},   {-2.6, -3}, {-0.0, 0}};
    for (const auto& [value, expected] : halves)
        expectRounded(value, expected);
    // The largest double below 0.5 plus 0.5 rounds to 1.0 before the truncation.
    const std::pair<double, LONG> limits[] = {{0.49999999999999994, 1},  {-0.49999999999999994, -1},
                                              {2147483647.4, INT32_MAX}, {-2147483648.4, INT32_MIN},
                                              {2147483647.5, INT32_MIN}, {-2147483648.5, INT32_MIN},
                                              {1e300, INT32_MIN},        {kNaN, INT32_MIN},
                                              {kInf, INT32_MIN},         {-kInf, INT32_MIN}};
    for (const auto& [value, expected] : limits)
        expectRounded(value, expected);
}

TEST(VectorAngle, SignReferenceAndWrapIntoHalfTurn) {
    const CVector right(1.0, 0.0);
    const CVector down(0.0, 1.0);
    // y points down, so turning from +x to +y is clockwise on screen and positive.
    EXPECT_DOUBLE_EQ(right.Angle(&down), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(down.Angle(&right), -std::numbers::pi / 2);
    // Without a second vector the reference direction is +x.
    EXPECT_DOUBLE_EQ(down.Angle(nullptr), -std::numbers::pi / 2);
    EXPECT_EQ(CVector(2.0, 2.0).Angle(&down), CVector(1.0, 1.0).Angle(&down));

    const CVector aboveLeft(-1.0, -0.0001);
    const CVector belowLeft(-1.0, 0.0001);
    // Just inside a half turn: returned as is, not wrapped to the positive side.
    EXPECT_NEAR(right.Angle(&aboveLeft), -std::numbers::pi + 0.0001, 1e-12);
    // Raw differences of almost a full turn wrap to the small angle in both directions.
    EXPECT_NEAR(belowLeft.Angle(&aboveLeft), 0.0002, 1e-12);
    EXPECT_NEAR(aboveLeft.Angle(&belowLeft), -0.0002, 1e-12);
}

TEST(VectorProjection, OntoDirection) {
    const struct {
        CVector v;
        CVector direction;
        CVector foot;
    } cases[] = {
        {CVector(3.0, 4.0), CVector(1.0, 0.0), CVector(3.0, 0.0)},
        {CVector(3.0, 4.0), CVector(-2.0, 0.0), CVector(3.0, 0.0)}, // opposite and longer
        {CVector(3.0, 4.0), CVector(1.0, 1.0), CVector(3.5, 3.5)},
        {CVector(0.0, 5.0), CVector(-2.0, 0.0), CVector(0.0, 0.0)},
        {CVector(3.0, 4.0), CVector(0.0, 0.0), CVector(0.0, 0.0)}, // degenerate: zero
        {CVector(0.0, 0.0), CVector(3.0, 4.0), CVector(0.0, 0.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction.x << "," << c.direction.y);
        ExpectNear(c.v.Projection(&c.direction), c.foot.x, c.foot.y);
    }
    ExpectNear(CVector(3.0, 4.0).Projection(nullptr), 0.0, 0.0);
}

TEST(VectorRotate, AboutCentreAndOrigin) {
    // A positive angle turns +x toward -y, up on the screen, about the centre.
    const CVector centre(1.0, 1.0);
    CVector v(2.0, 1.0);
    v.Rotate(PI / 2, &centre);
    ExpectNear(v, 1.0, 0.0);

    // The negated angle between two directions carries the one onto the other.
    const CVector from(1.0, 2.0);
    const CVector to(-3.0, 1.0);
    CVector turned = from;
    turned.Rotate(-from.Angle(&to), nullptr);
    ExpectNear(turned, -3.0 / std::sqrt(2.0), 1.0 / std::sqrt(2.0));
}

CVector LoadVector(const test::Bytes& bytes, CVector v = CVector()) {
    test::Load(bytes, [&](CArchive& ar) { v.Read(ar); });
    return v;
}

test::Bytes Doubles(double x, double y) {
    return test::Store([&](CArchive& ar) { ar << x << y; });
}

TEST(VectorArchive, WritesTwoLittleEndianDoublesAndReadsEveryBitBack) {
    const test::Bytes expected = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,
                                  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0};
    EXPECT_EQ(test::Store([](CArchive& ar) { CVector(1.0, -2.5).Write(ar); }), expected);

    const CVector loaded = LoadVector(Doubles(-0.0, 1.0 / 3.0), CVector(9.0, 9.0));
    EXPECT_TRUE(std::signbit(loaded.x));
    EXPECT_EQ(loaded.y, 1.0 / 3.0);
}

TEST(VectorArchive, ReadReplacesNaNOnly) {
    EXPECT_EQ(LoadVector(Doubles(kNaN, 7.25)), CVector(0.0, 7.25));
    const double negativeNaN = std::bit_cast<double>(std::uint64_t{0xFFF8000000000001});
    const CVector b = LoadVector(Doubles(-3.0, negativeNaN));
    EXPECT_EQ(b, CVector(-3.0, 0.0));
    EXPECT_FALSE(std::signbit(b.y));
    EXPECT_EQ(LoadVector(Doubles(kInf, -kInf)), CVector(kInf, -kInf));
}

TEST(VectorArchive, TruncatedReadThrowsAndKeepsVector) {
    const test::Bytes half = test::Store([](CArchive& ar) { ar << 5.0; });
    CVector v(1.0, 2.0);
    EXPECT_EQ(test::CauseOf([&] { test::Load(half, [&](CArchive& ar) { v.Read(ar); }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(v, CVector(1.0, 2.0));
}

} // namespace
} // namespace vellum
