#pragma once
// What the distance and the angle share beyond their polyline: the property sheet with the
// line, colour and label font pages, the solid pen of their arrowheads and arms, and the test
// for a usable resolution or magnification.

#include <vellum/platform/Types.h>

namespace vellum {

class CGraphicItem;
class CGraphicTextLine;
class CWnd;

// The line page, the colour page and the label's font page; on OK the item takes the width and
// the colour (its label following), and a new font goes to the label, which is measured again
// while the parent is repainted. 1 on OK, 0 on Cancel.
int RunMeasurementSheet(CWnd* parent, CGraphicItem& item, CGraphicTextLine& label);

// The width of a measurement's solid pen: thinner when zoomed out, never thicker when zoomed
// in, at least one pixel.
int MeasurementPenWidth(double zoom, double lineWidth);

// A resolution or magnification that can divide a length: finite and above zero.
bool IsUsableScale(double value);

} // namespace vellum
