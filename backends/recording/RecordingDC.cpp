#include <vellum/backends/recording/RecordingDC.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vellum {

namespace {

LONG ClampToLong(std::int64_t value) {
    return static_cast<LONG>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Joins the parts by appending: one buffer instead of a temporary per '+'.
template <typename... Parts> std::string Cat(const Parts&... parts) {
    std::string text;
    (text.append(parts), ...);
    return text;
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

std::string Colour(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(colour));
    return text;
}

std::string Point(POINT point) {
    return Cat("(", Number(point.x), ",", Number(point.y), ")");
}

std::string Size(SIZE size) {
    return Cat("(", Number(size.cx), ",", Number(size.cy), ")");
}

std::string Points(const std::vector<POINT>& points) {
    std::string text;
    for (const POINT& point : points) {
        if (!text.empty())
            text += '-';
        text += Point(point);
    }
    return text;
}

// Quotes 8-bit text so that every record stays one line of printable ASCII.
std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (byte >= 0x20 && byte < 0x7F) {
            quoted += ch;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            quoted += escape;
        }
    }
    quoted += '"';
    return quoted;
}

std::string Pen(const CRecordingDC::State& s) {
    return Cat(Number(s.penStyle), "/", Number(s.penWidth), "/", Colour(s.penColour));
}

std::string Brush(const CRecordingDC::State& s) {
    return Cat(Number(s.brushStyle), "/", Colour(s.brushColour));
}

std::string Font(const CRecordingDC::State& s) {
    return Cat(Number(s.fontHeight), "/", Number(s.fontEscapement), "/", Number(s.fontWeight), "/",
               Quote(s.fontFace));
}

const char* AttributeName(CDC::Attribute attribute) {
    switch (attribute) {
    case CDC::Attribute::pen:
        return "SelectPen";
    case CDC::Attribute::brush:
        return "SelectBrush";
    case CDC::Attribute::font:
        return "SelectFont";
    case CDC::Attribute::bkMode:
        return "SetBkMode";
    case CDC::Attribute::bkColor:
        return "SetBkColor";
    case CDC::Attribute::textColor:
        return "SetTextColor";
    case CDC::Attribute::textAlign:
        return "SetTextAlign";
    case CDC::Attribute::rop2:
        return "SetROP2";
    case CDC::Attribute::polyFillMode:
        return "SetPolyFillMode";
    case CDC::Attribute::mapping:
        break;
    }
    return "Mapping";
}

} // namespace

bool CRecordingDC::Record::IsDrawing() const {
    return name == "MoveTo" || name == "LineTo" || name == "Polyline" || name == "Polygon" ||
           name == "PolyBezier" || name == "Rectangle" || name == "FillSolidRect" ||
           name == "TextOut";
}

std::string CRecordingDC::Record::ToString() const {
    const State& s = state;
    const std::string rop = Cat(" rop ", Number(s.rop2));
    if (name == "MoveTo")
        return Cat(name, " ", Points(points));
    if (name == "LineTo" || name == "Polyline" || name == "PolyBezier")
        return Cat(name, " ", Points(points), " pen ", Pen(s), rop);
    if (name == "Polygon")
        return Cat(name, " ", Points(points), " pen ", Pen(s), " brush ", Brush(s), rop, " fill ",
                   Number(s.polyFillMode));
    if (name == "Rectangle")
        return Cat(name, " ", Points(points), " pen ", Pen(s), " brush ", Brush(s), rop);
    if (name == "FillSolidRect")
        return Cat(name, " ", Points(points), " colour ", Colour(colour));
    if (name == "TextOut")
        return Cat(name, " ", Points(points), " ", Quote(text), " font ", Font(s), " colour ",
                   Colour(s.textColour), " align ", Number(s.textAlign), " bk ", Number(s.bkMode),
                   "/", Colour(s.bkColour));
    if (name == "SelectPen")
        return Cat(name, " ", Pen(s));
    if (name == "SelectBrush")
        return Cat(name, " ", Brush(s));
    if (name == "SelectFont")
        return Cat(name, " ", Font(s));
    if (name == "SetBkMode")
        return Cat(name, " ", Number(s.bkMode));
    if (name == "SetBkColor")
        return Cat(name, " ", Colour(s.bkColour));
    if (name == "SetTextColor")
        return Cat(name, " ", Colour(s.textColour));
    if (name == "SetTextAlign")
        return Cat(name, " ", Number(s.textAlign));
    if (name == "SetROP2")
        return Cat(name, " ", Number(s.rop2));
    if (name == "SetPolyFillMode")
        return Cat(name, " ", Number(s.polyFillMode));
    return Cat(name, " mode ", Number(s.mapMode), " window ", Point(s.windowOrg), " ext ",
               Size(s.windowExt), " viewport ", Point(s.viewportOrg), " ext ", Size(s.viewportExt));
}

int CRecordingDC::GetDeviceCaps(int index) const {
    return index == TECHNOLOGY ? m_technology : CDC::GetDeviceCaps(index);
}

std::vector<std::string> CRecordingDC::Lines() const {
    return Lines([](const Record&) { return true; });
}

std::vector<std::string> CRecordingDC::Lines(const std::function<bool(const Record&)>& keep) const {
    std::vector<std::string> lines;
    for (const Record& record : m_records) {
        if (keep(record))
            lines.push_back(record.ToString());
    }
    return lines;
}

std::vector<std::string> CRecordingDC::DrawingLines() const {
    return Lines([](const Record& record) { return record.IsDrawing(); });
}

std::vector<std::string> CRecordingDC::LinesNamed(std::string_view name) const {
    return Lines([name](const Record& record) { return record.name == name; });
}

CRecordingDC::Record& CRecordingDC::Add(std::string name, std::vector<POINT> points) {
    Record& record = m_records.emplace_back();
    record.name = std::move(name);
    record.points = std::move(points);
    record.state = Snapshot();
    return record;
}

CRecordingDC::State CRecordingDC::Snapshot() const {
    const LOGPEN& pen = GetCurrentLogPen();
    const LOGBRUSH& brush = GetCurrentLogBrush();
    const LOGFONT font = DeviceFont();
    State s;
    s.penStyle = pen.lopnStyle;
    s.penWidth = DevicePenWidth();
    s.penColour = pen.lopnColor;
    s.brushStyle = brush.lbStyle;
    s.brushColour = brush.lbColor;
    s.rop2 = GetROP2();
    s.polyFillMode = GetPolyFillMode();
    s.bkMode = GetBkMode();
    s.bkColour = GetBkColor();
    s.textColour = GetTextColor();
    s.textAlign = GetTextAlign();
    s.fontHeight = font.lfHeight;
    s.fontEscapement = font.lfEscapement;
    s.fontWeight = font.lfWeight;
    s.fontFace.assign(font.lfFaceName,
                      std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, '\0'));
    s.mapMode = GetMapMode();
    s.windowOrg = GetWindowOrg();
    s.windowExt = GetWindowExt();
    s.viewportOrg = GetViewportOrg();
    s.viewportExt = GetViewportExt();
    return s;
}

void CRecordingDC::OnMoveTo(POINT to) {
    Add("MoveTo", {to});
}

void CRecordingDC::OnLineTo(POINT from, POINT to) {
    Add("LineTo", {from, to});
}

void CRecordingDC::OnPolyline(const POINT* points, int count) {
    Add("Polyline", std::vector<POINT>(points, points + count));
}

void CRecordingDC::OnPolygon(const POINT* points, int count) {
    Add("Polygon", std::vector<POINT>(points, points + count));
}

void CRecordingDC::OnPolyBezier(const POINT* points, int count) {
    Add("PolyBezier", std::vector<POINT>(points, points + count));
}

void CRecordingDC::OnRectangle(const RECT& rect) {
    Add("Rectangle", {POINT{rect.left, rect.top}, POINT{rect.right, rect.bottom}});
}

void CRecordingDC::OnFillSolidRect(const RECT& rect, COLORREF colour) {
    Add("FillSolidRect", {POINT{rect.left, rect.top}, POINT{rect.right, rect.bottom}}).colour =
        colour;
}

void CRecordingDC::OnTextOut(POINT at, const CString& text) {
    Add("TextOut", {at}).text = text.str();
}

LONG CRecordingDC::CellHeight() const {
    return ClampToLong(std::llabs(static_cast<std::int64_t>(DeviceFont().lfHeight)));
}

LONG CRecordingDC::CharWidth() const {
    return std::max<LONG>(1, CellHeight() / 2);
}

SIZE CRecordingDC::OnGetTextExtent(const CString& text) const {
    const std::int64_t width = static_cast<std::int64_t>(text.GetLength()) * CharWidth();
    return SIZE{ClampToLong(width), CellHeight()};
}

void CRecordingDC::OnGetTextMetrics(TEXTMETRIC& metrics) const {
    const LOGFONT font = DeviceFont();
    const LONG height = CellHeight();
    const LONG width = CharWidth();
    metrics = TEXTMETRIC{};
    metrics.tmHeight = height;
    metrics.tmAscent = height - height / 5;
    metrics.tmDescent = height / 5;
    metrics.tmAveCharWidth = width;
    metrics.tmMaxCharWidth = width;
    metrics.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
    metrics.tmItalic = font.lfItalic;
    metrics.tmCharSet = font.lfCharSet;
}

void CRecordingDC::OnAttributeChanged(Attribute attribute) {
    Add(AttributeName(attribute), {});
}

} // namespace vellum
