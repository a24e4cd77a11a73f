#include <vellum/density/Histogram.h>

#include <vellum/platform/DC.h>
#include <vellum/platform/LineDDA.h>

#include <cmath>
#include <cstdint>

namespace vellum {

namespace {

constexpr int kRectangleBins = 256;
constexpr DWORD kNoMinimum = 0xFFFFFFFF;
// The largest window extent the chart's mapping uses; taller histograms are scaled down.
constexpr double kMaxChartHeight = 32766.0;

bool HasSupportedDepth(const struct_LEAD_Bitmap& bitmap) {
    return bitmap.BitsPerPixel == 8 || bitmap.BitsPerPixel == 12 || bitmap.BitsPerPixel == 16;
}

// Ends the bitmap access however a gathering leaves.
class CBitmapAccess {
public:
    explicit CBitmapAccess(pBITMAPHANDLE bitmap) : m_bitmap(bitmap) { L_AccessBitmap(bitmap); }
    ~CBitmapAccess() { L_ReleaseBitmap(m_bitmap); }
    CBitmapAccess(const CBitmapAccess&) = delete;
    CBitmapAccess& operator=(const CBitmapAccess&) = delete;

private:
    pBITMAPHANDLE m_bitmap;
};

} // namespace

CHistogram::CHistogram() = default;

CHistogram::~CHistogram() = default;

CHistogram& CHistogram::operator=(const CHistogram& other) {
    if (&other == this)
        return *this;
    m_aBins.Copy(other.m_aBins);
    m_aColors.Copy(other.m_aColors);
    m_nMinIntensity = other.m_nMinIntensity;
    m_nMaxIntensity = other.m_nMaxIntensity;
    m_nPeakIntensity = other.m_nPeakIntensity;
    m_nUpperLimit = other.m_nUpperLimit;
    m_dMean = other.m_dMean;
    m_dDeviation = other.m_dDeviation;
    m_nHiliteIntensity = other.m_nHiliteIntensity;
    m_crColor = other.m_crColor;
    m_crHilite = other.m_crHilite;
    InitPens();
    m_rcDrawingArea = other.m_rcDrawingArea;
    m_nPixelCount = other.m_nPixelCount;
    m_pBitmap = other.m_pBitmap;
    return *this;
}

int CHistogram::Init(pBITMAPHANDLE bitmap) {
    RECT whole{0, 0, bitmap ? bitmap->Width : 0, bitmap ? bitmap->Height : 0};
    return Init(bitmap, &whole);
}

int CHistogram::Init(pBITMAPHANDLE bitmap, RECT* rect) {
    const int result = InitHistogram(bitmap, rect);
    InitPens();
    return result;
}

int CHistogram::Init(pBITMAPHANDLE bitmap, CVector* from, CVector* to) {
    const int result = InitHistogram(bitmap, from, to);
    InitPens();
    return result;
}

int CHistogram::InitHistogram(pBITMAPHANDLE bitmap, RECT* rect) {
    return InitHistogramArray(bitmap, rect);
}

int CHistogram::InitHistogram(pBITMAPHANDLE bitmap, CVector* from, CVector* to) {
    return InitHistogramArray(bitmap, from, to);
}

void CHistogram::InitVars() {
    m_nMinIntensity = 65535;
    m_nMaxIntensity = 0;
    m_nPeakIntensity = 0;
    m_nUpperLimit = 0;
    m_nHiliteIntensity = -1;
    m_dMean = 0.0;
    m_dDeviation = 0.0;
    m_nPixelCount = 0;
}

// The toolkit counts; the statistics follow the counts. The pixel count is the rectangle's
// area as given, even where the toolkit clipped it to the image.
int CHistogram::InitHistogramArray(pBITMAPHANDLE bitmap, RECT* rect) {
    m_pBitmap = bitmap;
    m_aBins.RemoveAll();
    m_aColors.RemoveAll();
    InitVars();
    if (!bitmap || !rect)
        return 0;
    m_aBins.SetSize(kRectangleBins);
    m_aColors.SetSize(kRectangleBins);
    CBitmapAccess access(bitmap);

    const std::int64_t width = std::int64_t{rect->right} - rect->left;
    const std::int64_t height = std::int64_t{rect->bottom} - rect->top;
    m_nPixelCount = static_cast<UINT>(width * height);

    const RECT flipped{rect->left, WrapSub(bitmap->Height, rect->bottom), rect->right,
                       WrapSub(bitmap->Height, rect->top)};
    if (L_SetBitmapRgnRect(bitmap, nullptr, &flipped, L_RGN_SET) != 1)
        return 0;
    DWORD counts[kRectangleBins] = {};
    const int counted = L_GetBitmapHistogram(bitmap, counts, HISTOGRAM_CHANNEL_GREY);
    L_FreeBitmapRgn(bitmap);
    // A region the toolkit cannot count (a sample above the image's depth) is a failure.
    if (counted != 1)
        return 0;

    DWORD minimum = kNoMinimum;
    DWORD best = 0;
    for (int i = 0; i < kRectangleBins; ++i) {
        m_aBins[i] = counts[i];
        if (counts[i] != 0) {
            m_nMaxIntensity = static_cast<UINT>(i);
            if (minimum == kNoMinimum)
                minimum = static_cast<DWORD>(i);
        }
        // Strictly greater: of two equal counts the lower intensity stays the peak.
        if (counts[i] > best) {
            best = counts[i];
            m_nPeakIntensity = static_cast<UINT>(i);
        }
    }
    m_nMinIntensity = minimum;
    m_nUpperLimit = counts[m_nPeakIntensity];
    CountStatistics();
    return 1;
}

int CHistogram::InitHistogramArray(pBITMAPHANDLE bitmap, CVector* from, CVector* to) {
    m_pBitmap = bitmap;
    m_nPixelCount = 0;
    m_aBins.RemoveAll();
    m_aColors.RemoveAll();
    InitVars();
    // Only the depths the toolkit knows give a bin for every level it can report.
    if (!bitmap || !from || !to || !HasSupportedDepth(*bitmap))
        return 0;
    const POINT start = *from;
    const POINT end = *to;

    const int bins = 1 << bitmap->BitsPerPixel;
    m_aBins.SetSize(bins);
    m_aColors.SetSize(bins);
    L_GetBitmapColors(bitmap, 0, bins, m_aColors.GetData());

    DWORD best = 0;
    bool ok = true;
    {
        CBitmapAccess access(bitmap);
        LineDDA(start.x, start.y, end.x, end.y,
                [this, &best, &ok](int x, int y) { CountLinePoint(x, y, best, ok); });
    }
    m_nUpperLimit = best;
    CountStatistics();
    return ok ? 1 : 0;
}

// A point inside the image counts the red component of the colour that its sample's first
// byte selects; a point outside counts as level 0 without touching the statistics' extremes.
void CHistogram::CountLinePoint(int x, int y, DWORD& best, bool& ok) {
    const struct_LEAD_Bitmap& bitmap = *m_pBitmap;
    const UINT bytes = bitmap.BitsPerPixel > 8 ? 2 : 1;
    const std::int64_t row = std::int64_t{bitmap.Height} - 1 - y;
    if (x < 0 || x >= bitmap.Width || row < 0 || row >= bitmap.Height) {
        ++m_aBins[0];
        ++m_nPixelCount;
        return;
    }
    BYTE sample[2] = {0, 0};
    if (L_GetBitmapRowCol(m_pBitmap, sample, static_cast<int>(row), x, bytes) < 1) {
        ok = false;
        return;
    }
    const UINT v = m_aColors[sample[0]].rgbRed;
    const DWORD count = ++m_aBins[static_cast<int>(v)];
    if (v < m_nMinIntensity)
        m_nMinIntensity = v;
    if (v > m_nMaxIntensity)
        m_nMaxIntensity = v;
    // Strictly greater: the level that reached a shared count first along the line stays.
    if (count > best) {
        best = count;
        m_nPeakIntensity = v;
    }
    ++m_nPixelCount;
}

// Divided by the pixel count, not by the sum of the bins.
void CHistogram::CountStatistics() {
    if (m_nPixelCount == 0) {
        m_dMean = 0.0;
        m_dDeviation = 0.0;
        return;
    }
    const int bins = m_aBins.GetSize();
    const DWORD* counts = m_aBins.GetData();
    double sum = 0.0;
    for (int i = 0; i < bins; ++i)
        sum += static_cast<double>(i) * counts[i];
    m_dMean = sum / m_nPixelCount;
    double spread = 0.0;
    for (int i = 0; i < bins; ++i)
        spread += counts[i] * std::fabs(i - m_dMean);
    m_dDeviation = spread / m_nPixelCount;
}

void CHistogram::InitPens() {
    m_barPen.DeleteObject();
    m_hilitePen.DeleteObject();
    m_barPen.CreatePen(PS_SOLID, 1, m_crColor);
    m_hilitePen.CreatePen(PS_SOLID, 1, m_crHilite);
}

void CHistogram::SetColor(COLORREF colour) {
    m_crColor = colour;
    InitPens();
}

void CHistogram::SetHiliteColor(COLORREF colour) {
    m_crHilite = colour;
    InitPens();
}

CRect CHistogram::GetBoundsRect(int inflate) const {
    CRect bounds = m_rcDrawingArea;
    if (inflate)
        bounds.InflateRect(1, 1);
    return bounds;
}

void CHistogram::DrawHistogram(CDC* dc) {
    const int bins = m_aBins.GetSize();
    if (bins == 0 || m_rcDrawingArea.IsRectEmpty() || m_nUpperLimit == 0)
        return;
    CPen* previousPen = dc->SelectObject(&m_barPen);

    // The window extent stays within what the mapping handles; taller bars are scaled down.
    double top = m_nUpperLimit;
    double factor = 1.0;
    if (top > kMaxChartHeight) {
        factor = top / kMaxChartHeight;
        top = kMaxChartHeight;
    }
    const int previousMode = dc->SetMapMode(MM_ANISOTROPIC);
    const CSize previousWindowExt = dc->SetWindowExt(bins, TruncateToLong(top));
    const CSize previousViewportExt =
        dc->SetViewportExt(m_rcDrawingArea.Width(), -m_rcDrawingArea.Height());
    const CPoint previousViewportOrg =
        dc->SetViewportOrg(m_rcDrawingArea.left, m_rcDrawingArea.bottom);

    const DWORD* counts = m_aBins.GetData();
    for (int i = 0; i < bins; ++i) {
        if (i == m_nHiliteIntensity)
            continue;
        double h = counts[i] / factor;
        if (h > top)
            h = top;
        dc->MoveTo(i, 0);
        dc->LineTo(i, TruncateToLong(h));
    }
    if (m_nHiliteIntensity >= 0 && m_nHiliteIntensity < bins) {
        dc->SelectObject(&m_hilitePen);
        dc->MoveTo(m_nHiliteIntensity, 0);
        dc->LineTo(m_nHiliteIntensity, TruncateToLong(top));
    }

    dc->SelectObject(previousPen);
    dc->SetMapMode(previousMode);
    dc->SetWindowExt(previousWindowExt.cx, previousWindowExt.cy);
    dc->SetViewportExt(previousViewportExt.cx, previousViewportExt.cy);
    dc->SetViewportOrg(previousViewportOrg);
}

CRect CHistogram::GetHiliteRect() const {
    const int bins = m_aBins.GetSize();
    if (bins == 0)
        return CRect(0, 0, 0, 0);
    const CRect& area = m_rcDrawingArea;
    const int shift = TruncateToLong(static_cast<double>(area.Width()) * m_nHiliteIntensity / bins);
    const LONG left = WrapAdd(area.left, shift);
    return CRect(WrapSub(left, 1), WrapSub(area.top, 1), WrapAdd(left, 2), WrapAdd(area.bottom, 1));
}

} // namespace vellum
