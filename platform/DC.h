#pragma once
// CDC: the drawing context through which items draw. It keeps the framework's state (current
// position, selected pen, brush and font, colours and modes, mapping mode with window and
// viewport origins and extents) and maps every logical coordinate to device pixels; backends
// implement only the device-coordinate primitives below and may watch the state changes.
//
// Device coordinates are integers. Rectangles exclude their right and bottom edges, lines
// exclude their last point, as in the framework.

#include <vellum/platform/GdiObject.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Mix modes: how the pen combines with the pixels beneath.
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

// Device capabilities.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int TECHNOLOGY = 2;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int DT_PLOTTER = 0;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;

// Text alignment: horizontal and vertical reference of the point given to TextOut.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

class CDC {
public:
    // The state changes that a backend may watch.
    enum class Attribute { pen, brush, font, bkMode, bkColor, textColor, textAlign, rop2,
                           polyFillMode, mapping };

    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() { return this; }

    // Drawing, in logical coordinates.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const { return m_position; }
    BOOL Polyline(const POINT* points, int count);
    // A closed outline in the current pen, filled with the current brush and fill mode.
    BOOL Polygon(const POINT* points, int count);
    // Cubic Bézier segments: a start point, then three points per segment.
    BOOL PolyBezier(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    // Fills with a solid colour; like the framework, it leaves that colour as background.
    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    BOOL TextOut(int x, int y, const CString& text);
    // Width and height of the text in the current font, in logical units.
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(const char* text, int count) const; // null or count < 0: (0, 0)
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // Selection returns the object selected before; the first time, the context's own
    // default (a black one-pixel pen, a white brush, the default font). Selecting null
    // changes nothing and returns null.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    const LOGPEN& GetCurrentLogPen() const { return m_logPen; }
    const LOGBRUSH& GetCurrentLogBrush() const { return m_logBrush; }
    const LOGFONT& GetCurrentLogFont() const { return m_logFont; }

    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_bkColor; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_textColor; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_textAlign; }
    int SetROP2(int mode);
    int GetROP2() const { return m_rop2; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_polyFillMode; }
    // TECHNOLOGY is DT_RASDISPLAY unless the backend is a printer; LOGPIXELSX/Y are 96.
    virtual int GetDeviceCaps(int index) const;

    // Mapping. In MM_TEXT a logical unit is a pixel and the extents are ignored; in
    // MM_ANISOTROPIC device = (logical − window origin) · viewport extent / window extent
    // + viewport origin on each axis, rounded to the nearest pixel (halves away from zero).
    int SetMapMode(int mode);
    int GetMapMode() const { return m_mapMode; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CSize SetWindowExt(int cx, int cy);
    CSize GetWindowExt() const { return m_windowExt; }
    CSize SetViewportExt(int cx, int cy);
    CSize GetViewportExt() const { return m_viewportExt; }
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;

protected:
    // Device-coordinate primitives. Lines are drawn in the current pen and mix mode, fills
    // in the current brush, text in the current font, colours, alignment and background.
    virtual void OnMoveTo(POINT to);
    virtual void OnLineTo(POINT from, POINT to) = 0;
    virtual void OnPolyline(const POINT* points, int count) = 0;
    virtual void OnPolygon(const POINT* points, int count) = 0;
    virtual void OnPolyBezier(const POINT* points, int count) = 0;
    virtual void OnRectangle(const RECT& rect) = 0;
    virtual void OnFillSolidRect(const RECT& rect, COLORREF colour) = 0;
    virtual void OnTextOut(POINT at, const CString& text) = 0;
    // Extent and metrics in device pixels for the current font (see DeviceFont).
    virtual SIZE OnGetTextExtent(const CString& text) const = 0;
    virtual void OnGetTextMetrics(TEXTMETRIC& metrics) const = 0;
    // Called after every change of state, for backends that record or cache it.
    virtual void OnAttributeChanged(Attribute attribute);

    // The current pen's width in device pixels: width 0 draws one pixel whatever the
    // mapping; other widths follow its horizontal scale, never below one pixel.
    int DevicePenWidth() const;
    // The current font with its height in device pixels, sign kept as the framework reads
    // it: a positive height is the character cell (ascent plus descent), a negative one the
    // em size. Height 0 becomes a cell of 16 pixels.
    LOGFONT DeviceFont() const;

private:
    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    bool Scaled() const { return m_mapMode == MM_ANISOTROPIC; }

    CPen m_defaultPen;
    CBrush m_defaultBrush;
    CFont m_defaultFont;
    CPen* m_pPen;
    CBrush* m_pBrush;
    CFont* m_pFont;
    LOGPEN m_logPen{};
    LOGBRUSH m_logBrush{};
    LOGFONT m_logFont{};

    CPoint m_position;
    int m_bkMode = OPAQUE;
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(0, 0, 0);
    UINT m_textAlign = TA_LEFT | TA_TOP;
    int m_rop2 = R2_COPYPEN;
    int m_polyFillMode = ALTERNATE;

    int m_mapMode = MM_TEXT;
    CPoint m_viewportOrg;
    CPoint m_windowOrg;
    CSize m_windowExt{1, 1};
    CSize m_viewportExt{1, 1};
};

} // namespace vellum
