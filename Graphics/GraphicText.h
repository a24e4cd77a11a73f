#pragma once
// CGraphicText: a text box. The text is cut into words, and the words are laid out greedily
// into lines that fit the width of the box; the box grows by itself until the widest word and
// every line fit, but never shrinks. The text turns with the box and keeps its size on screen
// in proportion to the zoom.
//
// The box is the rectangle it derives from: c0 is the top-left corner of the text as it is
// read (the anchor of the first line), c1 lies below it and c3 to its right; the box and the
// writing direction turn together by the text angle.

#include <vellum/Graphics/GraphicFont.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/platform/Array.h>
#include <vellum/platform/String.h>

#include <functional>
#include <vector>

namespace vellum {

class CGraphicText : public CGraphicRect {
    DECLARE_SERIAL(CGraphicText)
public:
    // Bit 0x1 of the flags of Draw and Properties: lines are right-aligned on their anchor,
    // and Properties exchanges the corners pairwise (c0 with c3, c1 with c2).
    static constexpr LONG flagRightAligned = 0x1;

    CGraphicText();
    ~CGraphicText() override;

    // The rectangle's fields, the text tag, the font, the angle and the text.
    void Serialize(CArchive& ar) override;
    // The item colour and the font colour, in which the text is drawn.
    void SetColor(DWORD colour) override;
    // Lays the text out (unless types has drawTransient, and only when something changed) and
    // draws it line by line down the box's left edge, in the font scaled by zoom (by extra on
    // a printer) and turned by the text angle. While dragged it draws the box's outline
    // instead of the text.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // Dragging a corner lays the text out again; moving the whole box keeps the layout.
    void Move(double dx, double dy, int node) override;
    // Turns the box and the writing direction; a sum beyond ±2π is brought back by one turn.
    void Rotate(double angle, CVector* centre) override;
    // Stretches a new box from c0 to point, axis-parallel, never smaller than the last
    // layout's text and at least one unit wide and high; add is not used.
    void SetEnd(CVector* point, int add) override;
    void SetFontSize(int size) override;
    int GetFontSize() override;
    // The text page and the font page. OK takes the text and, when the user chose one, the
    // font (answer 1); Cancel answers 0. With flagRightAligned the corners are exchanged
    // pairwise afterwards, whatever the answer.
    int Properties(CWnd* parent, LONG flags) override;
    // Mirrors the box and the writing direction.
    void FlipHorizontal(LONG axis) override;

    // The user's default overlay font, else the default font of size 10.
    void InitFont();

    // The lines the text makes in the box as it stands, for this device and zoom; the box and
    // the layout are left alone.
    std::vector<CString> LayOutLines(CDC* dc, double zoom, double extra = 1.0);

    // Read-only views for hosts, tools and tests.
    const CString& GetText() const { return m_strText; }
    const CGraphicFont& GetFont() const { return m_font; }
    double GetAngle() const { return m_dAngle; }
    // The widest word and the height of all lines at the last layout, in image units.
    double GetTextWidth() const { return m_dTextWidth; }
    double GetTextHeight() const { return m_dTextHeight; }
    int IsLayoutPending() const { return m_bLayoutPending; }
    // The words as SetText cut them, each with the white space that follows it.
    std::vector<CString> GetWords() const;

private:
    // Cuts the text into words: leading and trailing white space goes, and every word keeps
    // the white space that follows it.
    void SetText(const char* text);
    // Draws one line at offset device units down the box's left edge, turned by the angle.
    void TextOut(CDC* dc, CString* line, int offset, double zoom, LONG flags);

    // Breaks the words greedily into lines narrower than the box, in the font selected into
    // dc; output receives each line and its number. Returns the number of lines.
    int BreakLines(CDC* dc, double zoom, const std::function<void(CString&, int)>& output);
    double BoxWidth() const;
    double BoxHeight() const;

    int m_nTextTag = 1;
    double m_dAngle = 0.0;
    double m_dTextWidth = 1.0;
    double m_dTextHeight = 1.0;
    int m_bLayoutPending = 1;
    CString m_strText;
    CArray<CString, const CString&> m_aWords;
    CGraphicFont m_font;
    double m_dLastZoom = 1.0;
};

} // namespace vellum
