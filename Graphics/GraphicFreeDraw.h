#pragma once
// CGraphicFreeDraw: a freehand stroke, the points captured while the button is held, inside an
// axis-parallel box with eight resize handles (the corners c0 to c3, in the rectangle's corner
// order, then the midpoints of the left, bottom, right and top edges), and an optional text
// label joined to the end of the stroke by a dotted leader.
//
// The stroke is the base item's node array; the handles are not its nodes. Dragging a handle
// stretches the box, and the stroke with it, about the opposite side; the box never gets
// narrower or lower than 20 image units that way. Rotating, scaling and flipping act on the
// stroke alone.

#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicTextLine.h>

namespace vellum {

class CGraphicFreeDraw : public CGraphicItem {
    DECLARE_SERIAL(CGraphicFreeDraw)
public:
    // The smallest width and height that stretching by a handle leaves.
    static constexpr double minimumSize = 20.0;

    CGraphicFreeDraw();
    ~CGraphicFreeDraw() override;

    // The base fields with the stroke, the tag, the label's body and the four box corners.
    void Serialize(CArchive& ar) override;
    // Each as the base item's, then the same on the label.
    void SetFocus(int focus) override;
    void SetColor(DWORD colour) override;
    void SetDrag(int drag) override;
    // 1 to 8 for the handle under point (also kept for SetOwnCursor), else 0.
    int PntInNode(CVector* point, double zoom) override;
    // The handles when focused, the label and its leader when it has text, then the stroke.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // -2 on the label, 1 to 8 on a handle, -1 within the bounds, else 0.
    int HitTest(CVector* point, double zoom) override;
    // The stroke's bounds joined with the label's area; inflate adds the gap all round.
    CRect GetBoundsRect(int inflate) override;
    // -1 moves stroke and box, -2 the label alone, 1 to 8 stretches by that handle.
    void Move(double dx, double dy, int node) override;
    // Begins a stroke at point in a 1 × 1 box; the label takes the user's default font.
    void SetStart(CVector* point) override;
    // Adds (add non-zero) or replaces the last point; the box grows to hold it, and the
    // label's anchor follows the pen.
    void SetEnd(CVector* point, int add) override;
    // Text, colour, line width and font pages.
    int Properties(CWnd* parent, LONG flags) override;
    int AcceptMoreNodes() override;
    // The sizing cursor of the handle found last, or the move cursor; only when focused.
    void SetOwnCursor() override;

    // Box corner index (0 to 3); another index throws CInvalidArgException.
    CVector GetBoxCorner(int index) const;
    CGraphicTextLine& GetLabel() { return m_Label; }
    CRect GetLabelRect() const { return m_rcLabel; }

protected:
    // The eight handles, corner k then the midpoint of edge k, for k = 0 to 3.
    void HiliteNodes(CDC* dc, double zoom, WORD types, int node) override;

private:
    // Handle h (1 to 8): a corner for 1 to 4, an edge midpoint for 5 to 8.
    CVector Handle(int handle) const;
    void Stretch(double dx, double dy, int handle);

    int m_nFreeTag = 1;
    CVector m_aBox[4];
    CGraphicTextLine m_Label;
    CRect m_rcLabel;
};

} // namespace vellum
