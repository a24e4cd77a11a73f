#pragma once
// LineDDA: the framework's line enumerator, which hands each pixel of a segment to a callback.
//
// The pixels are those the framework's line drawing sets: the start point is visited and the
// end point is not, so segments joined end to start visit every pixel once. The axis with the
// larger distance is the major axis and advances by one pixel per point (x on a tie, which
// makes diagonals step (1,1)); the minor coordinate is the exact one rounded to the nearest
// pixel, halves rounded toward the end point. From (0,0) to (4,1) the points are (0,0),
// (1,0), (2,1), (3,1); from (4,1) to (0,0) they are (4,1), (3,1), (2,0), (1,0). Consecutive
// points are 8-connected, and a segment of length zero visits nothing.

#include <functional>

namespace vellum {

using LINEDDAPROC = void (*)(int x, int y, void* data);

// Calls proc(x, y, data) for each point in order; a null proc visits nothing.
void LineDDA(int x1, int y1, int x2, int y2, LINEDDAPROC proc, void* data);
// Calls visit(x, y) for each point in order; an empty function visits nothing.
void LineDDA(int x1, int y1, int x2, int y2, const std::function<void(int, int)>& visit);

} // namespace vellum
