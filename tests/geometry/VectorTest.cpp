#include <vellum/geometry/Vector.h>

#include <vellum/archive/Archive.h>
#include <vellum/platform/MemFile.h>

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

namespace vellum {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(VectorBasics, ConstructionAndAccessors) {
    const CVector zero;
    EXPECT_EQ(zero.GetX(), 0.0);
    EXPECT_EQ(zero.GetY(), 0.0);

    const CVector fromPoint(POINT{-7, INT32_MAX});
    EXPECT_EQ(fromPoint.x, -7.0);
    EXPECT_EQ(fromPoint.y, 2147483647.0);

    CVector v(1.25, -3.5);
    EXPECT_EQ(v.GetX(), 1.25);
    EXPECT_EQ(v.GetY(), -3.5);
    v.SetXY(-0.125, 8.0);
    EXPECT_EQ(v.x, -0.125);
    EXPECT_EQ(v.y, 8.0);
}

TEST(VectorBasics, ArrayIsPackedCoordinatePairs) {
    const CVector nodes[2] = {CVector(1.0, 2.0), CVector(3.0, 4.0)};
    double raw[4];
    static_assert(sizeof(nodes) == sizeof(raw));
    std::memcpy(raw, nodes, sizeof(raw));
    EXPECT_EQ(raw[0], 1.0);
    EXPECT_EQ(raw[1], 2.0);
    EXPECT_EQ(raw[2], 3.0);
    EXPECT_EQ(raw[3], 4.0);
}

TEST(VectorBasics, SumAndDifference) {
    const CVector sum = CVector(1.5, -2.0) + CVector(0.25, 4.0);
    EXPECT_EQ(sum.x, 1.75);
    EXPECT_EQ(sum.y, 2.0);
    const CVector difference = CVector(1.0, 5.0) - CVector(3.0, 2.0);
    EXPECT_EQ(difference.x, -2.0);
    EXPECT_EQ(difference.y, 3.0);
}

TEST(VectorBasics, EqualityIsExact) {
    EXPECT_EQ(CVector(1.5, -2.0) == CVector(1.5, -2.0), 1);
    EXPECT_EQ(CVector(0.1 + 0.2, 0.0) == CVector(0.3, 0.0), 0);
    EXPECT_EQ(CVector(1.0, 2.0) == CVector(1.0, 2.5), 0);
    EXPECT_EQ(CVector(1.5, 2.0) == CVector(1.0, 2.0), 0);
    EXPECT_EQ(CVector(0.0, -0.0) == CVector(-0.0, 0.0), 1);
    const CVector withNaN(kNaN, 1.0);
    EXPECT_EQ(withNaN == withNaN, 0);
    EXPECT_EQ(withNaN != withNaN, 1);
    EXPECT_EQ(CVector(kInf, 1.0) != CVector(kInf, 1.0), 0);
}

struct RoundingCase {
    double x, y;
    LONG expectedX, expectedY;
};

TEST(VectorRounding, HalfAwayFromZero) {
    const RoundingCase cases[] = {
        {2.5, -2.5, 3, -3},
        {0.49, -0.49, 0, 0},
        {-2.4, 2.4, -2, 2},
        {1.5, -1.5, 2, -2},
        {-0.5, 0.5, -1, 1},
        {2.6, -2.6, 3, -3},
        {-0.0, 0.0, 0, 0},
        // The largest double below 0.5 plus 0.5 rounds to 1.0 before the truncation.
        {0.49999999999999994, -0.49999999999999994, 1, -1},
        {2147483647.4, -2147483648.4, INT32_MAX, INT32_MIN},
    };
    for (const RoundingCase& c : cases) {
        const POINT pt = CVector(c.x, c.y);
        EXPECT_EQ(pt.x, c.expectedX) << "x = " << c.x;
        EXPECT_EQ(pt.y, c.expectedY) << "y = " << c.y;
    }
}

TEST(VectorRounding, UnrepresentableGivesMinimum) {
    const RoundingCase cases[] = {
        {2147483647.5, -2147483648.5, INT32_MIN, INT32_MIN},
        {kNaN, 1e300, INT32_MIN, INT32_MIN},
        {kInf, -kInf, INT32_MIN, INT32_MIN},
    };
    for (const RoundingCase& c : cases) {
        const POINT pt = CVector(c.x, c.y);
        EXPECT_EQ(pt.x, c.expectedX) << "x = " << c.x;
        EXPECT_EQ(pt.y, c.expectedY) << "y = " << c.y;
    }
}

TEST(VectorMeasure, LengthAndDistance) {
    EXPECT_EQ(CVector(3.0, -4.0).Length(), 5.0);
    EXPECT_EQ(CVector().Length(), 0.0);
    const CVector a(1.0, 1.0);
    const CVector b(4.0, 5.0);
    EXPECT_EQ(a.Distance(&b), 5.0);
    EXPECT_EQ(b.Distance(&a), 5.0);
    EXPECT_EQ(b.Distance(&b), 0.0);
    EXPECT_EQ(CVector(-6.0, 8.0).Distance(nullptr), 10.0);
}

TEST(VectorAngle, SignAndReference) {
    const CVector right(1.0, 0.0);
    const CVector down(0.0, 1.0);
    // y points down, so turning from +x to +y is clockwise on screen and positive.
    EXPECT_DOUBLE_EQ(right.Angle(&down), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(down.Angle(&right), -std::numbers::pi / 2);
    // Without a second vector the reference direction is +x.
    EXPECT_DOUBLE_EQ(down.Angle(nullptr), -std::numbers::pi / 2);
    EXPECT_EQ(CVector(2.0, 2.0).Angle(&down), CVector(1.0, 1.0).Angle(&down));
}

TEST(VectorAngle, WrapsIntoHalfTurn) {
    const CVector right(1.0, 0.0);
    const CVector aboveLeft(-1.0, -0.0001);
    const CVector belowLeft(-1.0, 0.0001);
    // Just inside a half turn: returned as is, not wrapped to the positive side.
    const double inside = right.Angle(&aboveLeft);
    EXPECT_NEAR(inside, -std::numbers::pi + 0.0001, 1e-12);
    EXPECT_LT(inside, 0.0);
    // Raw differences of almost a full turn wrap to the small angle in both directions.
    EXPECT_NEAR(belowLeft.Angle(&aboveLeft), 0.0002, 1e-12);
    EXPECT_NEAR(aboveLeft.Angle(&belowLeft), -0.0002, 1e-12);
}

TEST(VectorAngle, UsesLibraryPi) {
    EXPECT_EQ(PI, 3.14159265358979);
    EXPECT_NE(PI, std::numbers::pi);
    EXPECT_LT(PI, std::numbers::pi);
    // atan2 gives the true pi for -x, which exceeds PI and so wraps to just above -pi.
    const CVector right(1.0, 0.0);
    const CVector left(-1.0, 0.0);
    const double half = right.Angle(&left);
    EXPECT_LT(half, 0.0);
    EXPECT_NEAR(half, -std::numbers::pi, 1e-14);
}

TEST(VectorProjection, OntoDirection) {
    const CVector v(3.0, 4.0);
    const CVector alongX(1.0, 0.0);
    const CVector p1 = v.Projection(&alongX);
    EXPECT_DOUBLE_EQ(p1.x, 3.0);
    EXPECT_EQ(p1.y, 0.0);

    // Onto an opposite, longer direction: the same foot point.
    const CVector againstX(-2.0, 0.0);
    const CVector p2 = v.Projection(&againstX);
    EXPECT_DOUBLE_EQ(p2.x, 3.0);
    EXPECT_EQ(p2.y, 0.0);

    const CVector diagonal(1.0, 1.0);
    const CVector p3 = v.Projection(&diagonal);
    EXPECT_NEAR(p3.x, 3.5, 1e-12);
    EXPECT_NEAR(p3.y, 3.5, 1e-12);

    const CVector upright(0.0, 5.0);
    const CVector p4 = upright.Projection(&againstX);
    EXPECT_NEAR(p4.x, 0.0, 1e-12);
    EXPECT_EQ(p4.y, 0.0);
}

TEST(VectorProjection, DegenerateGivesZero) {
    const CVector v(3.0, 4.0);
    const CVector zero;
    for (const CVector& p : {v.Projection(&zero), v.Projection(nullptr), zero.Projection(&v)}) {
        EXPECT_EQ(p.x, 0.0);
        EXPECT_EQ(p.y, 0.0);
    }
}

TEST(VectorRotate, AboutCentreAndOrigin) {
    const CVector centre(1.0, 1.0);
    CVector v(2.0, 1.0);
    v.Rotate(PI / 2, &centre);
    EXPECT_NEAR(v.x, 1.0, 1e-12);
    EXPECT_NEAR(v.y, 0.0, 1e-12);

    CVector w(1.0, 0.0);
    w.Rotate(PI / 2, nullptr);
    EXPECT_NEAR(w.x, 0.0, 1e-12);
    EXPECT_NEAR(w.y, -1.0, 1e-12);

    CVector u(3.0, -2.0);
    const CVector far(-10.0, 20.0);
    u.Rotate(0.7, &far);
    const CVector expected(-10.0 + std::cos(0.7) * 13.0 + std::sin(0.7) * -22.0,
                           20.0 - std::sin(0.7) * 13.0 + std::cos(0.7) * -22.0);
    EXPECT_NEAR(u.x, expected.x, 1e-12);
    EXPECT_NEAR(u.y, expected.y, 1e-12);
    EXPECT_NEAR(u.Distance(&far), std::hypot(13.0, 22.0), 1e-12);
}

TEST(VectorRotate, NegatedAngleCarriesDirectionOntoOther) {
    const CVector from(1.0, 2.0);
    const CVector to(-3.0, 1.0);
    CVector turned = from;
    turned.Rotate(-from.Angle(&to), nullptr);
    EXPECT_NEAR(turned.Angle(&to), 0.0, 1e-12);
    EXPECT_NEAR(turned.Length(), from.Length(), 1e-12);
    EXPECT_NEAR(turned.x, -3.0 / std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(turned.y, 1.0 / std::sqrt(2.0), 1e-12);
}

std::vector<BYTE> LittleEndian(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<BYTE> bytes;
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<BYTE>(bits >> (8 * i)));
    return bytes;
}

std::vector<BYTE> Concat(std::vector<BYTE> a, const std::vector<BYTE>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<BYTE> Store(const CVector& v) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    v.Write(ar);
    ar.Close();
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + length);
    std::free(data);
    return bytes;
}

CVector Load(const std::vector<BYTE>& bytes, CVector v = CVector()) {
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    v.Read(ar);
    return v;
}

TEST(VectorArchive, WritesTwoLittleEndianDoubles) {
    const std::vector<BYTE> expected = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,
                                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0};
    EXPECT_EQ(Store(CVector(1.0, -2.5)), expected);
}

TEST(VectorArchive, RoundTripKeepsEveryBit) {
    const CVector stored(-0.0, 1.0 / 3.0);
    const CVector loaded = Load(Store(stored), CVector(9.0, 9.0));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(loaded.x), std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(loaded.y, 1.0 / 3.0);
}

TEST(VectorArchive, ReadReplacesNaNOnly) {
    const CVector a = Load(Concat(LittleEndian(kNaN), LittleEndian(7.25)));
    EXPECT_EQ(a.x, 0.0);
    EXPECT_EQ(a.y, 7.25);

    const double negativeNaN = std::bit_cast<double>(std::uint64_t{0xFFF8000000000001});
    const CVector b = Load(Concat(LittleEndian(-3.0), LittleEndian(negativeNaN)));
    EXPECT_EQ(b.x, -3.0);
    EXPECT_EQ(b.y, 0.0);
    EXPECT_FALSE(std::signbit(b.y));

    const CVector c = Load(Concat(LittleEndian(kInf), LittleEndian(-kInf)));
    EXPECT_EQ(c.x, kInf);
    EXPECT_EQ(c.y, -kInf);
}

TEST(VectorArchive, TruncatedReadThrowsAndKeepsVector) {
    CMemFile file;
    const std::vector<BYTE> bytes = LittleEndian(5.0);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CVector v(1.0, 2.0);
    try {
        v.Read(ar);
        ADD_FAILURE() << "reading 8 bytes of 16 did not throw";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(v.y, 2.0);
}

} // namespace
} // namespace vellum
