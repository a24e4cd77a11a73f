#pragma once
// CGraphicTextLine: one line of text anchored at a point of the image, the label that
// distance, angle and freehand items attach to themselves. It is always horizontal, keeps its
// size on screen in proportion to the zoom, and measures itself when drawn: node 1 is the
// anchor (the top-left corner of the text) and node 2 the opposite corner of the text, so the
// label is hit, bounded and moved like the box its text occupies.

#include <vellum/Graphics/GraphicFont.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/platform/String.h>

namespace vellum {

class CGraphicTextLine : public CGraphicItem {
    DECLARE_SERIAL(CGraphicTextLine)
public:
    CGraphicTextLine();
    ~CGraphicTextLine() override;

    void Serialize(CArchive& ar) override;
    // The item colour only; the text is drawn in the font's colour.
    void SetColor(DWORD colour) override;
    // Draws the text at node 1 in the font scaled by zoom (by extra on a printer). Unless types
    // has drawTransient, a new zoom or a pending change measures the text again and puts node
    // 2 at node 1 + the extent in image units. While dragged (with focus, and unless types has
    // drawOwnLabel) it draws the outline of its box instead of the text.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // Turns the anchor about centre; the text stays horizontal, node 2 follows at the next
    // measurement.
    void Rotate(double angle, CVector* centre) override;
    // Node 1 becomes point and node 2 point + extent: replaced when add is 0, appended
    // otherwise. Owners place a label with SetStart(p) and SetEnd(p, 1).
    void SetEnd(CVector* point, int add) override;
    // The font page alone; a font chosen and confirmed with OK becomes the label's font and
    // colour (answer 1); anything else answers 0 and changes nothing.
    int Properties(CWnd* parent, LONG flags) override;

    // The value with decimals decimals, a space and unit (null counts as empty), as printf's
    // "%.Nf %s" writes it; it becomes the text and is returned. A negative decimals counts as
    // 6, printf's default.
    CString SetDoubleValue(double value, int decimals, const char* unit);
    void SetText(const char* text);
    CString GetText() { return m_strText; }
    CGraphicFont& GetFont() { return m_font; }
    // The user's default overlay font, else the default font of size 10.
    void InitFont();
    // Owners call it after moving or changing the label so that node 2 follows at the next
    // drawing.
    void UpdateRect() { m_bMeasurePending = 1; }

    // Read-only views for owners, tools and tests.
    const CString& Text() const { return m_strText; }
    const CGraphicFont& Font() const { return m_font; }
    // Width and height of the text in image units at the last measurement.
    CVector GetExtent() const { return m_vExtent; }
    int IsMeasurePending() const { return m_bMeasurePending; }
    double GetLastZoom() const { return m_dLastZoom; }

protected:
    int m_nLabelTag = 1;
    CString m_strText;
    CGraphicFont m_font;
    int m_bMeasurePending = 1;
    CVector m_vExtent;
    double m_dLastZoom = 1.0;
};

} // namespace vellum
