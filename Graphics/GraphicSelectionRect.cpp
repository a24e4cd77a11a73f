#include <vellum/Graphics/GraphicSelectionRect.h>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicSelectionRect, CGraphicItem, VERSIONABLE_SCHEMA | 1)

CGraphicSelectionRect::CGraphicSelectionRect() = default;

CGraphicSelectionRect::~CGraphicSelectionRect() = default;

void CGraphicSelectionRect::Serialize(CArchive&) {}

void CGraphicSelectionRect::Move(double, double, int) {}

void CGraphicSelectionRect::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    DrawOutline(dc, zoom, types, CreateDotPen(dc));
}

} // namespace vellum
