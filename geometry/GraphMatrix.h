#pragma once
// CGraphMatrix: a 3x3 affine transform of the image plane. Points are column vectors
// (x, y, 1); only rows 0 and 1 act on a point, row 2 is kept as (0, 0, 1) by composition.
// CMoveMatrix, CRotateMatrix and CScaleMatrix only build particular matrices.

namespace vellum {

class CGraphMatrix {
public:
    // All zero except m[2][2]: this is not the identity, it maps every point to (0, 0).
    CGraphMatrix();

    // Composition: the result applies this matrix first and b second (b times this).
    CGraphMatrix operator*(const CGraphMatrix& b) const;

    double* operator[](int row) { return m[row]; }
    const double* operator[](int row) const { return m[row]; }
    double Get(int row, int col) const { return m[row][col]; }

    double m[3][3];
};

// A translation by (dx, dy).
class CMoveMatrix : public CGraphMatrix {
public:
    CMoveMatrix() = default;
    CMoveMatrix(double dx, double dy);
};

// A rotation by angle radians. The image's y axis points down, so a positive angle turns
// counter-clockwise as displayed: (1, 0) goes to (cos a, -sin a).
class CRotateMatrix : public CGraphMatrix {
public:
    CRotateMatrix() = default;
    explicit CRotateMatrix(double angle);
};

// A scaling by sx along x and sy along y, about the origin.
class CScaleMatrix : public CGraphMatrix {
public:
    CScaleMatrix() = default;
    CScaleMatrix(double sx, double sy);
};

static_assert(sizeof(CMoveMatrix) == sizeof(CGraphMatrix));
static_assert(sizeof(CRotateMatrix) == sizeof(CGraphMatrix));
static_assert(sizeof(CScaleMatrix) == sizeof(CGraphMatrix));

} // namespace vellum
