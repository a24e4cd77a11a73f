#include <vellum/Graphics/GraphicSymbol.h>

#include <vellum/archive/Archive.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/SymbolDefDlg.h>
#include <vellum/ui/SymbolPP.h>

#include <cmath>
#include <new>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicSymbol, CGraphicRect, VERSIONABLE_SCHEMA | 1)

namespace {

// The layout that stored two more doubles after the natural rectangle.
constexpr int kFirstFormat = 1;

std::int32_t RectField(const CRect& rect, int index) {
    const LONG fields[] = {rect.left, rect.top, rect.right, rect.bottom};
    return fields[index];
}

// A factor from the items' size to the size in millimetres; 0.0 (draw unscaled) when the
// items have no extent or the size asked for is not a positive number.
double ScaleFactor(double millimetres, double naturalMillimetres) {
    const double factor = millimetres / naturalMillimetres;
    return naturalMillimetres > 0.0 && std::isfinite(factor) && factor > 0.0 ? factor : 0.0;
}

} // namespace

CGraphicSymbol::CGraphicSymbol() = default;

CGraphicSymbol::~CGraphicSymbol() = default;

void CGraphicSymbol::SetName(const char* name) {
    if (name)
        m_strName = name;
}

void CGraphicSymbol::SetInfo(const char* info) {
    if (info)
        m_strInfo = info;
}

void CGraphicSymbol::SetSize(double width, double height) {
    m_dWidth = width;
    m_dHeight = height;
}

int CGraphicSymbol::AddItem(CGraphicItem* item) {
    try {
        m_Items.AddTail(item);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CGraphicSymbol::RemoveItem(CGraphicItem* item) {
    const POSITION pos = m_Items.Find(item);
    if (!pos)
        return 0;
    m_Items.RemoveAt(pos);
    return 1;
}

void CGraphicSymbol::RemoveAllItems() {
    m_Items.RemoveAll();
}

int CGraphicSymbol::DumpItems(CGraphicItemList* list) {
    for (POSITION pos = m_Items.GetHeadPosition(); pos;)
        if (!list->AddItem(classSymbol, static_cast<CGraphicItem*>(m_Items.GetNext(pos))))
            return 0;
    return 1;
}

CRect CGraphicSymbol::BoundingRect() {
    CRect bounds(0, 0, 0, 0);
    for (POSITION pos = m_Items.GetHeadPosition(); pos;) {
        const CRect itemBounds = static_cast<CGraphicItem*>(m_Items.GetNext(pos))->GetBoundsRect(0);
        bounds.UnionRect(&bounds, &itemBounds);
    }
    return bounds;
}

void CGraphicSymbol::Normalize() {
    CRect bounds = BoundingRect();
    const CPoint topLeft = bounds.TopLeft();
    bounds.OffsetRect(-topLeft.x, -topLeft.y);
    m_rcNatural = bounds;
    for (POSITION pos = m_Items.GetHeadPosition(); pos;)
        static_cast<CGraphicItem*>(m_Items.GetNext(pos))->Move(-topLeft.x, -topLeft.y, hitBody);
}

void CGraphicSymbol::Resize(double resolutionX, double resolutionY) {
    const CRect bounds = BoundingRect();
    m_dWidth = bounds.Width() / resolutionX;
    m_dHeight = bounds.Height() / resolutionY;
}

int CGraphicSymbol::SymbolDefDlg() {
    CSymbolDefDlg dialog;
    dialog.m_strName = m_strName;
    dialog.m_strInfo = m_strInfo;
    dialog.m_dWidth = m_dWidth;
    dialog.m_dHeight = m_dHeight;
    if (dialog.DoModal() != IDOK)
        return 0;
    SetName(dialog.m_strName);
    SetInfo(dialog.m_strInfo);
    SetSize(dialog.m_dWidth, dialog.m_dHeight);
    return 1;
}

void CGraphicSymbol::Rescale() {
    if (m_dMagnificationX == 0.0 || m_dMagnificationY == 0.0 || m_dResolutionX == 0.0 ||
        m_dResolutionY == 0.0)
        return;
    const double w = m_rcNatural.Width();
    const double h = m_rcNatural.Height();
    const double s = std::sin(m_dAngle);
    const double c = std::cos(m_dAngle);
    const double pixelX = m_dResolutionX * m_dMagnificationX;
    const double pixelY = m_dResolutionY * m_dMagnificationY;
    const double heightMm = std::hypot(s * h / pixelX, c * h / pixelY);
    const double widthMm = std::hypot(c * w / pixelX, s * w / pixelY);
    m_dVerticalScale = ScaleFactor(m_dHeight, heightMm);
    m_dHorizontalScale = ScaleFactor(m_dWidth, widthMm);
}

void CGraphicSymbol::UpdateNodes() {
    m_bUpdatePending = 0;
    double w = m_rcNatural.Width();
    double h = m_rcNatural.Height();
    Rescale();
    if (m_dHorizontalScale != 0.0 && m_dVerticalScale != 0.0) {
        w *= m_dHorizontalScale;
        h *= m_dVerticalScale;
    }
    CVector centre = GetCenterPoint();
    const double x0 = centre.x - w / 2;
    const double y0 = centre.y - h / 2;
    m_pNodes[0] = CVector(x0, y0);
    m_pNodes[1] = CVector(x0, y0 + h);
    m_pNodes[2] = CVector(x0 + w, y0 + h);
    m_pNodes[3] = CVector(x0 + w, y0);
    CGraphicItem::Rotate(m_bFlipped ? -m_dAngle : m_dAngle, &centre);
}

void CGraphicSymbol::Draw(CDC* dc, double zoom, WORD types, LONG, double extra) {
    if (m_bUpdatePending)
        UpdateNodes();
    const double angle = m_bFlipped ? -m_dAngle : m_dAngle;
    CVector origin(0.0, 0.0);
    const bool scaled = m_dHorizontalScale != 0.0 && m_dVerticalScale != 0.0;
    const CVector corner = m_pNodes[0];
    for (POSITION pos = m_Items.GetHeadPosition(); pos;) {
        auto* item = static_cast<CGraphicItem*>(m_Items.GetNext(pos));
        if (m_bDrag)
            item->SetDrag(1);
        if (scaled)
            item->Scale(m_dHorizontalScale, m_dVerticalScale, &origin);
        const int fontSize = item->GetFontSize();
        if (scaled)
            item->SetFontSize(static_cast<int>(std::trunc(fontSize * m_dVerticalScale)));
        item->Rotate(angle, &origin);
        item->Move(corner.x, corner.y, hitBody);
        item->Draw(dc, zoom, types, m_bFlipped ? 1 : 0, extra);
        item->Move(-corner.x, -corner.y, hitBody);
        item->Rotate(-angle, &origin);
        if (scaled)
            item->Scale(1.0 / m_dHorizontalScale, 1.0 / m_dVerticalScale, &origin);
        item->SetFontSize(fontSize);
        if (m_bDrag)
            item->SetDrag(0);
    }
    if (HasFocus() && !m_bDrag)
        HiliteNodes(dc, zoom, types, 0);
}

void CGraphicSymbol::SetStart(CVector* point) {
    m_pNodes[0] = *point;
    if (m_rcNatural.IsRectEmpty())
        m_rcNatural = BoundingRect();
    m_bUpdatePending = 1;
}

void CGraphicSymbol::SetEnd(CVector* point, int) {
    m_pNodes[2] = *point;
    m_bUpdatePending = 1;
}

void CGraphicSymbol::Move(double dx, double dy, int) {
    if (m_bDrag && m_bFrozen)
        return;
    CGraphicRect::Move(dx, dy, hitBody);
}

void CGraphicSymbol::Rotate(double angle, CVector* centre) {
    if (m_bDrag && m_bFrozen)
        return;
    CGraphicItem::Rotate(angle, centre);
    m_dAngle = m_bFlipped ? m_dAngle - angle : m_dAngle + angle;
    m_bUpdatePending = 1;
}

void CGraphicSymbol::FlipHorizontal(LONG axis) {
    m_bFlipped = !m_bFlipped;
    for (POSITION pos = m_Items.GetHeadPosition(); pos;)
        static_cast<CGraphicItem*>(m_Items.GetNext(pos))->FlipHorizontal(0);
    Normalize();
    CGraphicItem::FlipHorizontal(axis);
    m_bUpdatePending = 1;
}

void CGraphicSymbol::SetMagnification(double mx, double my) {
    m_dMagnificationX = mx;
    m_dMagnificationY = my;
    m_bUpdatePending = 1;
}

void CGraphicSymbol::SetResolution(double rx, double ry) {
    m_dResolutionX = rx;
    m_dResolutionY = ry;
    m_bUpdatePending = 1;
}

void CGraphicSymbol::SetCalibrated(int calibrated) {
    m_bCalibrated = calibrated;
}

void CGraphicSymbol::SetColor(DWORD colour) {
    CGraphicItem::SetColor(colour);
    for (POSITION pos = m_Items.GetHeadPosition(); pos;)
        static_cast<CGraphicItem*>(m_Items.GetNext(pos))->SetColor(colour);
}

int CGraphicSymbol::Properties(CWnd* parent, LONG) {
    CSymbolPP symbolPage;
    symbolPage.m_strName = m_strName;
    symbolPage.m_strInfo = m_strInfo;
    symbolPage.m_bFreeze = m_bFrozen;
    CColorPP colourPage;
    colourPage.m_crColor = GetColor();
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&symbolPage);
    sheet.AddPage(&colourPage);
    if (sheet.DoModal() != IDOK)
        return 0;
    m_bFrozen = symbolPage.m_bFreeze;
    if (colourPage.m_bChanged)
        SetColor(colourPage.m_crColor);
    return 1;
}

void CGraphicSymbol::Serialize(CArchive& ar) {
    CGraphicRect::Serialize(ar);
    if (!ar.IsStoring()) {
        ar >> m_nSymbolFormat;
        m_Items.LoadOwnedItems(ar);
        LoadTail(ar);
        return;
    }
    ar << static_cast<std::int32_t>(symbolFormat);
    m_Items.Serialize(ar);
    for (int i = 0; i < 4; ++i)
        ar << RectField(m_rcNatural, i);
    ar << m_strName << m_strInfo << m_dWidth << m_dHeight << m_dAngle;
    ar << static_cast<std::int32_t>(m_bFrozen) << static_cast<std::int32_t>(m_bFlipped);
}

void CGraphicSymbol::LoadTail(CArchive& ar) {
    if (m_nSymbolFormat != symbolFormat && m_nSymbolFormat != kFirstFormat)
        return;
    std::int32_t left, top, right, bottom;
    ar >> left >> top >> right >> bottom;
    m_rcNatural = CRect(left, top, right, bottom);
    if (m_nSymbolFormat == kFirstFormat) {
        double dropped;
        ar >> dropped >> dropped;
    }
    ar >> m_strName >> m_strInfo >> m_dWidth >> m_dHeight >> m_dAngle >> m_bFrozen >> m_bFlipped;
    // A size or angle that is not a number would make every frame and scale undefined.
    for (double* value : {&m_dWidth, &m_dHeight, &m_dAngle})
        if (std::isnan(*value))
            *value = 0.0;
}

} // namespace vellum
