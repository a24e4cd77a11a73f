#pragma once
// CGrPolyLine: an open polyline that the user draws click by click. Its nodes live in the
// item's node array; everything but node acceptance and the length is the base item's.

#include <vellum/Graphics/GraphicItem.h>

namespace vellum {

class CGrPolyLine : public CGraphicItem {
    DECLARE_SERIAL(CGrPolyLine)
public:
    CGrPolyLine();
    ~CGrPolyLine() override;

    // The window keeps adding nodes while the user clicks.
    int AcceptMoreNodes() override;
    // The base hit test's body rectangle and node squares, for the polyline itself only
    // (see CGraphicItem::GetHitBounds).
    BOOL GetHitBounds(CRect* bounds) override;
    // The total length in image pixels; 0.0 with fewer than two nodes.
    double GetLength();

protected:
    int m_nPolyTag = 1; // the polyline's own tag; not stored
};

} // namespace vellum
