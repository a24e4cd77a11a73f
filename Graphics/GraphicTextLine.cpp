#include <vellum/Graphics/GraphicTextLine.h>

#include <vellum/archive/Archive.h>
#include <vellum/geometry/GraphMatrix.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/Resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicTextLine, CGraphicItem, VERSIONABLE_SCHEMA | 1)

namespace {
// Enough decimals to write any double exactly; more would only add zeros.
constexpr int kMaxDecimals = 1074;
} // namespace

// Two nodes at (0, 0); the node count grows as the owner places the label.
CGraphicTextLine::CGraphicTextLine() {
    m_aNodes.SetSize(2);
}

CGraphicTextLine::~CGraphicTextLine() = default;

void CGraphicTextLine::SetColor(DWORD colour) {
    CGraphicItem::SetColor(colour);
}

void CGraphicTextLine::SetText(const char* text) {
    m_strText = text;
    m_bMeasurePending = 1;
}

CString CGraphicTextLine::SetDoubleValue(double value, int decimals, const char* unit) {
    const char* suffix = unit ? unit : "";
    const int precision = std::min(decimals, kMaxDecimals);
    const int length = std::snprintf(nullptr, 0, "%.*f %s", precision, value, suffix);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f %s", precision, value, suffix);
    SetText(text.c_str());
    return m_strText;
}

void CGraphicTextLine::InitFont() {
    if (!m_font.Restore())
        m_font.GetDefault(10);
}

void CGraphicTextLine::SetEnd(CVector* point, int add) {
    m_aNodes.SetAt(0, *point);
    CVector end = *point + m_vExtent;
    CGraphicItem::SetEnd(&end, add);
}

void CGraphicTextLine::Rotate(double angle, CVector* centre) {
    CGraphicItem::Rotate(angle, centre);
    m_bMeasurePending = 1;
}

void CGraphicTextLine::Draw(CDC* dc, double zoom, WORD types, LONG, double extra) {
    const bool transient = (types & drawTransient) != 0;
    if (!transient && zoom != m_dLastZoom) {
        m_bMeasurePending = 1;
        m_dLastZoom = zoom;
    }
    CheckNodeArray();

    // Always horizontal: no escapement.
    const double scale = dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER ? extra : zoom;
    const std::unique_ptr<CFont> font(m_font.CreateFont(dc, 0, 0, scale));
    CFont* previousFont = font ? dc->SelectObject(font.get()) : nullptr;

    if (m_bMeasurePending && !transient) {
        const CSize size = dc->GetTextExtent(m_strText);
        m_vExtent = CVector(size.cx, size.cy);
        if (zoom != 1.0)
            m_vExtent = m_vExtent * CScaleMatrix(1 / zoom, 1 / zoom);
        CVector end = m_pNodes[0] + m_vExtent;
        CGraphicItem::SetEnd(&end, 0);
        m_bMeasurePending = 0;
    }

    if (!m_bDrag) {
        const int previousMode = dc->SetBkMode(TRANSPARENT);
        const COLORREF previousColour = dc->SetTextColor(m_font.GetColor());
        const POINT at = ToDevice(m_pNodes[0], zoom);
        dc->TextOut(at.x, at.y, m_strText);
        dc->SetTextColor(previousColour);
        dc->SetBkMode(previousMode);
    } else if (HasFocus() && !(types & drawOwnLabel)) {
        // While dragged, the box of the text stands in for it.
        CPen* previousPen = CreatePen(dc, zoom);
        CVector a = m_pNodes[0];
        CVector e = m_vExtent;
        if (zoom != 1.0) {
            const CScaleMatrix toView(zoom, zoom);
            a = a * toView;
            e = e * toView;
        }
        const CVector b = a + e;
        const POINT outline[4] = {a, CVector(b.x, a.y), b, CVector(a.x, b.y)};
        dc->Polygon(outline, 4);
        dc->SelectObject(previousPen);
        m_pen.DeleteObject();
    }

    if (font)
        dc->SelectObject(previousFont);
}

int CGraphicTextLine::Properties(CWnd* parent, LONG) {
    CFontPP fontPage;
    fontPage.m_font = m_font;
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&fontPage);
    if (sheet.DoModal() != IDOK || !fontPage.m_bChanged)
        return 0;
    m_font = fontPage.m_font;
    m_bMeasurePending = 1;
    SetColor(m_font.GetColor());
    return 1;
}

void CGraphicTextLine::Serialize(CArchive& ar) {
    CGraphicItem::Serialize(ar);
    // Every label has its anchor and its opposite corner; a stream without them is damaged.
    if (ar.IsLoading() && m_nNodeCount < 2)
        throw CArchiveException(CArchiveException::generic);
    SerializeInt(m_nLabelTag, ar);
    if (ar.IsStoring()) {
        m_font.Write(ar);
        ar << m_strText;
    } else {
        m_font.Read(ar);
        ar >> m_strText;
        m_bMeasurePending = 1;
    }
}

} // namespace vellum
