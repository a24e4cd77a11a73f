#pragma once
// CGraphicSelectionRect: the rubber band with which the user selects a region of the image,
// for cropping. It has the corners of a rectangle but is drawn dotted, changes only through
// SetStart and SetEnd, and is never stored: its archived body is empty.
//
// Its run-time class names CGraphicItem as its base, so a run-time kind-of test for
// CGraphicRect is false for it: hosts that look for rectangles do not take it for one.

#include <vellum/Graphics/GraphicRect.h>

namespace vellum {

class CGraphicSelectionRect : public CGraphicRect {
    DECLARE_SERIAL(CGraphicSelectionRect)
public:
    CGraphicSelectionRect();
    ~CGraphicSelectionRect() override;

    // Writes and reads nothing, not even the base item's fields.
    void Serialize(CArchive& ar) override;
    // Does nothing: the rubber band is never dragged.
    void Move(double dx, double dy, int node) override;
    // The rectangle's outline in the dotted pen.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
};

} // namespace vellum
