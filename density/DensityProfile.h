#pragma once
// CDensityProfile: the profile graph of a density line, a box (a rectangle item spanned by
// node 0 and node 2) that shows the grey levels along the line as a curve: a dotted frame,
// three dotted grid lines, five scale numbers on its left and the curve, from the scale
// minimum at the bottom edge to the scale maximum at the top. It also keeps the two ends of
// the connector that the density line draws from a point of the line to the curve; a click
// inside the box picks that point.
//
// The graph reads the image through the line's histogram (bitmap, colour table, number of
// points) and draws nothing without one.

#include <vellum/Graphics/GraphicFont.h>
#include <vellum/Graphics/GraphicRect.h>

namespace vellum {

class CHistogram;

class CDensityProfile : public CGraphicRect {
    DECLARE_SERIAL(CDensityProfile)
public:
    CDensityProfile();
    ~CDensityProfile() override;

    void SetHistogram(CHistogram* histogram) { m_pHistogram = histogram; }
    // The density line's ends; the connector starts again at the line's start and at the
    // box's first corner.
    void SetLinePosition(CVector* start, CVector* end);
    // The box between node 0 and node 2, normalised.
    CRect GetRect();
    // The connector's end on the line, in drawing coordinates.
    CPoint GetLinePnt(double zoom);
    // The connector's end on the curve, in drawing coordinates.
    CPoint GetProfilePnt(double zoom);
    // The user's default graphics font, or the default font of size 10.
    void InitFont();
    CGraphicFont& GetFont() { return m_font; }
    // The scale numbers are measured again at the next drawing.
    void UpdateNumberBox() { m_bNumberBoxStale = 1; }
    int GetScaleMin() const { return m_nScaleMin; }
    int GetScaleMax() const { return m_nScaleMax; }
    void SetScale(int minimum, int maximum) {
        m_nScaleMin = minimum;
        m_nScaleMax = maximum;
    }
    CVector GetConnectionOnLine() const { return m_vLinePnt; }
    COLORREF GetTextColor() const { return m_crText; }

    // The item colour and the colour of the scale numbers.
    void SetColor(COLORREF colour) override;
    // The rectangle's hit test; a hit on the body also moves the connector to the point of
    // the line that corresponds to the clicked x.
    int HitTest(CVector* point, double zoom) override;
    // The box united with the scale numbers.
    CRect GetBoundsRect(int inflate) override;
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // The rectangle's fields, the reserved integer, the connector's end on the curve, the
    // scale and the font.
    void Serialize(CArchive& ar) override;

private:
    // One point of the curve at x; the state lives in the drawing.
    struct CurveState;
    void CurveStep(int x, int y, CDC* dc, CurveState& state);

    int m_nProfileTag = 1; // stored, not otherwise used
    int m_nScaleMin = 0;
    int m_nScaleMax = 255;
    CHistogram* m_pHistogram = nullptr;
    CVector m_vLineStart;
    CVector m_vLineEnd;
    CVector m_vLinePnt;
    int m_nConnectX = 0;
    int m_nConnectY = 0; // drawing coordinates
    int m_bConnectPending = 0;
    CGraphicFont m_font;
    COLORREF m_crText;
    CRect m_rcNumberBox;
    int m_bNumberBoxStale = 1;
    double m_dLastZoom = 1.0;
};

} // namespace vellum
