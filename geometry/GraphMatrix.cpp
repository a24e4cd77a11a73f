#include <vellum/geometry/GraphMatrix.h>

#include <cmath>

namespace vellum {

CGraphMatrix::CGraphMatrix() : m{{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 1.0}} {}

CGraphMatrix CGraphMatrix::operator*(const CGraphMatrix& b) const {
    CGraphMatrix result;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 3; ++j)
            result.m[i][j] = b.m[i][0] * m[0][j] + b.m[i][1] * m[1][j] + b.m[i][2] * m[2][j];
    }
    return result;
}

CMoveMatrix::CMoveMatrix(double dx, double dy) {
    m[0][0] = 1.0;
    m[1][1] = 1.0;
    m[0][2] = dx;
    m[1][2] = dy;
}

CRotateMatrix::CRotateMatrix(double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    m[0][0] = c;
    m[0][1] = s;
    m[1][0] = -s;
    m[1][1] = c;
}

CScaleMatrix::CScaleMatrix(double sx, double sy) {
    m[0][0] = sx;
    m[1][1] = sy;
}

} // namespace vellum
