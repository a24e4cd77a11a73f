#pragma once
// CRecordingDC: a drawing context that draws nothing and records every drawing call and every
// change of state, in device coordinates, so tests can check exactly what items draw.
//
// Each record has a one-line string form. Points are "(x,y)" joined by "-"; colours are
// "0x" and eight upper-case hex digits of the COLORREF (0x00BBGGRR); text and face names are
// quoted, with '"' and '\' escaped by '\' and bytes outside printable ASCII written as \xNN.
// Pen, brush and font are shown by their device values:
//
//   MoveTo (x,y)
//   LineTo (x1,y1)-(x2,y2) pen STYLE/WIDTH/COLOUR rop ROP2
//   Polyline (x,y)-(x,y)-... pen STYLE/WIDTH/COLOUR rop ROP2
//   PolyBezier (x,y)-(x,y)-... pen STYLE/WIDTH/COLOUR rop ROP2
//   Polygon (x,y)-(x,y)-... pen STYLE/WIDTH/COLOUR brush STYLE/COLOUR rop ROP2 fill MODE
//   Rectangle (left,top)-(right,bottom) pen STYLE/WIDTH/COLOUR brush STYLE/COLOUR rop ROP2
//   FillSolidRect (left,top)-(right,bottom) colour COLOUR
//   TextOut (x,y) "TEXT" font HEIGHT/ESC/WEIGHT/"FACE" colour COLOUR align ALIGN bk MODE/COLOUR
//   SelectPen STYLE/WIDTH/COLOUR
//   SelectBrush STYLE/COLOUR
//   SelectFont HEIGHT/ESC/WEIGHT/"FACE"
//   SetBkMode MODE, SetBkColor COLOUR, SetTextColor COLOUR, SetTextAlign ALIGN,
//   SetROP2 ROP2, SetPolyFillMode MODE
//   Mapping mode MODE window (x,y) ext (cx,cy) viewport (x,y) ext (cx,cy)
//
// for example "LineTo (10,20)-(30,40) pen 0/1/0x0000FF00 rop 13". Numbers are decimal. WIDTH
// is the pen's width in device pixels, HEIGHT the font's device height with its sign, ESC its
// escapement in tenths of a degree. A rectangle is its two corners as the base class mapped
// them, so under a flipped mapping top may be below bottom. Every record keeps the whole state
// (Record::state) even where its string shows only part of it. Text measurements are queries
// and are not recorded.
//
// Text is measured with synthetic metrics that depend on the device font height alone: with
// h = |height|, every character is max(1, h / 2) pixels wide (integer division), a text's
// extent is (length × that width, h), and the metrics are tmHeight h, tmAscent h − h / 5,
// tmDescent h / 5, no leading, tmAveCharWidth = tmMaxCharWidth = the character width, and the
// font's weight, italic flag and character set (weight 0 reads as FW_NORMAL). Values beyond
// the 32-bit range are clamped to it.

#include <vellum/platform/DC.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellum {

class CRecordingDC : public CDC {
public:
    // The context's state at the time of a record, in device units.
    struct State {
        UINT penStyle = 0;
        int penWidth = 0;
        COLORREF penColour = 0;
        UINT brushStyle = 0;
        COLORREF brushColour = 0;
        int rop2 = 0;
        int polyFillMode = 0;
        int bkMode = 0;
        COLORREF bkColour = 0;
        COLORREF textColour = 0;
        UINT textAlign = 0;
        LONG fontHeight = 0;
        LONG fontEscapement = 0;
        LONG fontWeight = 0;
        std::string fontFace;
        int mapMode = 0;
        POINT windowOrg{0, 0};
        SIZE windowExt{0, 0};
        POINT viewportOrg{0, 0};
        SIZE viewportExt{0, 0};
    };

    struct Record {
        std::string name;
        std::vector<POINT> points; // device coordinates; a rectangle as its two corners
        std::string text;          // TextOut's text
        COLORREF colour = 0;       // FillSolidRect's colour
        State state;               // for a change of state, the state after it

        // True for the drawing calls, false for the changes of state.
        bool IsDrawing() const;
        std::string ToString() const;
    };

    // technology is what GetDeviceCaps(TECHNOLOGY) reports: DT_RASDISPLAY or DT_RASPRINTER.
    explicit CRecordingDC(int technology = DT_RASDISPLAY) : m_technology(technology) {}

    int GetDeviceCaps(int index) const override;

    const std::vector<Record>& Records() const { return m_records; }
    // The string forms of all records, in order.
    std::vector<std::string> Lines() const;
    // The string forms of the records that keep accepts, in order.
    std::vector<std::string> Lines(const std::function<bool(const Record&)>& keep) const;
    // The string forms of the drawing calls only.
    std::vector<std::string> DrawingLines() const;
    // The string forms of the records with this name only.
    std::vector<std::string> LinesNamed(std::string_view name) const;
    void Clear() { m_records.clear(); }

protected:
    void OnMoveTo(POINT to) override;
    void OnLineTo(POINT from, POINT to) override;
    void OnPolyline(const POINT* points, int count) override;
    void OnPolygon(const POINT* points, int count) override;
    void OnPolyBezier(const POINT* points, int count) override;
    void OnRectangle(const RECT& rect) override;
    void OnFillSolidRect(const RECT& rect, COLORREF colour) override;
    void OnTextOut(POINT at, const CString& text) override;
    SIZE OnGetTextExtent(const CString& text) const override;
    void OnGetTextMetrics(TEXTMETRIC& metrics) const override;
    void OnAttributeChanged(Attribute attribute) override;

private:
    Record& Add(std::string name, std::vector<POINT> points);
    State Snapshot() const;
    // The synthetic cell height and character width of the current device font.
    LONG CellHeight() const;
    LONG CharWidth() const;

    int m_technology;
    std::vector<Record> m_records;
};

} // namespace vellum
