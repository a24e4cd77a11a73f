#include <vellum/geometry/Vector.h>

#include <vellum/archive/Archive.h>
#include <vellum/geometry/GraphMatrix.h>

#include <cmath>

namespace vellum {

CVector CVector::operator*(const CGraphMatrix& m) const {
    return CVector(m.m[0][0] * x + m.m[0][1] * y + m.m[0][2],
                   m.m[1][0] * x + m.m[1][1] * y + m.m[1][2]);
}

double CVector::Length() const {
    return std::sqrt(x * x + y * y);
}

double CVector::Distance(const CVector* p) const {
    const CVector other = p ? *p : CVector();
    const double dx = x - other.x;
    const double dy = y - other.y;
    return std::sqrt(dx * dx + dy * dy);
}

double CVector::Angle(const CVector* v) const {
    const double a1 = std::atan2(y, x);
    const double a2 = v ? std::atan2(v->y, v->x) : 0.0;
    const double d = a2 - a1;
    if (std::fabs(d) <= PI)
        return d;
    if (d > PI)
        return d - 2.0 * PI;
    return d + 2.0 * PI;
}

CVector CVector::Projection(const CVector* v) const {
    if (!v)
        return CVector();
    // Through the lengths and the angle rather than a dot product, so that results agree to the
    // last bit with the rest of the library's geometry.
    const double lengthV = v->Length();
    const double p = Length() * lengthV * std::cos(Angle(v));
    const double k = p != 0.0 ? p / (lengthV * lengthV) : 0.0;
    return CVector(v->x * k, v->y * k);
}

void CVector::Rotate(double angle, const CVector* centre) {
    const CVector c = centre ? *centre : CVector();
    *this = *this * CMoveMatrix(-c.x, -c.y);
    *this = *this * CRotateMatrix(angle);
    *this = *this * CMoveMatrix(c.x, c.y);
}

void CVector::Write(CArchive& ar) const {
    ar << x << y;
}

void CVector::Read(CArchive& ar) {
    double newX = 0.0;
    double newY = 0.0;
    ar >> newX >> newY;
    // A damaged component must not spread NaN through later geometry.
    x = std::isnan(newX) ? 0.0 : newX;
    y = std::isnan(newY) ? 0.0 : newY;
}

} // namespace vellum
