#include <vellum/density/GrDensityArea.h>

#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGrDensityArea, CGraphicRect, VERSIONABLE_SCHEMA | 1)

CGrDensityArea::CGrDensityArea() = default;

CGrDensityArea::~CGrDensityArea() = default;

int CGrDensityArea::Init(pBITMAPHANDLE bitmap) {
    m_rcArea = GetBoundsRect(0);
    return m_histogram.Init(bitmap, &m_rcArea);
}

int CGrDensityArea::OnBitmapForItems(struct_LEAD_Bitmap* bitmap) {
    return Init(bitmap);
}

// Compared exactly, with pi as the library writes it.
void CGrDensityArea::Rotate(double angle, CVector* centre) {
    const double a = std::fabs(angle);
    const double half = PI / 2.0;
    if (a == half || a == PI || a == 3 * half)
        CGraphicRect::Rotate(angle, centre);
}

} // namespace vellum
