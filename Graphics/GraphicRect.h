#pragma once
// CGraphicRect: a rectangle that may be rotated, kept as four corners that go round it
// (c0–c1–c2–c3–c0, c((k + 2) mod 4) opposite ck). The user draws it from c0 to c2, moves
// it whole, and drags any corner while the opposite corner stays put and the two neighbours
// slide along their edges, so the rectangle keeps its right angles and its orientation.
//
// The corners are the item's nodes 1 to 4: the node pointer views the corner array, so the
// base operations that walk the nodes (bounds, rotation, scaling, flipping, node squares)
// act on the corners. The base node array stays empty.
//
// Every boxed item (text box, symbol, density area, profile graph) derives from it.

#include <vellum/Graphics/GraphicItem.h>

namespace vellum {

class CGraphicRect : public CGraphicItem {
    DECLARE_SERIAL(CGraphicRect)
public:
    CGraphicRect();
    ~CGraphicRect() override;

    // The base item's fields, the rectangle tag and the four corners.
    void Serialize(CArchive& ar) override;
    // The closed outline in the item pen, never filled; corner squares when focused.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // 1 to 4 on a corner handle, -1 inside the outline, 0 elsewhere.
    int HitTest(CVector* point, double zoom) override;
    // The midpoint of the diagonal c0–c2.
    CVector GetCenterPoint() override;
    // node -1 moves the whole rectangle; 1 to 4 drags that corner, refused when it would
    // break the rectangle; any other node does nothing.
    void Move(double dx, double dy, int node) override;
    // A 1 × 1 square with c0 at point.
    void SetStart(CVector* point) override;
    // An axis-parallel rectangle from c0 to point, at least one unit wide and high; add is
    // not used.
    void SetEnd(CVector* point, int add) override;
    // Points the node view at the corners, once.
    void CheckNodeArray() override;

    // Corner index (0 to 3), for hosts and tools; another index throws CInvalidArgException.
    CVector GetCorner(int index) const;

protected:
    // 1 when every interior angle lies within 89.5° to 90.5°, bounds included, else 0.
    int IsValid();
    // Draws the outline in the pen that the caller has just selected (previous is the pen
    // it replaced), the corner squares when focused and not dragged, then restores the
    // previous pen and background mode and deletes the item pen.
    void DrawOutline(CDC* dc, double zoom, WORD types, CPen* previous);

    int m_nRectTag = 1; // stored, not otherwise used
    CVector m_aCorners[4];
};

} // namespace vellum
