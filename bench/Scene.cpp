#include "Scene.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>

#include <cmath>
#include <random>

namespace vellum::bench {

namespace {
constexpr double kMaxLength = 60.0;
constexpr int kPolylineSegments = 3;
} // namespace

std::vector<Figure> MakeFigures(int count, unsigned seed, bool polylinesOnly) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(0.0, kAreaWidth), y(0.0, kAreaHeight);
    std::uniform_real_distribution<double> direction(0.0, 2 * PI);
    std::uniform_int_distribution<int> width(1, 3), channel(0, 255);
    const WORD classes[] = {CGraphicItem::classDrawing, CGraphicItem::classMeasure,
                            CGraphicItem::classSymbol};
    std::vector<Figure> figures;
    figures.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Figure figure;
        figure.isLine = !polylinesOnly && i % 2 == 0;
        const int segments = figure.isLine ? 1 : kPolylineSegments;
        std::uniform_real_distribution<double> length(1.0, kMaxLength / segments);
        CVector at(std::round(x(random)), std::round(y(random)));
        figure.nodes.push_back(at);
        for (int s = 0; s < segments; ++s) {
            const double a = direction(random), l = length(random);
            at = CVector(std::round(at.x + l * std::cos(a)), std::round(at.y + l * std::sin(a)));
            figure.nodes.push_back(at);
        }
        figure.itemClass = classes[i % 3];
        figure.colour = RGB(channel(random), channel(random), channel(random));
        figure.width = width(random);
        figures.push_back(std::move(figure));
    }
    return figures;
}

std::unique_ptr<CGraphicItemList> MakeList(const std::vector<Figure>& figures) {
    auto list = std::make_unique<CGraphicItemList>();
    for (const Figure& figure : figures) {
        CGraphicItem* item;
        CVector start = figure.nodes.front();
        if (figure.isLine) {
            auto* line = new CGraphicLine;
            CVector end = figure.nodes.back();
            line->SetStart(&start);
            line->SetEnd(&end, 0);
            item = line;
        } else {
            auto* polyline = new CGrPolyLine;
            polyline->SetStart(&start);
            for (std::size_t n = 1; n < figure.nodes.size(); ++n) {
                CVector node = figure.nodes[n];
                polyline->SetEnd(&node, 1);
            }
            item = polyline;
        }
        item->SetClass(figure.itemClass);
        item->SetColor(figure.colour);
        item->SetLineWidth(figure.width);
        list->AddItem(figure.itemClass, item);
    }
    return list;
}

} // namespace vellum::bench
