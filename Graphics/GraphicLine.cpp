#include <vellum/Graphics/GraphicLine.h>

#include <vellum/archive/Archive.h>

#include <typeinfo>

#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicLine, CGraphicItem, VERSIONABLE_SCHEMA | 1)

CGraphicLine::CGraphicLine() {
    m_pNodes = m_aEnds;
    m_nNodeCount = 2;
}

CGraphicLine::~CGraphicLine() = default;

void CGraphicLine::SetStart(CVector* point) {
    m_aEnds[0] = *point;
    m_aEnds[1] = *point;
    NodesChanged();
}

void CGraphicLine::SetEnd(CVector* point, int) {
    m_aEnds[1] = *point;
    NodesChanged();
}

void CGraphicLine::CheckNodeArray() {
    if (m_nNodeCount == 0) {
        m_aEnds[0] = CVector();
        m_aEnds[1] = CVector();
        m_pNodes = m_aEnds;
        m_nNodeCount = 2;
        NodesChanged();
    }
}

int CGraphicLine::HitTest(CVector* point, double zoom) {
    if (const int node = PntInNode(point, zoom))
        return node;
    const CVector& start = m_aEnds[0];
    const CVector& end = m_aEnds[1];
    CRect box(start, end);
    box.NormalizeRect();
    const int t = Tolerance(zoom);
    box.InflateRect(t, t);

    // Distance to the infinite line a·x + b·y + c = 0 through both ends. For a zero-length
    // line it is not a number, so only the nodes can be hit.
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    const double a = dy;
    const double b = -dx;
    const double c = start.y * dx - start.x * dy;
    const double distance = std::fabs(a * point->x + b * point->y + c) / std::sqrt(a * a + b * b);
    return box.PtInRect(*point) && distance < t ? hitBody : 0;
}

void CGraphicLine::Serialize(CArchive& ar) {
    CGraphicItem::Serialize(ar);
    SerializeInt(m_nLineTag, ar);
    if (ar.IsStoring()) {
        m_aEnds[0].Write(ar);
        m_aEnds[1].Write(ar);
    } else {
        NodesChanged(); // first: a read that fails half-way has changed the start already
        m_aEnds[0].Read(ar);
        m_aEnds[1].Read(ar);
    }
}

BOOL CGraphicLine::GetHitBounds(CRect* bounds) {
    // typeid, not the runtime class: a subclass without a runtime class of its own still
    // answers the base's, yet it may hit beyond the nodes.
    if (typeid(*this) != typeid(CGraphicLine))
        return CGraphicItem::GetHitBounds(bounds);
    return NodeHitBounds(bounds, false);
}

} // namespace vellum
