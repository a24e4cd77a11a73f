#pragma once
// The scene that every list benchmark measures, made in one place from a fixed seed: random
// lines and three-segment polylines, each at most 60 pixels long, over a 1920 x 1080 area,
// pen widths 1 to 3, in three item classes. The same figures feed the plain yardsticks
// (encoder, decoder, bounding-box scan, straight Cairo strokes) as plain arrays.

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/geometry/Vector.h>

#include <memory>
#include <vector>

namespace vellum::bench {

constexpr int kAreaWidth = 1920;
constexpr int kAreaHeight = 1080;

struct Figure {
    bool isLine; // a CGraphicLine (two nodes), else a CGrPolyLine (four)
    std::vector<CVector> nodes;
    WORD itemClass;
    COLORREF colour;
    double width;
};

// count figures; polylinesOnly leaves out the lines.
std::vector<Figure> MakeFigures(int count, unsigned seed, bool polylinesOnly = false);

// The figures as an item list, each added under its class.
std::unique_ptr<CGraphicItemList> MakeList(const std::vector<Figure>& figures);

} // namespace vellum::bench
