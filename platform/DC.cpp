#include <vellum/platform/DC.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vellum {

namespace {
constexpr LONG kDefaultFontHeight = 16;
constexpr int kPixelsPerInch = 96;

// The magnitude of a value, held at INT32_MAX for INT32_MIN, whose own magnitude does not fit.
LONG Magnitude(LONG value) {
    const std::int64_t magnitude = std::llabs(std::int64_t{value});
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<LONG>(magnitude);
}

// value · numerator / denominator rounded to the nearest integer, halves away from zero.
LONG MulDivRound(LONG value, LONG numerator, LONG denominator) {
    const double exact = static_cast<double>(value) * numerator / denominator;
    return TruncateToLong(exact < 0 ? exact - 0.5 : exact + 0.5);
}
} // namespace

CDC::CDC() {
    m_defaultPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_defaultBrush.CreateSolidBrush(RGB(255, 255, 255));
    LOGFONT font{};
    font.lfWeight = FW_NORMAL;
    m_defaultFont.CreateFontIndirect(&font);
    m_pPen = &m_defaultPen;
    m_pBrush = &m_defaultBrush;
    m_pFont = &m_defaultFont;
    m_logPen = m_defaultPen.GetLogPen();
    m_logBrush = m_defaultBrush.GetLogBrush();
    m_logFont = m_defaultFont.GetLogFont();
}

CDC::~CDC() = default;

POINT CDC::ToDevice(POINT p) const {
    if (!Scaled())
        return POINT{WrapAdd(WrapSub(p.x, m_windowOrg.x), m_viewportOrg.x),
                     WrapAdd(WrapSub(p.y, m_windowOrg.y), m_viewportOrg.y)};
    return POINT{WrapAdd(MulDivRound(WrapSub(p.x, m_windowOrg.x), m_viewportExt.cx, m_windowExt.cx),
                         m_viewportOrg.x),
                 WrapAdd(MulDivRound(WrapSub(p.y, m_windowOrg.y), m_viewportExt.cy, m_windowExt.cy),
                         m_viewportOrg.y)};
}

POINT CDC::ToLogical(POINT p) const {
    if (!Scaled())
        return POINT{WrapAdd(WrapSub(p.x, m_viewportOrg.x), m_windowOrg.x),
                     WrapAdd(WrapSub(p.y, m_viewportOrg.y), m_windowOrg.y)};
    return POINT{WrapAdd(MulDivRound(WrapSub(p.x, m_viewportOrg.x), m_windowExt.cx, m_viewportExt.cx),
                         m_windowOrg.x),
                 WrapAdd(MulDivRound(WrapSub(p.y, m_viewportOrg.y), m_windowExt.cy, m_viewportExt.cy),
                         m_windowOrg.y)};
}

void CDC::LPtoDP(POINT* points, int count) const {
    for (int i = 0; i < count; ++i)
        points[i] = ToDevice(points[i]);
}

void CDC::LPtoDP(RECT* rect) const {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CDC::DPtoLP(POINT* points, int count) const {
    for (int i = 0; i < count; ++i)
        points[i] = ToLogical(points[i]);
}

void CDC::DPtoLP(RECT* rect) const {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    DPtoLP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

CPoint CDC::MoveTo(int x, int y) {
    const CPoint previous = m_position;
    m_position = CPoint(x, y);
    OnMoveTo(ToDevice(m_position));
    return previous;
}

BOOL CDC::LineTo(int x, int y) {
    const POINT from = ToDevice(m_position);
    m_position = CPoint(x, y);
    OnLineTo(from, ToDevice(m_position));
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    std::vector<POINT> device(points, points + count);
    LPtoDP(device.data(), count);
    OnPolyline(device.data(), count);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    std::vector<POINT> device(points, points + count);
    LPtoDP(device.data(), count);
    OnPolygon(device.data(), count);
    return TRUE;
}

BOOL CDC::PolyBezier(const POINT* points, int count) {
    if (!points || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    std::vector<POINT> device(points, points + count);
    LPtoDP(device.data(), count);
    OnPolyBezier(device.data(), count);
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    RECT rect{left, top, right, bottom};
    LPtoDP(&rect);
    OnRectangle(rect);
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect) {
    return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour) {
    SetBkColor(colour);
    RECT device = *rect;
    LPtoDP(&device);
    OnFillSolidRect(device, colour);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    const RECT rect{x, y, WrapAdd(x, cx), WrapAdd(y, cy)};
    FillSolidRect(&rect, colour);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    OnTextOut(ToDevice(POINT{x, y}), text);
    return TRUE;
}

CSize CDC::GetTextExtent(const CString& text) const {
    const SIZE device = OnGetTextExtent(text);
    if (!Scaled())
        return CSize(device);
    return CSize(Magnitude(MulDivRound(device.cx, m_windowExt.cx, m_viewportExt.cx)),
                 Magnitude(MulDivRound(device.cy, m_windowExt.cy, m_viewportExt.cy)));
}

CSize CDC::GetTextExtent(const char* text, int count) const {
    if (!text || count < 0)
        return CSize(0, 0);
    return GetTextExtent(CString(text, count));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    OnGetTextMetrics(*metrics);
    return TRUE;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen)
        return nullptr;
    CPen* previous = m_pPen;
    m_pPen = pen;
    m_logPen = pen->GetLogPen();
    OnAttributeChanged(Attribute::pen);
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush)
        return nullptr;
    CBrush* previous = m_pBrush;
    m_pBrush = brush;
    m_logBrush = brush->GetLogBrush();
    OnAttributeChanged(Attribute::brush);
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font)
        return nullptr;
    CFont* previous = m_pFont;
    m_pFont = font;
    m_logFont = font->GetLogFont();
    OnAttributeChanged(Attribute::font);
    return previous;
}

int CDC::SetBkMode(int mode) {
    const int previous = m_bkMode;
    m_bkMode = mode;
    OnAttributeChanged(Attribute::bkMode);
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    const COLORREF previous = m_bkColor;
    m_bkColor = colour;
    OnAttributeChanged(Attribute::bkColor);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColor;
    m_textColor = colour;
    OnAttributeChanged(Attribute::textColor);
    return previous;
}

UINT CDC::SetTextAlign(UINT align) {
    const UINT previous = m_textAlign;
    m_textAlign = align;
    OnAttributeChanged(Attribute::textAlign);
    return previous;
}

int CDC::SetROP2(int mode) {
    const int previous = m_rop2;
    m_rop2 = mode;
    OnAttributeChanged(Attribute::rop2);
    return previous;
}

int CDC::SetPolyFillMode(int mode) {
    const int previous = m_polyFillMode;
    m_polyFillMode = mode;
    OnAttributeChanged(Attribute::polyFillMode);
    return previous;
}

int CDC::GetDeviceCaps(int index) const {
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return kPixelsPerInch;
    default:
        return 0;
    }
}

int CDC::SetMapMode(int mode) {
    const int previous = m_mapMode;
    m_mapMode = mode == MM_ANISOTROPIC ? MM_ANISOTROPIC : MM_TEXT;
    OnAttributeChanged(Attribute::mapping);
    return previous;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint previous = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    OnAttributeChanged(Attribute::mapping);
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    const CPoint previous = m_windowOrg;
    m_windowOrg = CPoint(x, y);
    OnAttributeChanged(Attribute::mapping);
    return previous;
}

// Zero extents would make the mapping singular: they are refused and the extent is kept.
CSize CDC::SetWindowExt(int cx, int cy) {
    const CSize previous = m_windowExt;
    if (cx != 0 && cy != 0) {
        m_windowExt = CSize(cx, cy);
        OnAttributeChanged(Attribute::mapping);
    }
    return previous;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize previous = m_viewportExt;
    if (cx != 0 && cy != 0) {
        m_viewportExt = CSize(cx, cy);
        OnAttributeChanged(Attribute::mapping);
    }
    return previous;
}

void CDC::OnMoveTo(POINT) {}

void CDC::OnAttributeChanged(Attribute) {}

int CDC::DevicePenWidth() const {
    const LONG width = m_logPen.lopnWidth.x;
    if (width <= 0)
        return 1;
    if (!Scaled())
        return width;
    const LONG scaled = Magnitude(MulDivRound(width, m_viewportExt.cx, m_windowExt.cx));
    return scaled < 1 ? 1 : scaled;
}

LOGFONT CDC::DeviceFont() const {
    LOGFONT font = m_logFont;
    if (font.lfHeight == 0) {
        font.lfHeight = kDefaultFontHeight;
        return font;
    }
    LONG height = Magnitude(font.lfHeight);
    if (Scaled())
        height = Magnitude(MulDivRound(height, m_viewportExt.cy, m_windowExt.cy));
    height = height < 1 ? 1 : height;
    font.lfHeight = font.lfHeight < 0 ? -height : height;
    return font;
}

} // namespace vellum
