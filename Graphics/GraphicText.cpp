#include <vellum/Graphics/GraphicText.h>

#include <vellum/archive/Archive.h>
#include <vellum/geometry/GraphMatrix.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/TextPP.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicText, CGraphicRect, VERSIONABLE_SCHEMA | 1)

namespace {

// A new text holds this many empty words, which lay out as one empty line.
constexpr int kInitialWords = 20;
constexpr int kWordGrowth = 20;

// No line holds more characters than this: longer ones break as if too wide. Real lines are
// far shorter; the bound keeps the layout of damaged data (a huge text in a huge box) from
// measuring ever longer lines word after word.
constexpr int kMaxLineLength = 1024;

bool IsSpace(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

// The index of the first carriage return or line feed, or -1.
int FirstBreak(const CString& line) {
    const std::size_t at = line.str().find_first_of("\r\n");
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString BeforeBreak(const CString& line) {
    const int at = FirstBreak(line);
    return at < 0 ? line : line.Left(at);
}

CString WithoutTrailingSpace(const CString& word) {
    int end = word.GetLength();
    while (end > 0 && IsSpace(word[end - 1]))
        --end;
    return word.Left(end);
}

// The text font for a device, zoom and angle, selected until the object goes, with the
// background mode made transparent.
class CTextFont {
public:
    CTextFont(CDC* dc, CGraphicFont& font, double angle, double zoom, double extra) : m_dc(dc) {
        const int escapement = TruncateToLong(angle / PI * 1800);
        const double scale = dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER ? extra : zoom;
        m_font.reset(font.CreateFont(dc, escapement, escapement, scale));
        if (m_font)
            m_previous = dc->SelectObject(m_font.get());
        m_previousMode = dc->SetBkMode(TRANSPARENT);
    }
    ~CTextFont() {
        m_dc->SetBkMode(m_previousMode);
        if (m_font)
            m_dc->SelectObject(m_previous);
    }
    CTextFont(const CTextFont&) = delete;
    CTextFont& operator=(const CTextFont&) = delete;

private:
    CDC* m_dc;
    std::unique_ptr<CFont> m_font;
    CFont* m_previous = nullptr;
    int m_previousMode = OPAQUE;
};

} // namespace

CGraphicText::CGraphicText() {
    m_aWords.SetSize(kInitialWords, kWordGrowth);
}

CGraphicText::~CGraphicText() = default;

double CGraphicText::BoxWidth() const {
    return (m_aCorners[3] - m_aCorners[0]).Length();
}

double CGraphicText::BoxHeight() const {
    return (m_aCorners[1] - m_aCorners[0]).Length();
}

std::vector<CString> CGraphicText::GetWords() const {
    std::vector<CString> words;
    for (int i = 0; i < m_aWords.GetSize(); ++i)
        words.push_back(m_aWords[i]);
    return words;
}

void CGraphicText::SetText(const char* text) {
    CString s(text);
    m_aWords.RemoveAll();
    m_aWords.SetSize(0, kWordGrowth);
    m_bLayoutPending = 1;
    const std::string& all = s.str();
    std::size_t first = 0;
    std::size_t last = all.size();
    while (first < last && IsSpace(all[first]))
        ++first;
    while (last > first && IsSpace(all[last - 1]))
        --last;
    // A word starts at every character that is not white space and follows white space.
    std::size_t start = first;
    for (std::size_t i = first + 1; i <= last; ++i) {
        if (i == last || (!IsSpace(all[i]) && IsSpace(all[i - 1]))) {
            m_aWords.Add(CString(std::string_view(all).substr(start, i - start)));
            start = i;
        }
    }
}

void CGraphicText::InitFont() {
    if (!m_font.Restore())
        m_font.GetDefault(10);
}

void CGraphicText::SetColor(DWORD colour) {
    CGraphicRect::SetColor(colour);
    m_font.SetColor(colour);
}

void CGraphicText::SetFontSize(int size) {
    m_font.SetSize(size);
}

int CGraphicText::GetFontSize() {
    return m_font.GetSize();
}

void CGraphicText::SetEnd(CVector* point, int) {
    const CVector s = m_aCorners[0];
    const CVector p = *point;
    m_bLayoutPending = 1;
    const double left = std::min(s.x, p.x);
    const double top = std::min(s.y, p.y);
    double right = std::max({s.x, p.x, left + m_dTextWidth});
    double bottom = std::max({s.y, p.y, top + m_dTextHeight});
    if (right == left)
        right += 1;
    if (bottom == top)
        bottom += 1;
    m_aCorners[0] = CVector(left, top);
    m_aCorners[1] = CVector(left, bottom);
    m_aCorners[2] = CVector(right, bottom);
    m_aCorners[3] = CVector(right, top);
}

void CGraphicText::Move(double dx, double dy, int node) {
    if (node > 0)
        m_bLayoutPending = 1;
    CGraphicRect::Move(dx, dy, node);
}

void CGraphicText::Rotate(double angle, CVector* centre) {
    CGraphicItem::Rotate(angle, centre);
    m_dAngle += angle;
    if (m_dAngle > 2 * PI)
        m_dAngle -= 2 * PI;
    else if (m_dAngle < -2 * PI)
        m_dAngle += 2 * PI;
}

void CGraphicText::FlipHorizontal(LONG axis) {
    CGraphicItem::FlipHorizontal(axis);
    m_dAngle = -m_dAngle;
}

int CGraphicText::BreakLines(CDC* dc, double zoom,
                             const std::function<void(CString&, int)>& output) {
    const double boxWidth = BoxWidth();
    const int count = m_aWords.GetSize();
    int lines = 0;
    CString line;
    int wordsInLine = 0;
    for (int i = 0; i < count;) {
        CString previous = line;
        line += m_aWords[i];
        ++wordsInLine;
        const bool fits =
            line.GetLength() <= kMaxLineLength && dc->GetTextExtent(line).cx / zoom < boxWidth;
        const bool lastWord = i == count - 1;
        if (fits && lastWord) {
            output(line, lines++);
            ++i;
        } else if (fits && FirstBreak(line) >= 0) {
            CString shown = BeforeBreak(line);
            output(shown, lines++);
            line.Empty();
            wordsInLine = 0;
            ++i;
        } else if (fits) {
            ++i;
        } else if (wordsInLine == 1) {
            // Too wide on its own: it stands alone, beyond the right edge.
            CString shown = BeforeBreak(line);
            output(shown, lines++);
            line.Empty();
            wordsInLine = 0;
            ++i;
        } else {
            // The word that did not fit begins the next line.
            output(previous, lines++);
            line.Empty();
            wordsInLine = 0;
        }
    }
    return lines;
}

void CGraphicText::Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) {
    const bool transient = (types & drawTransient) != 0;
    if (!transient && zoom != m_dLastZoom) {
        m_bLayoutPending = 1;
        m_dLastZoom = zoom;
    }
    // Text is measured in view pixels and divided back by the zoom: a host's zoom of zero (or
    // worse) leaves the box as it is until a zoom the text can be measured at.
    const bool layOut = m_bLayoutPending && !transient && zoom > 0 && std::isfinite(zoom);
    {
        const CTextFont font(dc, m_font, m_dAngle, zoom, extra);
        TEXTMETRIC metrics{};
        dc->GetTextMetrics(&metrics);
        const LONG lineHeight = metrics.tmHeight;

        if (layOut) {
            // The box widens to the widest word, measured without its trailing white space.
            m_dTextWidth = 1.0;
            for (int i = 0; i < m_aWords.GetSize(); ++i) {
                const double width = dc->GetTextExtent(WithoutTrailingSpace(m_aWords[i])).cx / zoom;
                m_dTextWidth = std::max(m_dTextWidth, width);
            }
            const double boxWidth = BoxWidth();
            if (m_dTextWidth > boxWidth) {
                const CVector v = CVector(m_dTextWidth - boxWidth, 0) * CRotateMatrix(m_dAngle);
                Move(v.x, v.y, 4);
            }
        }

        const int lines = BreakLines(dc, zoom, [&](CString& line, int number) {
            if (!m_bDrag) {
                const auto offset = static_cast<std::int64_t>(number) * lineHeight;
                TextOut(dc, &line,
                        static_cast<int>(std::clamp<std::int64_t>(offset, INT32_MIN, INT32_MAX)),
                        zoom, flags);
            }
        });

        if (layOut) {
            // The box grows downwards until every line fits.
            m_dTextHeight = static_cast<double>(lines) * lineHeight / zoom;
            const double boxHeight = BoxHeight();
            if (m_dTextHeight > boxHeight) {
                const CVector v = CVector(0, m_dTextHeight - boxHeight) * CRotateMatrix(m_dAngle);
                Move(v.x, v.y, 2);
            }
            m_bLayoutPending = 0;
        }
    }

    if (HasFocus() && !m_bDrag)
        HiliteNodes(dc, zoom, types, 0);
    if (m_bDrag && !(types & drawOwnLabel)) {
        // While dragged, the outline of the box stands in for the text.
        CPen* previous = CreatePen(dc, zoom);
        const CScaleMatrix toView(zoom, zoom);
        POINT outline[4];
        for (int i = 0; i < 4; ++i)
            outline[i] = m_aCorners[i] * toView;
        dc->Polygon(outline, 4);
        dc->SelectObject(previous);
        m_pen.DeleteObject();
    }
}

void CGraphicText::TextOut(CDC* dc, CString* line, int offset, double zoom, LONG flags) {
    const CVector o = m_aCorners[0] * CScaleMatrix(zoom, zoom);
    const CVector p = CVector(o.x, o.y + offset) * CMoveMatrix(-o.x, -o.y) *
                      CRotateMatrix(m_dAngle) * CMoveMatrix(o.x, o.y);
    const POINT at = p;
    const COLORREF previousColour = dc->SetTextColor(m_font.GetColor());
    const UINT previousAlign =
        dc->SetTextAlign((flags & flagRightAligned) ? TA_RIGHT : TA_LEFT | TA_TOP);
    dc->TextOut(at.x, at.y, *line);
    dc->SetTextAlign(previousAlign);
    dc->SetTextColor(previousColour);
}

std::vector<CString> CGraphicText::LayOutLines(CDC* dc, double zoom, double extra) {
    const CTextFont font(dc, m_font, m_dAngle, zoom, extra);
    std::vector<CString> lines;
    BreakLines(dc, zoom, [&](CString& line, int) { lines.push_back(line); });
    return lines;
}

int CGraphicText::Properties(CWnd* parent, LONG flags) {
    CTextPP textPage;
    textPage.m_strText = m_strText;
    CFontPP fontPage;
    fontPage.m_font = m_font;
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&textPage);
    sheet.AddPage(&fontPage);
    int result = 0;
    if (sheet.DoModal() == IDOK) {
        m_strText = textPage.m_strText;
        SetText(m_strText);
        if (fontPage.m_bChanged)
            m_font = fontPage.m_font;
        result = 1;
    }
    if (flags & flagRightAligned) {
        std::swap(m_aCorners[0], m_aCorners[3]);
        std::swap(m_aCorners[1], m_aCorners[2]);
    }
    return result;
}

void CGraphicText::Serialize(CArchive& ar) {
    CGraphicRect::Serialize(ar);
    SerializeInt(m_nTextTag, ar);
    if (ar.IsStoring()) {
        m_font.Write(ar);
        ar << m_dAngle << m_strText;
    } else {
        m_font.Read(ar);
        double angle;
        CString text;
        ar >> angle >> text;
        // As with stored points, an angle that is not a finite number reads as 0.
        m_dAngle = std::isfinite(angle) ? angle : 0.0;
        m_strText = text;
        SetText(m_strText);
    }
}

} // namespace vellum
