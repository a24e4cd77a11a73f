#include <vellum/Graphics/GraphicArc.h>

#include <vellum/archive/Archive.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Rgn.h>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicArc, CGraphicItem, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr int kPointCount = 4;
constexpr int kInnerHandleHalfSide = 3;
constexpr COLORREF kBlack = RGB(0, 0, 0);
} // namespace

CGraphicArc::CGraphicArc() {
    m_pNodes = m_aPoints;
    m_nNodeCount = kPointCount;
}

CGraphicArc::~CGraphicArc() = default;

void CGraphicArc::SetStart(CVector* point) {
    for (CVector& p : m_aPoints)
        p = *point;
}

void CGraphicArc::SetEnd(CVector* point, int) {
    CVector& p0 = m_aPoints[0];
    CVector& p3 = m_aPoints[3];
    p3 = *point;
    m_aPoints[1] = CVector(p0.x, (p0.y + p3.y) / 2);
    m_aPoints[2] = CVector((p0.x + p3.x) / 2, p3.y);
}

void CGraphicArc::CheckNodeArray() {
    if (m_nNodeCount == 0) {
        for (CVector& p : m_aPoints)
            p = CVector();
        m_pNodes = m_aPoints;
        m_nNodeCount = kPointCount;
    }
}

CVector CGraphicArc::GetCenterPoint() {
    return CVector((m_aPoints[0].x + m_aPoints[3].x) / 2, (m_aPoints[0].y + m_aPoints[3].y) / 2);
}

int CGraphicArc::HitTest(CVector* point, double zoom) {
    if (const int node = PntInNode(point, zoom))
        return node;
    POINT polygon[kPointCount];
    for (int i = 0; i < kPointCount; ++i)
        polygon[i] = m_aPoints[i];
    CRgn region;
    if (!region.CreatePolygonRgn(polygon, kPointCount, WINDING))
        return 0;
    return region.PtInRegion(*point) ? hitBody : 0;
}

void CGraphicArc::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    DrawCurve(dc, zoom, zoom, types);
}

void CGraphicArc::Draw(CDC* dc, double zoom, WORD types, LONG) {
    DrawCurve(dc, zoom, 1.0, types);
}

void CGraphicArc::DrawCurve(CDC* dc, double zoom, double pointZoom, WORD types) {
    POINT curve[kPointCount];
    for (int i = 0; i < kPointCount; ++i)
        curve[i] = ToDevice(m_aPoints[i], pointZoom);
    CPen* previous = CreatePen(dc, zoom);
    dc->PolyBezier(curve, kPointCount);
    const int focus = HasFocus();
    if (focus && !(types & drawNoNodes)) {
        CPen dotted(PS_DOT, 1, m_crColor);
        dc->SelectObject(&dotted);
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        // The start handle belongs to nodes 1 and 2, the end handle to nodes 3 and 4; a body
        // pick shows both.
        if (focus == hitBody || focus == 1 || focus == 2)
            DrawHandle(dc, pointZoom, 0, 1);
        if (focus == hitBody || focus == 3 || focus == 4)
            DrawHandle(dc, pointZoom, 3, 2);
        dc->SetBkMode(oldMode);
        dc->SelectObject(&m_pen);
    }
    dc->SelectObject(previous);
    m_pen.DeleteObject();
}

// The squares on the end point and its inner control point, and the dotted line between
// them. A dragged arc shows no squares, and a dragged arc picked by its body no lines either.
void CGraphicArc::DrawHandle(CDC* dc, double pointZoom, int end, int inner) {
    const POINT e = ToDevice(m_aPoints[end], pointZoom);
    const POINT i = ToDevice(m_aPoints[inner], pointZoom);
    if (!m_bDrag) {
        const COLORREF background = dc->GetBkColor();
        const int s = m_nNodeHalfSize;
        const CRect endSquare(WrapSub(e.x, s), WrapSub(e.y, s), WrapAdd(e.x, s), WrapAdd(e.y, s));
        dc->FillSolidRect(&endSquare, kBlack);
        const int t = kInnerHandleHalfSide;
        const CRect innerSquare(WrapSub(i.x, t), WrapSub(i.y, t), WrapAdd(i.x, t), WrapAdd(i.y, t));
        dc->FillSolidRect(&innerSquare, kBlack);
        dc->SetBkColor(background);
    }
    if (!(HasFocus() == hitBody && m_bDrag)) {
        dc->MoveTo(e);
        dc->LineTo(i);
    }
}

void CGraphicArc::Serialize(CArchive& ar) {
    CGraphicItem::Serialize(ar);
    SerializeInt(m_nArcTag, ar);
    for (CVector& p : m_aPoints) {
        if (ar.IsStoring())
            p.Write(ar);
        else
            p.Read(ar);
    }
}

} // namespace vellum
