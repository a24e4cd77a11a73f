#pragma once
// CGraphicLine: a straight segment with exactly two nodes, start and end. Its hit test is
// the distance-to-segment test that other kinds reuse.

#include <vellum/Graphics/GraphicItem.h>

namespace vellum {

class CGraphicLine : public CGraphicItem {
    DECLARE_SERIAL(CGraphicLine)
public:
    CGraphicLine();
    ~CGraphicLine() override;

    void Serialize(CArchive& ar) override;
    int HitTest(CVector* point, double zoom) override;
    // A new line is a point until its end is dragged.
    void SetStart(CVector* point) override;
    // Moves the end; a line never grows, so add is ignored.
    void SetEnd(CVector* point, int add) override;
    void CheckNodeArray() override;
    // The end squares' reach, for the line itself only (see CGraphicItem::GetHitBounds).
    BOOL GetHitBounds(CRect* bounds) override;

    const CVector& GetStart() const { return m_aEnds[0]; }
    const CVector& GetEnd() const { return m_aEnds[1]; }

protected:
    int m_nLineTag = 1;
    // Start and end, contiguous so that the node pointer sees them as nodes 1 and 2.
    CVector m_aEnds[2];
};

} // namespace vellum
