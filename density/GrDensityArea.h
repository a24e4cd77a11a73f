#pragma once
// CGrDensityArea: a rectangle whose grey-level histogram the host reads and charts. On the
// overlay it is a plain rectangle that turns by quarter turns only, so that it stays
// axis-aligned like the pixels it measures. The histogram and the area it was gathered over
// describe the item as it was at the last Init, and neither is stored.

#include <vellum/Graphics/BitmapUser.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/density/Histogram.h>

namespace vellum {

class CGrDensityArea : public CGraphicRect, public CBitmapUser {
    DECLARE_SERIAL(CGrDensityArea)
public:
    CGrDensityArea();
    ~CGrDensityArea() override;

    // Gathers over the item's bounds (GetBoundsRect(0)); 1 on success, 0 on failure.
    int Init(pBITMAPHANDLE bitmap);
    CHistogram* GetHistogram() { return &m_histogram; }
    // The corners of the area of the last Init; the bottom-right one is excluded.
    POINT GetStartPoint() const { return m_rcArea.TopLeft(); }
    POINT GetEndPoint() const { return m_rcArea.BottomRight(); }

    // Init(bitmap).
    int OnBitmapForItems(struct_LEAD_Bitmap* bitmap) override;
    // Only by exactly a quarter, half or three quarters of a turn (either way); any other
    // angle leaves the item unchanged.
    void Rotate(double angle, CVector* centre) override;

private:
    CHistogram m_histogram;
    CRect m_rcArea;
};

} // namespace vellum
