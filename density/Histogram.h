#pragma once
// CHistogram: how often each grey level occurs in a region of the host's image, gathered over
// an axis-aligned rectangle or along a straight line, with the statistics drawn from it
// (minimum, maximum, peak, mean and mean absolute deviation) and a bar chart of it.
//
// The image is read through the imaging toolkit's bitmap handle and never changed or owned.
// A rectangle gathering always gives 256 bins: the toolkit's region histogram spreads a
// 12- or 16-bit image's full depth over them (see L_GetBitmapHistogram). A line gathering
// gives 2^(bits per pixel) bins, but the level of each point is the red component of the
// colour-table entry that the sample's first byte selects, so only bins 0 to 255 fill.
//
// Pixel coordinates are image pixels, origin top-left, y downwards; rectangles are half-open.
// The toolkit numbers rows from the bottom, so every row is flipped on the way to it.

#include <vellum/geometry/Vector.h>
#include <vellum/imaging/Bitmap.h>
#include <vellum/platform/Array.h>
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/Object.h>
#include <vellum/platform/Rect.h>

namespace vellum {

class CDC;

class CHistogram : public CObject {
public:
    CHistogram();
    ~CHistogram() override;
    CHistogram(const CHistogram&) = delete;
    // Copies the counts, statistics, colours, drawing area and bitmap; makes its own pens.
    CHistogram& operator=(const CHistogram& other);

    // Each Init gathers and then re-creates the pens; 1 on success, 0 on failure.
    // The whole image.
    int Init(pBITMAPHANDLE bitmap);
    int Init(pBITMAPHANDLE bitmap, RECT* rect);
    int Init(pBITMAPHANDLE bitmap, CVector* from, CVector* to);
    // The same gatherings with the pens left alone.
    int InitHistogram(pBITMAPHANDLE bitmap, RECT* rect);
    int InitHistogram(pBITMAPHANDLE bitmap, CVector* from, CVector* to);

    void SetColor(COLORREF colour);
    void SetHiliteColor(COLORREF colour);
    void SetDrawingArea(CRect area) { m_rcDrawingArea = area; }
    CRect GetBoundsRect(int inflate) const;
    // The bars, bin i at x = i across the drawing area and its count upwards from the bottom
    // edge, the highlighted intensity as a full-height bar in the hilite colour.
    void DrawHistogram(CDC* dc);
    // The strip that the highlighted bar covers, one pixel wider on every side.
    CRect GetHiliteRect() const;

    UINT GetSize() const { return static_cast<UINT>(m_aBins.GetSize()); }
    CArray<DWORD, DWORD>& GetHistogram() { return m_aBins; }
    // The colour table the last line gathering read (empty or zeros after a rectangle).
    const CArray<RGBQUAD, RGBQUAD>& GetColorTable() const { return m_aColors; }
    UINT GetMinIntensity() const { return m_nMinIntensity; }
    UINT GetMaxIntensity() const { return m_nMaxIntensity; }
    UINT GetPeakIntensity() const { return m_nPeakIntensity; }
    UINT GetUpperLimit() const { return m_nUpperLimit; }
    // Overrides the chart's vertical scale until the next gathering.
    void SetUpperLimit(UINT limit) { m_nUpperLimit = limit; }
    UINT GetPixelCount() const { return m_nPixelCount; }
    void SetHiliteIntensity(int intensity) { m_nHiliteIntensity = intensity; }
    int GetHiliteIntensity() const { return m_nHiliteIntensity; }
    double GetMeanValue() const { return m_dMean; }
    // The mean absolute deviation from the mean: neither squared nor rooted.
    double GetStandardDeviation() const { return m_dDeviation; }
    pBITMAPHANDLE GetBitmap() const { return m_pBitmap; }
    COLORREF GetColor() const { return m_crColor; }
    COLORREF GetHiliteColor() const { return m_crHilite; }

private:
    int InitHistogramArray(pBITMAPHANDLE bitmap, RECT* rect);
    int InitHistogramArray(pBITMAPHANDLE bitmap, CVector* from, CVector* to);
    void InitVars();
    void CountStatistics();
    void InitPens();
    // One point of a line gathering; the best count and ok flag live in the caller.
    void CountLinePoint(int x, int y, DWORD& best, bool& ok);

    CArray<DWORD, DWORD> m_aBins;
    CArray<RGBQUAD, RGBQUAD> m_aColors;
    UINT m_nMinIntensity = 65535;
    UINT m_nMaxIntensity = 0;
    UINT m_nPeakIntensity = 0;
    UINT m_nUpperLimit = 0;
    double m_dMean = 0.0;
    double m_dDeviation = 0.0;
    int m_nHiliteIntensity = -1;
    COLORREF m_crColor = RGB(0, 0, 0);
    COLORREF m_crHilite = RGB(255, 255, 0);
    CPen m_barPen;
    CPen m_hilitePen;
    CRect m_rcDrawingArea;
    UINT m_nPixelCount = 0;
    pBITMAPHANDLE m_pBitmap = nullptr;
};

} // namespace vellum
