#pragma once
// CVector: a point or a displacement in image coordinates, x to the right and y down.
// It holds exactly two doubles, so an array of vectors is a packed array of (x, y) pairs.

#include <vellum/platform/Types.h>

#include <type_traits>

namespace vellum {

class CArchive;
class CGraphMatrix;

// Pi as the library has always written it, 3.1e-15 below the true value. Every angle
// computation of the library uses this constant, so that stored angles and the wrapping of
// angle differences stay consistent across the library.
constexpr double PI = 3.14159265358979;

class CVector {
public:
    CVector() = default;
    CVector(double x, double y) : x(x), y(y) {}
    CVector(POINT pt) : x(pt.x), y(pt.y) {}

    void SetXY(double newX, double newY) {
        x = newX;
        y = newY;
    }
    double GetX() const { return x; }
    double GetY() const { return y; }

    CVector operator+(CVector v) const { return CVector(x + v.x, y + v.y); }
    CVector operator-(CVector v) const { return CVector(x - v.x, y - v.y); }
    // The point transformed by m; row 2 of the matrix is not read.
    CVector operator*(const CGraphMatrix& m) const;

    // 1 when both components are exactly equal (so never for NaN), else 0.
    int operator==(const CVector& v) const { return x == v.x && y == v.y ? 1 : 0; }
    int operator!=(const CVector& v) const { return operator==(v) ? 0 : 1; }

    // Each component rounded half away from zero; NaN or out of range gives INT32_MIN.
    // Inline: hit testing and drawing convert every node they touch.
    operator POINT() const { return POINT{RoundHalfAwayFromZero(x), RoundHalfAwayFromZero(y)}; }

    double Length() const;
    // The distance to p; a null p stands for the origin.
    double Distance(const CVector* p) const;
    // The signed angle in radians from the direction of this vector to that of v, in
    // [-PI, PI]; it grows clockwise as displayed. A null v stands for the direction of +x.
    double Angle(const CVector* v) const;
    // This vector projected onto the direction of v; (0, 0) when v is null or zero.
    CVector Projection(const CVector* v) const;
    // Rotates this point in place by angle radians about centre (null: the origin); a
    // positive angle turns counter-clockwise as displayed, so Rotate(-a.Angle(&b)) turns
    // the direction of a onto that of b.
    void Rotate(double angle, const CVector* centre);

    // x then y as 64-bit doubles.
    void Write(CArchive& ar) const;
    // Reads x then y; a component stored as NaN becomes 0.0. When the archive throws, the
    // vector is left unchanged.
    void Read(CArchive& ar);

    double x = 0.0;
    double y = 0.0;

private:
    static LONG RoundHalfAwayFromZero(double value) {
        return value >= 0.0 ? TruncateToLong(value + 0.5) : TruncateToLong(value - 0.5);
    }
};

static_assert(sizeof(CVector) == 2 * sizeof(double));
static_assert(std::is_standard_layout_v<CVector>);
static_assert(std::is_trivially_copyable_v<CVector>);

} // namespace vellum
