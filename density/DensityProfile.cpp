#include <vellum/density/DensityProfile.h>

#include <vellum/archive/Archive.h>
#include <vellum/density/Histogram.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/LineDDA.h>

#include <cmath>
#include <cstdint>
#include <memory>

namespace vellum {

IMPLEMENT_SERIAL(CDensityProfile, CGraphicRect, VERSIONABLE_SCHEMA | 1)

namespace {
// The curve's logical width: one unit is 1/2500 of the box.
constexpr int kCurveWidth = 2500;
constexpr double kNoDistance = 100000.0;
constexpr int kLabels = 5;
constexpr int kLabelGap = 2; // pixels between the scale numbers and the box
} // namespace

struct CDensityProfile::CurveState {
    CPoint origin;     // the box's bottom-left corner in the curve's logical units
    double x = 1.0;    // running x, in 1/2500 of the box
    double step = 0.0; // x advance per point
    bool first = true;
    double best = kNoDistance;
};

CDensityProfile::CDensityProfile() : m_crText(m_crColor) {}

CDensityProfile::~CDensityProfile() = default;

void CDensityProfile::SetLinePosition(CVector* start, CVector* end) {
    m_vLinePnt = *start;
    m_vLineStart = *start;
    m_vLineEnd = *end;
    m_nConnectX = TruncateToLong(m_aCorners[0].x);
    m_bConnectPending = 1;
}

CRect CDensityProfile::GetRect() {
    const POINT first = m_aCorners[0];
    const POINT opposite = m_aCorners[2];
    CRect box(first, opposite);
    box.NormalizeRect();
    return box;
}

CPoint CDensityProfile::GetLinePnt(double zoom) {
    if (zoom == 1.0)
        return POINT(m_vLinePnt);
    return POINT(CVector(m_vLinePnt.x * zoom, m_vLinePnt.y * zoom));
}

CPoint CDensityProfile::GetProfilePnt(double zoom) {
    const LONG x = zoom == 1.0 ? m_nConnectX : POINT(CVector(m_nConnectX * zoom, 0.0)).x;
    return CPoint(x, m_nConnectY);
}

void CDensityProfile::InitFont() {
    if (!m_font.Restore())
        m_font.GetDefault(10);
}

void CDensityProfile::SetColor(COLORREF colour) {
    CGraphicRect::SetColor(colour);
    m_crText = colour;
}

// The clicked x picks the point of the line at the same fraction of the line's length as of
// the box's width.
int CDensityProfile::HitTest(CVector* point, double zoom) {
    const int code = CGraphicRect::HitTest(point, zoom);
    if (code == hitBody) {
        m_nConnectX = TruncateToLong(point->x);
        m_bConnectPending = 1;
        const double width = std::fabs(m_aCorners[2].x - m_aCorners[0].x);
        const double f = width != 0.0 ? std::fabs(m_nConnectX - m_aCorners[0].x) / width : 0.0;
        m_vLinePnt = m_vLineStart + CVector(f * (m_vLineEnd.x - m_vLineStart.x),
                                            f * (m_vLineEnd.y - m_vLineStart.y));
    }
    return code;
}

// An empty number box (before the first drawing) adds nothing, grown or not.
CRect CDensityProfile::GetBoundsRect(int inflate) {
    CRect bounds = CGraphicRect::GetBoundsRect(inflate);
    CRect numbers = m_rcNumberBox;
    if (inflate && !numbers.IsRectEmpty())
        numbers.InflateRect(m_nGap, m_nGap);
    bounds.UnionRect(&bounds, &numbers);
    return bounds;
}

void CDensityProfile::Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) {
    if (zoom != m_dLastZoom) {
        m_bConnectPending = 1;
        m_bNumberBoxStale = 1;
        m_dLastZoom = zoom;
    }
    const CRect r = GetRect();
    if (!m_pHistogram || m_pHistogram->GetPixelCount() <= 1 || !m_pHistogram->GetBitmap() ||
        r.IsRectEmpty())
        return;

    // The frame as the rectangle draws it, dotted; the grid lines in the same pen.
    m_nPenStyle = PS_DOT;
    CGraphicRect::Draw(dc, zoom, types, flags, 1.0);
    CPen* previousPen = CreatePen(dc, zoom);

    const double w = r.Width() * zoom;
    const double h = r.Height() * zoom;
    CPoint origin = POINT(CVector(r.left * zoom, r.bottom * zoom));

    const int previousBkMode = dc->SetBkMode(TRANSPARENT);
    const double fontScale = dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER ? extra : zoom;
    std::unique_ptr<CFont> font(m_font.CreateFont(dc, 0, 0, fontScale));
    CFont* previousFont = font ? dc->SelectObject(font.get()) : nullptr;
    const UINT previousAlign = dc->SetTextAlign(TA_RIGHT);
    const COLORREF previousTextColour = dc->SetTextColor(m_crText);

    double span = static_cast<double>(m_nScaleMax) - m_nScaleMin;
    if (span < 1.0)
        span = 1.0;
    const double step = span / 4.0;
    TEXTMETRIC metrics{};
    const int off = dc->GetTextMetrics(&metrics) ? -(metrics.tmHeight / 2) : 0;
    const int labelX = WrapSub(origin.x, kLabelGap);

    // Label k: its value, its grid line's y (none for the bottom and top), its text top.
    const int y1 = WrapSub(origin.y, TruncateToLong(h / 4.0));
    const int y2 = WrapSub(origin.y, TruncateToLong(h / 2.0));
    const int y3 = WrapSub(origin.y, TruncateToLong(h / 4.0 * 3.0));
    const LONG values[kLabels] = {m_nScaleMin, WrapAdd(m_nScaleMin, TruncateToLong(step)),
                                  WrapAdd(m_nScaleMin, TruncateToLong(2.0 * step)),
                                  WrapAdd(m_nScaleMin, TruncateToLong(3.0 * step)), m_nScaleMax};
    const int tops[kLabels] = {WrapAdd(origin.y, off), WrapAdd(y1, off), WrapAdd(y2, off),
                               WrapAdd(y3, off),
                               WrapSub(WrapAdd(origin.y, off), TruncateToLong(h))};
    const int grid[kLabels] = {0, y1, y2, y3, 0};
    CString texts[kLabels];
    for (int k = 0; k < kLabels; ++k) {
        texts[k].Format("%u", static_cast<unsigned>(values[k]));
        if (!m_bDrag)
            dc->TextOut(labelX, tops[k], texts[k]);
        if (k > 0 && k < kLabels - 1) {
            dc->MoveTo(origin.x, grid[k]);
            dc->LineTo(WrapAdd(origin.x, TruncateToLong(w)), grid[k]);
        }
    }

    // The scale numbers' box in image coordinates; the text top's half height is added
    // again as the graph always did.
    if (m_bNumberBoxStale) {
        const auto back = [zoom](double v) { return TruncateToLong(zoom == 1.0 ? v : v / zoom); };
        m_rcNumberBox.SetRectEmpty();
        for (int k = 0; k < kLabels; ++k) {
            const CSize extent = dc->GetTextExtent(texts[k]);
            const int reference = k == 0 ? origin.y : tops[k];
            const int left = WrapSub(back(labelX), back(extent.cx));
            const int top = WrapAdd(back(reference), off);
            const CRect label(left, top, WrapAdd(left, back(extent.cx)),
                              WrapAdd(top, back(extent.cy)));
            m_rcNumberBox.UnionRect(&m_rcNumberBox, &label);
        }
        m_bNumberBoxStale = 0;
    }

    // The curve: one logical x unit is 1/2500 of the box's width, one logical y unit one
    // grey level growing downwards from the scale minimum at the bottom edge.
    const int viewportWidth = TruncateToLong(w);
    const int viewportHeight = TruncateToLong(h);
    const int previousMode = dc->GetMapMode();
    const CSize previousWindowExt = dc->GetWindowExt();
    const CSize previousViewportExt = dc->GetViewportExt();
    // A box narrower or lower than a pixel has no room for a curve.
    if (viewportWidth != 0 && viewportHeight != 0) {
        CurveState state;
        dc->LPtoDP(&origin);
        dc->SetMapMode(MM_ANISOTROPIC);
        dc->SetWindowExt(kCurveWidth, TruncateToLong(span));
        dc->SetViewportExt(viewportWidth, viewportHeight);
        dc->DPtoLP(&origin);
        origin.y = WrapAdd(origin.y, m_nScaleMin);
        state.origin = origin;
        state.step = static_cast<double>(kCurveWidth) / (m_pHistogram->GetPixelCount() - 1);

        m_nPenStyle = PS_SOLID;
        CreatePen(dc, zoom);
        L_AccessBitmap(m_pHistogram->GetBitmap());
        const POINT start = m_vLineStart;
        const POINT end = m_vLineEnd;
        LineDDA(start.x, start.y, end.x, end.y,
                [this, dc, &state](int x, int y) { CurveStep(x, y, dc, state); });
        L_ReleaseBitmap(m_pHistogram->GetBitmap());

        const bool connect = m_bConnectPending && !m_bDrag;
        POINT connection{0, m_nConnectY};
        if (connect)
            dc->LPtoDP(&connection);
        dc->SetMapMode(previousMode);
        dc->SetWindowExt(previousWindowExt.cx, previousWindowExt.cy);
        dc->SetViewportExt(previousViewportExt.cx, previousViewportExt.cy);
        if (connect) {
            dc->DPtoLP(&connection);
            m_nConnectY = connection.y;
            m_bConnectPending = 0;
        }
    }

    dc->SelectObject(previousPen);
    m_pen.DeleteObject();
    dc->SetTextAlign(previousAlign);
    dc->SetBkMode(previousBkMode);
    if (previousFont)
        dc->SelectObject(previousFont);
    dc->SetTextColor(previousTextColour);
}

// A point outside the image, or one the toolkit cannot read, is level 0; every level is
// held within the scale.
void CDensityProfile::CurveStep(int x, int y, CDC* dc, CurveState& state) {
    const pBITMAPHANDLE bitmap = m_pHistogram->GetBitmap();
    const auto& colours = m_pHistogram->GetColorTable();
    BYTE v = 0;
    const std::int64_t row = std::int64_t{bitmap->Height} - 1 - y;
    if (x >= 0 && x < bitmap->Width && row >= 0 && row < bitmap->Height) {
        BYTE sample[2] = {0, 0};
        const UINT bytes = bitmap->BitsPerPixel > 8 ? 2 : 1;
        if (L_GetBitmapRowCol(bitmap, sample, static_cast<int>(row), x, bytes) >= 1 &&
            sample[0] < colours.GetSize())
            v = colours[sample[0]].rgbRed;
    }
    if (v < m_nScaleMin)
        v = static_cast<BYTE>(m_nScaleMin);
    else if (v > m_nScaleMax)
        v = static_cast<BYTE>(m_nScaleMax);

    const int curveX = WrapAdd(TruncateToLong(state.x), state.origin.x);
    const int curveY = WrapSub(state.origin.y, v);
    if (state.first) {
        dc->MoveTo(curveX, curveY);
        state.first = false;
    } else if (!m_bDrag) {
        dc->LineTo(curveX, curveY);
    }
    state.x += state.step;
    if (m_bConnectPending && !m_bDrag) {
        const CVector here(x, y);
        const double d = here.Distance(&m_vLinePnt);
        if (d < state.best) {
            state.best = d;
            m_nConnectY = curveY;
        }
    }
}

void CDensityProfile::Serialize(CArchive& ar) {
    CGraphicRect::Serialize(ar);
    SerializeInt(m_nProfileTag, ar);
    SerializeInt(m_nConnectX, ar);
    SerializeInt(m_nConnectY, ar);
    SerializeInt(m_nScaleMin, ar);
    SerializeInt(m_nScaleMax, ar);
    if (ar.IsStoring()) {
        m_font.Write(ar);
    } else {
        m_font.Read(ar);
        m_crText = m_crColor;
    }
}

} // namespace vellum
