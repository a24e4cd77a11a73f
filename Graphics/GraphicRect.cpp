#include <vellum/Graphics/GraphicRect.h>

#include <vellum/archive/Archive.h>
#include <vellum/geometry/GraphMatrix.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/Rgn.h>

#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicRect, CGraphicItem, VERSIONABLE_SCHEMA | 1)

namespace {
// A corner passes when its angle lies within 89.5° and 90.5° (179/360 and 181/360 of pi).
constexpr double kMinRightAngle = 0.49722222222222223 * PI;
constexpr double kMaxRightAngle = 0.5027777777777778 * PI;
} // namespace

CGraphicRect::CGraphicRect() {
    CheckNodeArray();
}

CGraphicRect::~CGraphicRect() = default;

CVector CGraphicRect::GetCorner(int index) const {
    if (index < 0 || index > 3)
        throw CInvalidArgException();
    return m_aCorners[index];
}

void CGraphicRect::CheckNodeArray() {
    if (m_nNodeCount != 0)
        return;
    for (CVector& corner : m_aCorners)
        corner = CVector();
    m_pNodes = m_aCorners;
    m_nNodeCount = 4;
}

void CGraphicRect::SetStart(CVector* point) {
    const CVector p = *point;
    m_aCorners[0] = p;
    m_aCorners[1] = CVector(p.x, p.y + 1);
    m_aCorners[2] = CVector(p.x + 1, p.y + 1);
    m_aCorners[3] = CVector(p.x + 1, p.y);
}

void CGraphicRect::SetEnd(CVector* point, int) {
    const CVector p = *point;
    const CVector d = p - m_aCorners[0];
    // Never zero wide or high: the end moves one unit away from the start's line.
    m_aCorners[2] = CVector(p.x + (d.x == 0.0 ? 1 : 0), p.y + (d.y == 0.0 ? 1 : 0));
    m_aCorners[1] = CVector(m_aCorners[0].x, m_aCorners[2].y);
    m_aCorners[3] = CVector(m_aCorners[2].x, m_aCorners[0].y);
}

CVector CGraphicRect::GetCenterPoint() {
    return CVector((m_aCorners[0].x + m_aCorners[2].x) / 2,
                   (m_aCorners[0].y + m_aCorners[2].y) / 2);
}

void CGraphicRect::Move(double dx, double dy, int node) {
    if (node == hitBody) {
        const CMoveMatrix shift(dx, dy);
        for (CVector& corner : m_aCorners)
            corner = corner * shift;
        return;
    }
    if (node < 1 || node > 4)
        return;

    const int k = node - 1;
    CVector& dragged = m_aCorners[k];
    const CVector& opposite = m_aCorners[(k + 2) % 4];
    CVector& neighbourA = m_aCorners[(k + 1) % 4];
    CVector& neighbourB = m_aCorners[(k + 3) % 4];
    CVector saved[4];
    for (int i = 0; i < 4; ++i)
        saved[i] = m_aCorners[i];

    const CVector proposed = dragged + CVector(dx, dy);
    const CVector diagonal = proposed - opposite;
    const CVector edgeA = neighbourA - opposite;
    const CVector edgeB = neighbourB - opposite;
    if (diagonal.Length() == 0.0 || edgeA.Length() == 0.0 || edgeB.Length() == 0.0)
        return;
    // The dragged corner must stay strictly inside the right angle that the two edges span
    // at the opposite corner, so the rectangle neither collapses nor turns inside out.
    const double angleA = std::fabs(diagonal.Angle(&edgeA));
    const double angleB = std::fabs(diagonal.Angle(&edgeB));
    if (!(0 < angleA && angleA < PI / 2 && 0 < angleB && angleB < PI / 2))
        return;

    // The neighbours slide along their edges, so a rotated rectangle stays rotated.
    const CVector shift = proposed - dragged;
    dragged = proposed;
    neighbourA = neighbourA + shift.Projection(&edgeA);
    neighbourB = neighbourB + shift.Projection(&edgeB);
    if (!IsValid()) {
        for (int i = 0; i < 4; ++i)
            m_aCorners[i] = saved[i];
    }
}

int CGraphicRect::IsValid() {
    for (const int k : {2, 3, 0, 1}) {
        const CVector u = m_aCorners[(k + 1) % 4] - m_aCorners[k];
        const CVector w = m_aCorners[(k + 3) % 4] - m_aCorners[k];
        // A corner without two edges has no angle at all.
        if (u.Length() == 0.0 || w.Length() == 0.0)
            return 0;
        const double angle = std::fabs(u.Angle(&w));
        if (!(kMinRightAngle <= angle && angle <= kMaxRightAngle))
            return 0;
    }
    return 1;
}

int CGraphicRect::HitTest(CVector* point, double zoom) {
    if (const int node = PntInNode(point, zoom))
        return node;
    POINT outline[4];
    for (int i = 0; i < 4; ++i)
        outline[i] = m_aCorners[i];
    CRgn region;
    region.CreatePolygonRgn(outline, 4, WINDING);
    const BOOL inside = region.PtInRegion(*point);
    region.DeleteObject();
    return inside ? hitBody : 0;
}

void CGraphicRect::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    DrawOutline(dc, zoom, types, CreatePen(dc, zoom));
}

void CGraphicRect::DrawOutline(CDC* dc, double zoom, WORD types, CPen* previous) {
    const CScaleMatrix scale(zoom, zoom);
    POINT outline[5];
    for (int i = 0; i < 4; ++i)
        outline[i] = m_aCorners[i] * scale;
    outline[4] = outline[0];
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    dc->Polyline(outline, 5);
    if (HasFocus() && !m_bDrag)
        HiliteNodes(dc, zoom, types, 0);
    dc->SelectObject(previous);
    dc->SetBkMode(previousMode);
    m_pen.DeleteObject();
}

void CGraphicRect::Serialize(CArchive& ar) {
    CGraphicItem::Serialize(ar);
    SerializeInt(m_nRectTag, ar);
    for (CVector& corner : m_aCorners) {
        if (ar.IsStoring())
            corner.Write(ar);
        else
            corner.Read(ar);
    }
}

} // namespace vellum
