#include <vellum/Graphics/GraphicFreeDraw.h>

#include <vellum/archive/Archive.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/TextPP.h>

#include <algorithm>
#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicFreeDraw, CGraphicItem, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kInitialNodes = 2;
constexpr int kNodeGrowStep = 5;

// Which sides a handle drags: -1 the left (top) side, +1 the right (bottom) side, 0 neither.
struct HandleSides {
    int x;
    int y;
};

constexpr HandleSides kSides[8] = {
    {-1, -1}, {-1, +1}, {+1, +1}, {+1, -1}, // corners c0 to c3
    {-1, 0},  {0, +1},  {+1, 0},  {0, -1},  // left, bottom, right and top edges
};

// The integer point of a vector, rounded as CVector rounds, for the containment tests.
POINT RoundedPoint(const CVector& v) {
    return v;
}

} // namespace

CGraphicFreeDraw::CGraphicFreeDraw() {
    m_aNodes.SetSize(kInitialNodes, kNodeGrowStep);
    CVector origin(0.0, 0.0);
    m_Label.SetStart(&origin);
    m_Label.SetEnd(&origin, 1);
    m_Label.SetText("");
    m_Label.SetColor(m_crColor);
}

CGraphicFreeDraw::~CGraphicFreeDraw() = default;

CVector CGraphicFreeDraw::GetBoxCorner(int index) const {
    if (index < 0 || index > 3)
        throw CInvalidArgException();
    return m_aBox[index];
}

void CGraphicFreeDraw::SetFocus(int focus) {
    CGraphicItem::SetFocus(focus);
    m_Label.SetFocus(focus);
}

void CGraphicFreeDraw::SetColor(DWORD colour) {
    CGraphicItem::SetColor(colour);
    m_Label.SetColor(colour);
}

void CGraphicFreeDraw::SetDrag(int drag) {
    CGraphicItem::SetDrag(drag);
    m_Label.SetDrag(drag);
}

int CGraphicFreeDraw::AcceptMoreNodes() {
    return 1;
}

void CGraphicFreeDraw::SetStart(CVector* point) {
    CGraphicItem::SetStart(point);
    const CVector p = *point;
    m_aBox[0] = p;
    m_aBox[1] = CVector(p.x, p.y + 1);
    m_aBox[2] = CVector(p.x + 1, p.y + 1);
    m_aBox[3] = CVector(p.x + 1, p.y);
    m_Label.InitFont();
}

void CGraphicFreeDraw::SetEnd(CVector* point, int add) {
    CGraphicItem::SetEnd(point, add);
    const double left = std::min(m_aBox[0].x, point->x);
    const double right = std::max(m_aBox[2].x, point->x);
    const double top = std::min(m_aBox[0].y, point->y);
    const double bottom = std::max(m_aBox[1].y, point->y);
    m_aBox[0] = CVector(left, top);
    m_aBox[1] = CVector(left, bottom);
    m_aBox[2] = CVector(right, bottom);
    m_aBox[3] = CVector(right, top);
    m_Label.SetEnd(point, 0);
}

CVector CGraphicFreeDraw::Handle(int handle) const {
    if (handle <= 4)
        return m_aBox[handle - 1];
    const CVector& a = m_aBox[handle - 5];
    const CVector& b = m_aBox[(handle - 4) % 4];
    return CVector((a.x + b.x) / 2, (a.y + b.y) / 2);
}

int CGraphicFreeDraw::PntInNode(CVector* point, double zoom) {
    const LONG r = Tolerance(zoom);
    const POINT p = RoundedPoint(*point);
    m_nLastHitHandle = 0;
    for (int k = 0; k < 4 && !m_nLastHitHandle; ++k)
        for (const int handle : {k + 1, k + 5}) {
            const POINT c = RoundedPoint(Handle(handle));
            const CRect square(WrapSub(c.x, r), WrapSub(c.y, r), WrapAdd(c.x, r), WrapAdd(c.y, r));
            if (square.PtInRect(p)) {
                m_nLastHitHandle = handle;
                break;
            }
        }
    return m_nLastHitHandle;
}

int CGraphicFreeDraw::HitTest(CVector* point, double zoom) {
    if (m_rcLabel.PtInRect(RoundedPoint(*point)))
        return hitLabel;
    return CGraphicItem::HitTest(point, zoom);
}

CRect CGraphicFreeDraw::GetBoundsRect(int inflate) {
    CRect bounds = CGraphicItem::GetBoundsRect(inflate);
    bounds.UnionRect(&bounds, &m_rcLabel);
    if (inflate)
        bounds.InflateRect(m_nGap, m_nGap);
    return bounds;
}

void CGraphicFreeDraw::Move(double dx, double dy, int node) {
    if (node == hitBody) {
        CGraphicItem::Move(dx, dy, hitBody);
        for (CVector& corner : m_aBox)
            corner = CVector(corner.x + dx, corner.y + dy);
    } else if (node == hitLabel) {
        m_Label.Move(dx, dy, hitBody);
        m_Label.UpdateRect();
    } else if (node >= 1 && node <= 8) {
        Stretch(dx, dy, node);
    }
}

void CGraphicFreeDraw::Stretch(double dx, double dy, int handle) {
    const double w = m_aBox[3].x - m_aBox[0].x;
    const double h = m_aBox[1].y - m_aBox[0].y;
    const HandleSides sides = kSides[handle - 1];
    // A box without width or height cannot be stretched along that axis.
    if ((sides.x != 0 && !(w > 0)) || (sides.y != 0 && !(h > 0)))
        return;
    // A drag that shrinks the box below the minimum in either direction is refused whole.
    if ((sides.x < 0 && dx > 0 && w - dx < minimumSize) ||
        (sides.x > 0 && dx < 0 && w + dx < minimumSize) ||
        (sides.y < 0 && dy > 0 && h - dy < minimumSize) ||
        (sides.y > 0 && dy < 0 && h + dy < minimumSize))
        return;
    const double sx = sides.x == 0 ? 1.0 : 1.0 + sides.x * dx / w;
    const double sy = sides.y == 0 ? 1.0 : 1.0 + sides.y * dy / h;
    // The fixed point: the corner opposite the dragged corner, or of the dragged edge.
    const double fixedX = sides.x < 0 ? m_aBox[2].x : m_aBox[0].x;
    const double fixedY = sides.y < 0 ? m_aBox[2].y : m_aBox[0].y;
    CVector fixed(fixedX, fixedY);
    // The dragged sides move by the pointer; the others stay.
    double left = m_aBox[0].x, right = m_aBox[2].x, top = m_aBox[0].y, bottom = m_aBox[2].y;
    if (sides.x < 0)
        left += dx;
    if (sides.x > 0)
        right += dx;
    if (sides.y < 0)
        top += dy;
    if (sides.y > 0)
        bottom += dy;
    m_aBox[0] = CVector(left, top);
    m_aBox[1] = CVector(left, bottom);
    m_aBox[2] = CVector(right, bottom);
    m_aBox[3] = CVector(right, top);
    CGraphicItem::Scale(sx, sy, &fixed);
}

// The squares of the base item's node handles, on the eight handles instead of the nodes.
void CGraphicFreeDraw::HiliteNodes(CDC* dc, double zoom, WORD types, int) {
    if ((types & drawNoNodes) || dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER)
        return;
    const COLORREF background = dc->GetBkColor();
    const int s = std::max(static_cast<int>(std::trunc(m_nNodeHalfSize * std::min(zoom, 1.0))), 2);
    for (int k = 0; k < 4; ++k)
        for (const int handle : {k + 1, k + 5}) {
            const POINT q = ToDevice(Handle(handle), zoom);
            const CRect square(WrapSub(q.x, s), WrapSub(q.y, s), WrapAdd(q.x, s), WrapAdd(q.y, s));
            dc->FillSolidRect(&square, RGB(0, 0, 0));
        }
    dc->SetBkColor(background);
}

void CGraphicFreeDraw::Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) {
    if (HasFocus() && !m_bDrag)
        HiliteNodes(dc, zoom, types, 0);
    CheckNodeArray();
    if (!m_Label.Text().IsEmpty() && m_nNodeCount > 0) {
        CPen* previousPen = CreateDotPen(dc);
        const int previousMode = dc->SetBkMode(TRANSPARENT);
        m_Label.Draw(dc, zoom, static_cast<WORD>((types & ~drawTransient) | drawOwnLabel), flags,
                     extra);
        CVector end = m_pNodes[m_nNodeCount - 1];
        const CRect area = m_Label.DrawConnection(dc, &end, zoom);
        if (!(types & drawTransient))
            m_rcLabel = area;
        m_Label.UpdateRect();
        dc->SelectObject(previousPen);
        dc->SetBkMode(previousMode);
        m_pen.DeleteObject();
    }
    CGraphicItem::Draw(dc, zoom, static_cast<WORD>(types | drawNoNodes), flags, extra);
}

void CGraphicFreeDraw::SetOwnCursor() {
    if (!HasFocus())
        return;
    UINT cursor = IDC_SIZEALL;
    switch (m_nLastHitHandle) {
    case 1:
    case 3:
        cursor = IDC_SIZENWSE;
        break;
    case 2:
    case 4:
        cursor = IDC_SIZENESW;
        break;
    case 5:
    case 7:
        cursor = IDC_SIZEWE;
        break;
    case 6:
    case 8:
        cursor = IDC_SIZENS;
        break;
    default:
        break;
    }
    AfxGetUiHost().SetCursor(cursor);
}

int CGraphicFreeDraw::Properties(CWnd* parent, LONG) {
    CTextPP textPage;
    textPage.m_strText = m_Label.GetText();
    CColorPP colourPage;
    colourPage.m_crColor = GetColor();
    CLinePP linePage;
    linePage.m_nWidth = static_cast<UINT>(std::trunc(m_dLineWidth));
    CFontPP fontPage;
    fontPage.m_font = m_Label.GetFont();
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&textPage);
    sheet.AddPage(&colourPage);
    sheet.AddPage(&linePage);
    sheet.AddPage(&fontPage);
    if (sheet.DoModal() != IDOK)
        return 0;
    SetColor(colourPage.m_crColor);
    m_dLineWidth = linePage.m_nWidth;
    m_Label.SetText(textPage.m_strText);
    if (fontPage.m_bChanged)
        m_Label.GetFont() = fontPage.m_font;
    m_Label.UpdateRect();
    m_rcLabel = m_Label.GetBoundsRect(1);
    if (parent)
        parent->Invalidate(TRUE);
    return 1;
}

void CGraphicFreeDraw::Serialize(CArchive& ar) {
    CGraphicItem::Serialize(ar);
    SerializeInt(m_nFreeTag, ar);
    m_Label.Serialize(ar);
    for (CVector& corner : m_aBox) {
        if (ar.IsStoring())
            corner.Write(ar);
        else
            corner.Read(ar);
    }
}

} // namespace vellum
