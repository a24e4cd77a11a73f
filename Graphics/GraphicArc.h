#pragma once
// CGraphicArc: a curve held as the four control points of one cubic Bézier segment. While the
// user drags, the two inner points follow from the start and the end, so the curve bends from
// the start along y and then along x to the end; dragging node 2 or 3 later reshapes it. The
// body of an arc, for hit testing, is the area of its control polygon.

#include <vellum/Graphics/GraphicItem.h>

namespace vellum {

class CGraphicArc : public CGraphicItem {
    DECLARE_SERIAL(CGraphicArc)
public:
    CGraphicArc();
    ~CGraphicArc() override;

    void Serialize(CArchive& ar) override;
    int HitTest(CVector* point, double zoom) override;
    CVector GetCenterPoint() override;
    // All four points on point: the arc starts as a point.
    void SetStart(CVector* point) override;
    // The end; the inner points follow at half height and half width. add is ignored.
    void SetEnd(CVector* point, int add) override;
    void CheckNodeArray() override;
    // The Bézier curve at this zoom, with the start and end handles of a focused arc.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // The curve with the control points as they stand, not scaled by zoom (the pen is).
    void Draw(CDC* dc, double zoom, WORD types, LONG flags);

    const CVector& GetControlPoint(int index) const { return m_aPoints[index]; }

protected:
    int m_nArcTag = 1;
    // p0 … p3, contiguous so that the node pointer sees them as nodes 1 to 4.
    CVector m_aPoints[4];

private:
    // Draws with points scaled by pointZoom and the pen and handles sized for zoom.
    void DrawCurve(CDC* dc, double zoom, double pointZoom, WORD types);
    void DrawHandle(CDC* dc, double pointZoom, int end, int inner);
};

} // namespace vellum
