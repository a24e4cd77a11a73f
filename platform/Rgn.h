#pragma once
// CRgn: a region of device pixels described by a polygon, for hit tests and invalidation.
//
// Which pixels a polygon holds: pixel (x, y) is inside when its centre (x + 0.5, y + 0.5) is
// inside the polygon under the fill mode — an odd number of edge crossings to its right for
// ALTERNATE, a non-zero sum of edge directions for WINDING. Vertices are integers, so a centre
// never lies on a vertex or on a horizontal or vertical edge; a centre exactly on a slanted
// edge belongs to the side to the right of that edge. The result is the framework's convention:
// pixels along a left or top edge are inside, pixels along a right or bottom edge outside, so
// the rectangle polygon (0,0),(10,0),(10,5),(0,5) holds exactly the pixels 0..9 × 0..4.
//
// Arithmetic is exact for every 32-bit input. The box and the region type are found without
// visiting the rows one by one: their cost grows with the number of edges and of places where
// edges cross, not with the polygon's size.

#include <vellum/platform/DC.h> // the fill modes ALTERNATE and WINDING
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/Types.h>

#include <vector>

namespace vellum {

// Region types returned by GetRgnBox.
constexpr int ERROR = 0; // the region was never created or has been deleted
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2; // exactly one rectangle of pixels
constexpr int COMPLEXREGION = 3;

class CRgn : public CGdiObject {
public:
    CRgn() = default;

    // The pixels of the polygon under fillMode (ALTERNATE or WINDING). The polygon closes by
    // itself. Fewer than three points, or a polygon that holds no pixel centre, give an empty
    // region. FALSE, leaving the region as it was, for a null points pointer, a negative count
    // or an unknown fill mode.
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    // The pixels left <= x < right, top <= y < bottom; swapped edges are put in order first.
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    // Empties the region and releases its polygon.
    BOOL DeleteObject();

    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    // The smallest rectangle (right and bottom exclusive) holding every pixel of the region,
    // (0,0,0,0) when it is empty; returns the region type, or ERROR for a region that was not
    // created or a null rect (which is then left untouched).
    int GetRgnBox(RECT* rect) const;

private:
    std::vector<POINT> m_points;
    int m_fillMode = ALTERNATE;
    RECT m_box{0, 0, 0, 0};
    int m_type = NULLREGION;
};

} // namespace vellum
