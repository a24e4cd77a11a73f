#include <vellum/density/GrDensityLine.h>

#include <vellum/archive/Archive.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/Wnd.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/DensityProfilePP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_SERIAL(CGrDensityLine, CGraphicLine, VERSIONABLE_SCHEMA | 1)

CGrDensityLine::CGrDensityLine() {
    m_profile.SetHistogram(&m_histogram);
}

CGrDensityLine::~CGrDensityLine() = default;

int CGrDensityLine::Init(pBITMAPHANDLE bitmap, int resize) {
    const int result = m_histogram.Init(bitmap, &m_aEnds[0], &m_aEnds[1]);
    if (bitmap && resize) {
        const CVector first = m_profile.GetCorner(0);
        CVector corner(first.x + bitmap->Width / 3, first.y + bitmap->Height / 3);
        m_profile.SetEnd(&corner, 0);
    }
    SetProfilePosition();
    m_bInitialised = 1;
    return result;
}

int CGrDensityLine::Update(pBITMAPHANDLE bitmap) {
    return m_histogram.InitHistogram(bitmap, &m_aEnds[0], &m_aEnds[1]);
}

int CGrDensityLine::OnBitmapForItems(struct_LEAD_Bitmap* bitmap) {
    return Init(bitmap, 0);
}

void CGrDensityLine::SetProfilePosition() {
    m_profile.SetLinePosition(&m_aEnds[0], &m_aEnds[1]);
}

void CGrDensityLine::SetColor(DWORD colour) {
    CGraphicLine::SetColor(colour);
    m_profile.SetColor(colour);
}

void CGrDensityLine::SetDrag(int drag) {
    CGraphicLine::SetDrag(drag);
    m_profile.SetDrag(drag);
}

// Selecting the line leaves the graph unfocused; selecting the graph focuses what its own
// hit test found (a corner or its body).
void CGrDensityLine::SetFocus(int focus) {
    CGraphicLine::SetFocus(focus);
    if (focus == hitBody)
        m_profile.SetFocus(0);
    else if (focus == hitLabel)
        m_profile.SetFocus(m_nProfileHit);
    else if (focus < 1)
        m_profile.SetFocus(focus);
}

int CGrDensityLine::HitTest(CVector* point, double zoom) {
    m_nProfileHit = m_profile.HitTest(point, zoom);
    if (m_nProfileHit != 0)
        return hitLabel;
    return CGraphicLine::HitTest(point, zoom);
}

void CGrDensityLine::SetStart(CVector* point) {
    CGraphicLine::SetStart(point);
    m_profile.InitFont();
}

// While the line is drawn the graph follows its end.
void CGrDensityLine::SetEnd(CVector* point, int add) {
    CGraphicLine::SetEnd(point, add);
    m_profile.SetStart(point);
    CVector corner(point->x + kNewProfileWidth, point->y + kNewProfileHeight);
    m_profile.SetEnd(&corner, 0);
}

CRect CGrDensityLine::GetBoundsRect(int inflate) {
    CRect bounds = CGraphicLine::GetBoundsRect(inflate);
    const CRect graph = m_profile.GetBoundsRect(inflate);
    bounds.UnionRect(&bounds, &graph);
    if (inflate)
        bounds.InflateRect(m_nGap, m_nGap);
    return bounds;
}

CVector CGrDensityLine::GetCenterPoint() {
    return CVector((m_aEnds[0].x + m_aEnds[1].x) / 2, (m_aEnds[0].y + m_aEnds[1].y) / 2);
}

void CGrDensityLine::Move(double dx, double dy, int node) {
    if (node == hitLabel) {
        m_profile.Move(dx, dy, m_nProfileHit);
        m_profile.UpdateNumberBox();
    } else if (node == hitWhole) {
        m_profile.Move(dx, dy, hitBody);
        m_profile.UpdateNumberBox();
    } else {
        CGraphicLine::Move(dx, dy, node);
    }
    SetProfilePosition();
}

// The graph's first corner follows the rotation; the box itself stays upright.
void CGrDensityLine::Rotate(double angle, CVector* centre) {
    CGraphicLine::Rotate(angle, centre);
    if (centre) {
        const CVector first = m_profile.GetCorner(0);
        CVector turned = first;
        turned.Rotate(angle, centre);
        m_profile.Move(turned.x - first.x, turned.y - first.y, hitBody);
    }
    SetProfilePosition();
}

void CGrDensityLine::FlipHorizontal(LONG axis) {
    CGraphicLine::FlipHorizontal(axis);
    SetProfilePosition();
}

void CGrDensityLine::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    CGraphicLine::Draw(dc, zoom, types, 0, 1.0);
    if (!m_bInitialised || (types & drawNoLabels))
        return;
    m_profile.Draw(dc, zoom, types, 0, 1.0);
    CPen* previousPen = CreateDotPen(dc);
    const int previousBkMode = dc->SetBkMode(TRANSPARENT);
    if (!m_bDrag) {
        dc->MoveTo(m_profile.GetLinePnt(zoom));
        dc->LineTo(m_profile.GetProfilePnt(zoom));
    }
    dc->SetBkMode(previousBkMode);
    dc->SelectObject(previousPen);
    m_pen.DeleteObject();
}

int CGrDensityLine::Properties(CWnd* parent, LONG) {
    CDensityProfilePP profilePage;
    profilePage.m_nMax = static_cast<UINT>(m_profile.GetScaleMax());
    profilePage.m_nMin = static_cast<UINT>(m_profile.GetScaleMin());
    CColorPP colourPage;
    colourPage.m_crColor = GetColor();
    CLinePP linePage;
    linePage.m_nWidth = static_cast<UINT>(TruncateToLong(m_dLineWidth));
    CFontPP fontPage;
    fontPage.m_font = m_profile.GetFont();
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&profilePage);
    sheet.AddPage(&colourPage);
    sheet.AddPage(&linePage);
    sheet.AddPage(&fontPage);
    if (sheet.DoModal() != IDOK)
        return 0;
    m_profile.SetScale(static_cast<int>(profilePage.m_nMin), static_cast<int>(profilePage.m_nMax));
    SetColor(colourPage.m_crColor);
    m_dLineWidth = linePage.m_nWidth;
    if (fontPage.m_bChanged) {
        m_profile.GetFont() = fontPage.m_font;
        if (parent)
            parent->Invalidate(FALSE);
    }
    m_profile.UpdateNumberBox();
    return 1;
}

void CGrDensityLine::Serialize(CArchive& ar) {
    CGraphicLine::Serialize(ar);
    SerializeInt(m_nDensityTag, ar);
    m_profile.Serialize(ar);
    if (ar.IsLoading())
        SetProfilePosition();
}

} // namespace vellum
