#include <vellum/Graphics/GrPolyLine.h>

#include <typeinfo>

namespace vellum {

IMPLEMENT_SERIAL(CGrPolyLine, CGraphicItem, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr int kInitialNodes = 2;
constexpr int kNodeGrowStep = 5;
} // namespace

// Room for the start and the first end, so the base SetStart can place node 0.
CGrPolyLine::CGrPolyLine() {
    m_aNodes.SetSize(kInitialNodes, kNodeGrowStep);
}

CGrPolyLine::~CGrPolyLine() = default;

int CGrPolyLine::AcceptMoreNodes() {
    return 1;
}

double CGrPolyLine::GetLength() {
    if (m_nNodeCount < 2)
        return 0.0;
    double length = 0.0;
    for (int i = 0; i + 1 < m_nNodeCount; ++i)
        length += (m_aNodes.GetAt(i + 1) - m_aNodes.GetAt(i)).Length();
    return length;
}

BOOL CGrPolyLine::GetHitBounds(CRect* bounds) {
    // typeid, not the runtime class: a subclass without a runtime class of its own still
    // answers the base's, yet it may hit beyond the nodes.
    if (typeid(*this) != typeid(CGrPolyLine))
        return CGraphicItem::GetHitBounds(bounds);
    return NodeHitBounds(bounds, true);
}

} // namespace vellum
