#include <vellum/backends/cairo/CairoDC.h>

#include <vellum/platform/CodePage.h>
#include <vellum/platform/Exceptions.h>

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace vellum {

namespace {

using Int = std::int64_t;

constexpr int kMaxSide = 32767;
constexpr const char* kDefaultFace = "DejaVu Sans";
// The framework's cosmetic pen patterns, in pixels.
constexpr int kDotOn = 3;
constexpr int kDotOff = 3;
constexpr int kDashOn = 18;
constexpr int kDashOff = 6;
// Coverage levels: the pen's ink, and the gap of a styled pen drawn on an opaque background.
constexpr BYTE kInk = 255;
constexpr BYTE kGap = 1;
constexpr BYTE kInkThreshold = 128;
// Beyond this distance from the surface, shapes are clipped before they reach Cairo, whose
// fixed-point coordinates would overflow; text that far away is not drawn.
constexpr double kFarAway = 1 << 20;
// Wider pens and larger fonts than these come from damaged data; they are drawn at this size.
constexpr int kMaxPenWidth = 1 << 16;
constexpr double kMaxEm = 4096;

struct PointD {
    double x;
    double y;
};

// A pixel rectangle; right and bottom are outside it.
struct Box {
    Int left = 0;
    Int top = 0;
    Int right = 0;
    Int bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    Box Intersect(const Box& other) const {
        return Box{std::max(left, other.left), std::max(top, other.top),
                   std::min(right, other.right), std::min(bottom, other.bottom)};
    }
};

// The pixels that the points reach, widened by margin pixels on each side.
Box BoundsOf(const std::vector<PointD>& points, Int margin) {
    double minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const PointD& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return Box{static_cast<Int>(std::floor(minX)) - margin,
               static_cast<Int>(std::floor(minY)) - margin,
               static_cast<Int>(std::ceil(maxX)) + margin + 1,
               static_cast<Int>(std::ceil(maxY)) + margin + 1};
}

std::vector<PointD> ToPoints(const POINT* points, int count) {
    std::vector<PointD> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        result.push_back(
            PointD{static_cast<double>(points[i].x), static_cast<double>(points[i].y)});
    return result;
}

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing of it is inside.
bool ClipSegment(PointD& a, PointD& b, double left, double top, double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const PointD start = a;
    a = PointD{start.x + t0 * dx, start.y + t0 * dy};
    b = PointD{start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

// Cuts a polygon to the rectangle, one edge at a time (Sutherland-Hodgman). The winding
// number of every point inside the rectangle is kept, so both fill rules still hold.
std::vector<PointD> ClipPolygon(std::vector<PointD> polygon, double left, double top, double right,
                                double bottom) {
    auto clipEdge = [&polygon](auto inside, auto cross) {
        std::vector<PointD> out;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const PointD& a = polygon[i];
            const PointD& b = polygon[(i + 1) % polygon.size()];
            if (inside(a)) {
                out.push_back(a);
                if (!inside(b))
                    out.push_back(cross(a, b));
            } else if (inside(b)) {
                out.push_back(cross(a, b));
            }
        }
        polygon = std::move(out);
    };
    auto atX = [](double x) {
        return [x](const PointD& a, const PointD& b) {
            return PointD{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
        };
    };
    auto atY = [](double y) {
        return [y](const PointD& a, const PointD& b) {
            return PointD{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
        };
    };
    clipEdge([left](const PointD& p) { return p.x >= left; }, atX(left));
    clipEdge([right](const PointD& p) { return p.x <= right; }, atX(right));
    clipEdge([top](const PointD& p) { return p.y >= top; }, atY(top));
    clipEdge([bottom](const PointD& p) { return p.y <= bottom; }, atY(bottom));
    return polygon;
}

// Cubic Bézier segments as short straight pieces, the start point first.
std::vector<PointD> FlattenBezier(const POINT* points, int count) {
    const std::vector<PointD> p = ToPoints(points, count);
    std::vector<PointD> result{p[0]};
    for (int s = 0; s + 3 < count; s += 3) {
        const PointD &p0 = p[s], &p1 = p[s + 1], &p2 = p[s + 2], &p3 = p[s + 3];
        const double length = std::hypot(p1.x - p0.x, p1.y - p0.y) +
                              std::hypot(p2.x - p1.x, p2.y - p1.y) +
                              std::hypot(p3.x - p2.x, p3.y - p2.y);
        const int pieces = static_cast<int>(std::clamp(std::ceil(length / 3), 1.0, 512.0));
        for (int k = 1; k <= pieces; ++k) {
            const double t = static_cast<double>(k) / pieces, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            result.push_back(PointD{a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                                    a * p0.y + b * p1.y + c * p2.y + d * p3.y});
        }
    }
    return result;
}

bool AllNear(const std::vector<PointD>& points) {
    return std::all_of(points.begin(), points.end(), [](const PointD& p) {
        return std::abs(p.x) < kFarAway && std::abs(p.y) < kFarAway;
    });
}

std::uint32_t ToRgb(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

void SetSource(cairo_t* cr, COLORREF colour) {
    cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                         GetBValue(colour) / 255.0);
}

// A mix mode's truth table: bit (2·pen + pixel) tells the result for those two bits. The
// sixteen codes R2_BLACK (1) to R2_WHITE (16) are the sixteen tables in order.
unsigned TruthTable(int rop) {
    return rop >= 1 && rop <= 16 ? static_cast<unsigned>(rop - 1) : 12;
}

bool DependsOnPixel(int rop) {
    const unsigned t = TruthTable(rop);
    return (t & 1) != ((t >> 1) & 1) || ((t >> 2) & 1) != ((t >> 3) & 1);
}

std::uint32_t MixBits(std::uint32_t pen, std::uint32_t pixel, int rop) {
    const unsigned t = TruthTable(rop);
    auto all = [t](unsigned bit) { return (t >> bit) & 1 ? 0xFFFFFFFFu : 0u; };
    return ((all(0) & ~pen & ~pixel) | (all(1) & ~pen & pixel) | (all(2) & pen & ~pixel) |
            (all(3) & pen & pixel)) &
           0xFFFFFF;
}

// One pixel of a Cairo image (premultiplied 0xAARRGGBB) combined with a colour.
std::uint32_t MixPixel(std::uint32_t pixel, COLORREF colour, int rop, bool hasAlpha) {
    std::uint32_t alpha = hasAlpha ? pixel >> 24 : 255;
    std::uint32_t rgb = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t c = (pixel >> shift) & 0xFF;
        const std::uint32_t straight =
            alpha == 0 ? 0 : std::min(255u, (c * 255 + alpha / 2) / alpha);
        rgb |= straight << shift;
    }
    rgb = MixBits(ToRgb(colour), rgb, rop);
    if (!DependsOnPixel(rop))
        alpha = 255;
    std::uint32_t result = alpha << 24;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= (((rgb >> shift) & 0xFF) * alpha + 127) / 255 << shift;
    return result;
}

// Where a write stream goes: an open file and the first errno a write met.
struct FileSink {
    std::FILE* file = nullptr;
    int error = 0;
};

cairo_status_t WriteToSink(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<FileSink*>(closure);
    if (sink->error != 0)
        return CAIRO_STATUS_WRITE_ERROR;
    if (std::fwrite(data, 1, length, sink->file) != length) {
        sink->error = errno != 0 ? errno : EIO;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

std::FILE* OpenForWriting(const char* path) {
    if (!path)
        throw CInvalidArgException();
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        const int error = errno;
        throw CFileException(CFileException::CauseFromErrno(error), error, CString(path));
    }
    return file;
}

// Closes the file and throws for the first error met while writing or closing it.
void CloseSink(FileSink& sink, cairo_status_t status, const char* path) {
    int error = sink.error;
    if (std::fclose(sink.file) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    sink.file = nullptr;
    if (error != 0)
        throw CFileException(CFileException::CauseFromErrno(error), error, CString(path));
    if (status != CAIRO_STATUS_SUCCESS)
        throw CFileException(CFileException::generic, 0, CString(path));
}

// An 8-bit mask surface with its drawing context, kept from one primitive to the next and
// grown to the largest box asked for, so that a primitive costs no surface of its own.
class Scratch {
public:
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() { Release(); }

    // Room for a width x height mask; its first width columns of height rows are cleared.
    void Prepare(int width, int height) {
        if (width > m_width || height > m_height) {
            Release();
            m_width = std::max(width, m_width);
            m_height = std::max(height, m_height);
            m_stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, m_width);
            m_data.assign(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(m_height),
                          0);
            m_mask = cairo_image_surface_create_for_data(m_data.data(), CAIRO_FORMAT_A8, m_width,
                                                         m_height, m_stride);
            m_cr = cairo_create(m_mask);
            cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
            cairo_set_source_rgba(m_cr, 0, 0, 0, 1);
            return;
        }
        cairo_surface_flush(m_mask);
        for (int row = 0; row < height; ++row)
            std::memset(Row(row), 0, static_cast<std::size_t>(width));
        cairo_surface_mark_dirty_rectangle(m_mask, 0, 0, width, height);
    }

    BYTE* Row(int row) { return m_data.data() + static_cast<std::size_t>(row) * m_stride; }
    const BYTE* Row(int row) const {
        return m_data.data() + static_cast<std::size_t>(row) * m_stride;
    }

    // Lets draw(cr) add aliased shapes at full coverage within the first width x height
    // pixels; the clip keeps the rest of the mask clean for the next primitive.
    template <class Draw> void Render(int width, int height, Draw draw) {
        cairo_save(m_cr);
        cairo_rectangle(m_cr, 0, 0, width, height);
        cairo_clip(m_cr);
        draw(m_cr);
        cairo_restore(m_cr);
        cairo_surface_flush(m_mask);
    }

private:
    void Release() {
        if (m_cr)
            cairo_destroy(m_cr);
        if (m_mask) {
            cairo_surface_finish(m_mask);
            cairo_surface_destroy(m_mask);
        }
        m_cr = nullptr;
        m_mask = nullptr;
    }

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<BYTE> m_data;
    cairo_surface_t* m_mask = nullptr;
    cairo_t* m_cr = nullptr;
};

// The pixels a primitive covers, over a box of the image: 0 for none, kGap for the gaps of
// a styled pen, kInk for the pen or brush. Each pixel is combined once, however many
// times the primitive passes over it. The levels live in the surface's scratch mask.
class Coverage {
public:
    Coverage(const Box& box, Scratch& scratch) : m_scratch(scratch) {
        if (box.Empty())
            return;
        m_box = box;
        m_width = static_cast<int>(box.right - box.left);
        m_height = static_cast<int>(box.bottom - box.top);
        m_scratch.Prepare(m_width, m_height);
    }

    bool Empty() const { return m_width == 0; }
    const Box& Area() const { return m_box; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Mark(Int x, Int y, BYTE level) {
        if (x < m_box.left || x >= m_box.right || y < m_box.top || y >= m_box.bottom)
            return;
        BYTE& value = m_scratch.Row(
            static_cast<int>(y - m_box.top))[static_cast<std::size_t>(x - m_box.left)];
        value = std::max(value, level);
    }
    BYTE At(int column, int row) const {
        return m_scratch.Row(row)[static_cast<std::size_t>(column)];
    }

    // The centre of a device pixel in the coordinates that Render draws in.
    PointD Local(const PointD& device) const {
        return PointD{device.x - static_cast<double>(m_box.left) + 0.5,
                      device.y - static_cast<double>(m_box.top) + 0.5};
    }

    // Lets draw(cr) add aliased shapes at full coverage.
    template <class Draw> void Render(Draw draw) {
        if (!Empty())
            m_scratch.Render(m_width, m_height, draw);
    }

private:
    Scratch& m_scratch;
    Box m_box;
    int m_width = 0;
    int m_height = 0;
};

// The current pen as the framework draws it.
struct PenShape {
    bool visible = true;
    COLORREF colour = 0;
    int width = 1;
    int on = 0; // pattern lengths in pixels; 0 for a solid pen
    int off = 0;

    bool Styled() const { return on > 0; }
    bool InkAt(Int index) const { return !Styled() || index % (on + off) < on; }
};

// A one-pixel line from a to b without b, as the framework steps it: one pixel for each step
// along the major axis, the minor coordinate rounded to the nearest (halves toward a). Only
// the steps that land inside the coverage are visited, so far-away ends cost nothing.
void MarkThinLine(Coverage& coverage, Int ax, Int ay, Int bx, Int by, const PenShape& pen,
                  bool opaque, Int phase) {
    const Int dx = bx - ax, dy = by - ay;
    const std::uint64_t adx = static_cast<std::uint64_t>(dx < 0 ? -dx : dx);
    const std::uint64_t ady = static_cast<std::uint64_t>(dy < 0 ? -dy : dy);
    const std::uint64_t steps = std::max(adx, ady);
    if (steps == 0 || coverage.Empty())
        return;
    const bool xMajor = adx >= ady;
    const Int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const Int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const Int major0 = xMajor ? ax : ay, minor0 = xMajor ? ay : ax;
    const std::uint64_t minorLength = xMajor ? ady : adx;
    const Box& box = coverage.Area();
    const Int low = xMajor ? box.left : box.top, high = (xMajor ? box.right : box.bottom) - 1;
    Int first = majorSign > 0 ? low - major0 : major0 - high;
    Int last = majorSign > 0 ? high - major0 : major0 - low;
    first = std::max<Int>(first, 0);
    last = std::min(last, static_cast<Int>(steps) - 1);
    for (Int i = first; i <= last; ++i) {
        const std::uint64_t product = static_cast<std::uint64_t>(i) * minorLength;
        std::uint64_t offset = product / steps;
        if (2 * (product % steps) > steps)
            ++offset;
        const Int major = major0 + majorSign * i;
        const Int minor = minor0 + minorSign * static_cast<Int>(offset);
        const BYTE level = pen.InkAt(phase + i) ? kInk : opaque ? kGap : 0;
        if (level != 0)
            coverage.Mark(xMajor ? major : minor, xMajor ? minor : major, level);
    }
}

struct FontMetrics {
    cairo_scaled_font_t* font = nullptr;
    LONG height = 0;
    LONG ascent = 0;
    LONG descent = 0;
    LONG internalLeading = 0;
    LONG externalLeading = 0;
    LONG aveCharWidth = 0;
    LONG maxCharWidth = 0;
    LONG weight = FW_NORMAL;
    bool italic = false;
};

// A font's design measures in font units, read from its tables.
struct DesignMetrics {
    double unitsPerEm = 0;
    double ascent = 0;
    double descent = 0;
    double lineGap = 0;
    double aveCharWidth = 0;
    double maxCharWidth = 0;
    LONG weight = FW_NORMAL;
    bool italic = false;
};

DesignMetrics ReadDesignMetrics(cairo_scaled_font_t* font) {
    DesignMetrics design;
    FT_Face face = cairo_ft_scaled_font_lock_face(font);
    if (!face)
        return design;
    if (face->units_per_EM != 0) {
        design.unitsPerEm = face->units_per_EM;
        design.ascent = face->ascender;
        design.descent = -face->descender;
        design.lineGap = std::max(0, face->height - face->ascender + face->descender);
        design.maxCharWidth = face->max_advance_width;
        design.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        // The framework's character cell is the Windows ascent and descent where the font
        // has them.
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->version != 0xFFFF) {
            if (os2->usWinAscent + os2->usWinDescent > 0) {
                design.ascent = os2->usWinAscent;
                design.descent = os2->usWinDescent;
            }
            design.aveCharWidth = os2->xAvgCharWidth;
            if (os2->usWeightClass != 0)
                design.weight = os2->usWeightClass;
        }
    }
    cairo_ft_scaled_font_unlock_face(font);
    return design;
}

// Glyphs of Windows-1252 text in a font, starting at an origin, and their advance width.
class GlyphRun {
public:
    GlyphRun(cairo_scaled_font_t* font, const CString& text, double x, double y) {
        const std::string utf8 = ToUtf8(text);
        if (utf8.empty() ||
            cairo_scaled_font_text_to_glyphs(font, x, y, utf8.data(), static_cast<int>(utf8.size()),
                                             &m_glyphs, &m_count, nullptr, nullptr,
                                             nullptr) != CAIRO_STATUS_SUCCESS ||
            m_count <= 0)
            return;
        cairo_text_extents_t last;
        cairo_scaled_font_glyph_extents(font, &m_glyphs[m_count - 1], 1, &last);
        m_advance = m_glyphs[m_count - 1].x - x + last.x_advance;
    }
    ~GlyphRun() { cairo_glyph_free(m_glyphs); }
    GlyphRun(const GlyphRun&) = delete;
    GlyphRun& operator=(const GlyphRun&) = delete;

    const cairo_glyph_t* Glyphs() const { return m_glyphs; }
    int Count() const { return m_count; }
    double Advance() const { return m_advance; }
    // The advance in whole pixels, rounded up.
    LONG Width() const { return static_cast<LONG>(std::ceil(m_advance - 1e-6)); }

private:
    cairo_glyph_t* m_glyphs = nullptr;
    int m_count = 0;
    double m_advance = 0;
};

// The colour a vector surface paints for a mix mode, or false when it paints nothing.
bool VectorColour(int rop, COLORREF colour, COLORREF& result) {
    if (rop == R2_NOP)
        return false;
    if (DependsOnPixel(rop)) {
        result = colour;
        return true;
    }
    const std::uint32_t rgb = MixBits(ToRgb(colour), 0, rop);
    result = RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
    return true;
}

// Adds an outline through pixel centres to a vector path. Points far off the page are
// clipped segment by segment; otherwise the path is one figure with its joins.
void AddVectorOutline(cairo_t* cr, const std::vector<PointD>& points, bool closed, double left,
                      double top, double right, double bottom) {
    if (AllNear(points)) {
        cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
        for (std::size_t i = 1; i < points.size(); ++i)
            cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
        if (closed)
            cairo_close_path(cr);
        return;
    }
    const std::size_t segments = closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        PointD a = points[i], b = points[(i + 1) % points.size()];
        if (ClipSegment(a, b, left, top, right, bottom)) {
            cairo_move_to(cr, a.x + 0.5, a.y + 0.5);
            cairo_line_to(cr, b.x + 0.5, b.y + 0.5);
        }
    }
}

double OutlineLength(const std::vector<PointD>& points, bool closed) {
    double length = 0;
    const std::size_t segments = closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const PointD& a = points[i];
        const PointD& b = points[(i + 1) % points.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

} // namespace

// The state that a primitive draws with, read from the context once per call.
struct CCairoDC::Paint {
    PenShape pen;
    bool brushVisible = true;
    COLORREF brush = 0;
    int rop = R2_COPYPEN;
    bool opaque = true;
    COLORREF background = 0;
    bool evenOdd = true;
};

// The Cairo surface with its context, the file it writes, the font in use and the style
// position of connected lines.
class CCairoDC::Surface {
public:
    enum class Kind { image, pdf, svg };

    Surface(Kind kind, int width, int height, bool hasAlpha)
        : m_kind(kind), m_width(width), m_height(height), m_hasAlpha(hasAlpha) {
        m_fontOptions = cairo_font_options_create();
        cairo_font_options_set_antialias(m_fontOptions, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(m_fontOptions, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(m_fontOptions, CAIRO_HINT_METRICS_OFF);
    }

    ~Surface() {
        // A file still open is completed quietly; Finish is the way to hear of errors.
        if (m_sink.file) {
            if (m_surface)
                cairo_surface_finish(m_surface);
            std::fclose(m_sink.file);
        }
        ReleaseFont();
        cairo_font_options_destroy(m_fontOptions);
        if (m_cr)
            cairo_destroy(m_cr);
        if (m_surface)
            cairo_surface_destroy(m_surface);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    static std::unique_ptr<Surface> NewImage(int width, int height, PixelFormat format) {
        if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
            throw CInvalidArgException();
        const bool hasAlpha = format == PixelFormat::argb32;
        auto surface = std::make_unique<Surface>(Kind::image, width, height, hasAlpha);
        surface->Attach(cairo_image_surface_create(
            hasAlpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height));
        return surface;
    }

    static std::unique_ptr<Surface> NewImageOver(BYTE* pixels, int width, int height, int stride,
                                                 PixelFormat format) {
        if (!pixels || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
            stride < 4 * width)
            throw CInvalidArgException();
        const bool hasAlpha = format == PixelFormat::argb32;
        auto surface = std::make_unique<Surface>(Kind::image, width, height, hasAlpha);
        surface->Attach(cairo_image_surface_create_for_data(
            pixels, hasAlpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height, stride));
        return surface;
    }

    static std::unique_ptr<Surface> NewFile(Kind kind, const char* path, double width,
                                            double height) {
        if (!(width > 0 && width <= kMaxSide && height > 0 && height <= kMaxSide))
            throw CInvalidArgException();
        auto surface = std::make_unique<Surface>(kind, static_cast<int>(std::ceil(width)),
                                                 static_cast<int>(std::ceil(height)), false);
        surface->m_sink.file = OpenForWriting(path);
        surface->m_path = CString(path);
        surface->Attach(kind == Kind::pdf ? cairo_pdf_surface_create_for_stream(
                                                WriteToSink, &surface->m_sink, width, height)
                                          : cairo_svg_surface_create_for_stream(
                                                WriteToSink, &surface->m_sink, width, height));
        return surface;
    }

    Kind GetKind() const { return m_kind; }
    bool IsImage() const { return m_kind == Kind::image; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Finished() const { return m_finished; }
    cairo_t* Context() const { return m_cr; }
    Box Bounds() const { return Box{0, 0, m_width, m_height}; }

    void Finish() {
        if (m_finished || IsImage())
            return;
        m_finished = true;
        cairo_surface_finish(m_surface);
        CloseSink(m_sink, cairo_surface_status(m_surface), m_path.GetString());
    }

    void WritePng(const char* path) const {
        FileSink sink{OpenForWriting(path), 0};
        cairo_surface_flush(m_surface);
        const cairo_status_t status =
            cairo_surface_write_to_png_stream(m_surface, WriteToSink, &sink);
        CloseSink(sink, status, path);
    }

    // Each covered pixel combined with the ink colour, or the gap colour for gap pixels.
    void Combine(const Coverage& coverage, COLORREF ink, COLORREF gap, int rop) {
        if (coverage.Empty() || rop == R2_NOP)
            return;
        const Box& box = coverage.Area();
        if (!DependsOnPixel(rop)) {
            // The result does not depend on the pixel beneath: two values serve every pixel.
            const std::uint32_t inkPixel = MixPixel(0, ink, rop, m_hasAlpha);
            const std::uint32_t gapPixel = MixPixel(0, gap, rop, m_hasAlpha);
            ForEachPixel(box, [&](int column, int row, std::uint32_t& pixel) {
                const BYTE level = coverage.At(column, row);
                if (level != 0)
                    pixel = level >= kInkThreshold ? inkPixel : gapPixel;
            });
            return;
        }
        ForEachPixel(box, [&](int column, int row, std::uint32_t& pixel) {
            const BYTE level = coverage.At(column, row);
            if (level != 0)
                pixel = MixPixel(pixel, level >= kInkThreshold ? ink : gap, rop, m_hasAlpha);
        });
    }

    void CombineBox(const Box& area, COLORREF colour, int rop) {
        const Box box = area.Intersect(Bounds());
        if (box.Empty() || rop == R2_NOP)
            return;
        const bool constant = !DependsOnPixel(rop);
        const std::uint32_t fixed = constant ? MixPixel(0, colour, rop, m_hasAlpha) : 0;
        ForEachPixel(box, [&](int, int, std::uint32_t& pixel) {
            pixel = constant ? fixed : MixPixel(pixel, colour, rop, m_hasAlpha);
        });
    }

    // Writes the host's pixels: bytesPerPixel 1 is grey, 3 is red, green, blue.
    void Load(const BYTE* pixels, int stride, int bytesPerPixel) {
        ForEachPixel(Bounds(), [&](int column, int row, std::uint32_t& pixel) {
            const BYTE* source = pixels + static_cast<std::size_t>(row) * stride +
                                 static_cast<std::size_t>(column) * bytesPerPixel;
            const BYTE r = source[0];
            const BYTE g = bytesPerPixel == 3 ? source[1] : r;
            const BYTE b = bytesPerPixel == 3 ? source[2] : r;
            pixel = 0xFF000000u | ToRgb(RGB(r, g, b));
        });
    }

    COLORREF GetPixel(int x, int y) const {
        if (!IsImage() || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return noPixel;
        cairo_surface_flush(m_surface);
        std::uint32_t pixel;
        std::memcpy(&pixel,
                    cairo_image_surface_get_data(m_surface) +
                        static_cast<std::size_t>(y) * cairo_image_surface_get_stride(m_surface) +
                        static_cast<std::size_t>(x) * 4,
                    sizeof pixel);
        const std::uint32_t alpha = m_hasAlpha ? pixel >> 24 : 255;
        auto channel = [&](int shift) {
            const std::uint32_t c = (pixel >> shift) & 0xFF;
            return static_cast<BYTE>(alpha == 0 ? 0
                                                : std::min(255u, (c * 255 + alpha / 2) / alpha));
        };
        return RGB(channel(16), channel(8), channel(0));
    }

    // The font for a device LOGFONT, loaded on first use after InvalidateFont.
    const FontMetrics& Font(const LOGFONT& font) {
        if (!m_fontValid) {
            ReleaseFont();
            m_font = LoadFont(font);
            m_fontValid = true;
        }
        return m_font;
    }
    void InvalidateFont() { m_fontValid = false; }

    // Style continuity of LineTo: the pattern goes on while each line starts where the last
    // one ended.
    bool lineOpen = false;
    POINT lineEnd{};
    double linePhase = 0;

    // Draws the outline through device points in the pen, starting the pattern at phase, and
    // returns the phase after it. Open outlines leave out their last point.
    double StrokeOutline(const std::vector<PointD>& points, bool closed, const Paint& paint,
                         double phase) {
        const PenShape& pen = paint.pen;
        if (!pen.visible || m_finished)
            return phase;
        const std::size_t segments = closed ? points.size() : points.size() - 1;
        if (!IsImage()) {
            const double reach = pen.width + 16.0;
            StrokeVector(paint, phase, [&](cairo_t* cr) {
                AddVectorOutline(cr, points, closed, -reach, -reach, m_width + reach,
                                 m_height + reach);
            });
            return phase + OutlineLength(points, closed);
        }
        Coverage coverage(BoundsOf(points, pen.width / 2 + 2).Intersect(Bounds()), m_scratch);
        if (pen.width == 1) {
            std::vector<Int> xs, ys;
            for (const PointD& p : points) {
                xs.push_back(std::llround(p.x));
                ys.push_back(std::llround(p.y));
            }
            Int steps = 0;
            for (std::size_t i = 0; i < segments; ++i) {
                const std::size_t j = (i + 1) % points.size();
                MarkThinLine(coverage, xs[i], ys[i], xs[j], ys[j], pen, paint.opaque,
                             static_cast<Int>(phase) + steps);
                steps += std::max(std::abs(xs[j] - xs[i]), std::abs(ys[j] - ys[i]));
            }
            // A closed figure that has shrunk to a point is that one pixel.
            if (closed && steps == 0)
                coverage.Mark(xs[0], ys[0], kInk);
            phase += static_cast<double>(steps);
        } else {
            coverage.Render([&](cairo_t* cr) {
                cairo_set_line_width(cr, pen.width);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                // Separate round-capped segments cover what a round-joined figure does, and
                // each may be clipped on its own.
                const double reach = pen.width + 2.0;
                for (std::size_t i = 0; i < segments; ++i) {
                    PointD a = coverage.Local(points[i]);
                    PointD b = coverage.Local(points[(i + 1) % points.size()]);
                    if (ClipSegment(a, b, -reach, -reach, coverage.Width() + reach,
                                    coverage.Height() + reach)) {
                        cairo_move_to(cr, a.x, a.y);
                        cairo_line_to(cr, b.x, b.y);
                    }
                }
                cairo_stroke(cr);
            });
        }
        Combine(coverage, pen.colour, paint.background, paint.rop);
        return phase;
    }

    // Cubic Bézier segments in the pen. Vector surfaces keep the curves themselves when
    // Cairo can hold their coordinates; elsewhere they are drawn as an open outline.
    void StrokeBezier(const POINT* points, int count, const Paint& paint) {
        const std::vector<PointD> controls = ToPoints(points, count);
        if (IsImage() || !AllNear(controls)) {
            StrokeOutline(FlattenBezier(points, count), false, paint, 0);
            return;
        }
        if (!paint.pen.visible || m_finished)
            return;
        StrokeVector(paint, 0, [&](cairo_t* cr) {
            cairo_move_to(cr, controls[0].x + 0.5, controls[0].y + 0.5);
            for (std::size_t i = 1; i + 2 < controls.size(); i += 3)
                cairo_curve_to(cr, controls[i].x + 0.5, controls[i].y + 0.5,
                               controls[i + 1].x + 0.5, controls[i + 1].y + 0.5,
                               controls[i + 2].x + 0.5, controls[i + 2].y + 0.5);
        });
    }

    // Fills a polygon through device points in the brush and fill mode.
    void FillPolygon(const std::vector<PointD>& points, const Paint& paint) {
        if (!paint.brushVisible || m_finished)
            return;
        const cairo_fill_rule_t rule =
            paint.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING;
        auto fill = [rule](cairo_t* cr, const std::vector<PointD>& polygon) {
            cairo_set_fill_rule(cr, rule);
            for (const PointD& p : polygon)
                cairo_line_to(cr, p.x, p.y);
            cairo_close_path(cr);
            cairo_fill(cr);
        };
        if (IsImage()) {
            Coverage coverage(BoundsOf(points, 2).Intersect(Bounds()), m_scratch);
            coverage.Render([&](cairo_t* cr) {
                std::vector<PointD> local;
                for (const PointD& p : points)
                    local.push_back(coverage.Local(p));
                fill(cr, ClipPolygon(std::move(local), -2, -2, coverage.Width() + 2.0,
                                     coverage.Height() + 2.0));
            });
            Combine(coverage, paint.brush, paint.brush, paint.rop);
            return;
        }
        COLORREF colour = 0;
        if (!VectorColour(paint.rop, paint.brush, colour))
            return;
        std::vector<PointD> centres;
        for (const PointD& p : points)
            centres.push_back(PointD{p.x + 0.5, p.y + 0.5});
        const double reach = 16.0;
        cairo_save(m_cr);
        SetSource(m_cr, colour);
        fill(m_cr,
             ClipPolygon(std::move(centres), -reach, -reach, m_width + reach, m_height + reach));
        cairo_restore(m_cr);
    }

    // Fills whole pixels: left..right-1 by top..bottom-1.
    void FillPixels(const Box& area, COLORREF colour, int rop) {
        const Box box = area.Intersect(Bounds());
        if (box.Empty() || m_finished)
            return;
        if (IsImage()) {
            CombineBox(box, colour, rop);
            return;
        }
        COLORREF paint = 0;
        if (!VectorColour(rop, colour, paint))
            return;
        cairo_save(m_cr);
        cairo_rectangle(m_cr, static_cast<double>(box.left), static_cast<double>(box.top),
                        static_cast<double>(box.right - box.left),
                        static_cast<double>(box.bottom - box.top));
        SetSource(m_cr, paint);
        cairo_fill(m_cr);
        cairo_restore(m_cr);
    }

private:
    // Strokes the path that addPath(cr) makes on a vector surface, the pattern starting at
    // phase; the gaps of a styled pen are painted first on an opaque background.
    template <class AddPath> void StrokeVector(const Paint& paint, double phase, AddPath addPath) {
        const PenShape& pen = paint.pen;
        COLORREF ink = 0, gap = 0;
        if (!VectorColour(paint.rop, pen.colour, ink) ||
            !VectorColour(paint.rop, paint.background, gap))
            return;
        cairo_save(m_cr);
        addPath(m_cr);
        cairo_set_line_width(m_cr, pen.width);
        cairo_set_line_cap(m_cr, pen.width == 1 ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(m_cr, pen.width == 1 ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
        if (pen.Styled()) {
            if (paint.opaque) {
                SetSource(m_cr, gap);
                cairo_stroke_preserve(m_cr);
            }
            const double dashes[2] = {static_cast<double>(pen.on), static_cast<double>(pen.off)};
            cairo_set_dash(m_cr, dashes, 2, std::fmod(phase, pen.on + pen.off));
        }
        SetSource(m_cr, ink);
        cairo_stroke(m_cr);
        cairo_restore(m_cr);
    }

    void Attach(cairo_surface_t* surface) {
        m_surface = surface;
        const cairo_status_t status = cairo_surface_status(surface);
        if (status == CAIRO_STATUS_NO_MEMORY)
            throw CMemoryException();
        if (status != CAIRO_STATUS_SUCCESS)
            throw CFileException(CFileException::generic, 0, m_path);
        m_cr = cairo_create(surface);
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    }

    template <class Visit> void ForEachPixel(const Box& box, Visit visit) {
        cairo_surface_flush(m_surface);
        unsigned char* data = cairo_image_surface_get_data(m_surface);
        const int stride = cairo_image_surface_get_stride(m_surface);
        for (Int y = box.top; y < box.bottom; ++y) {
            unsigned char* row = data + static_cast<std::size_t>(y) * stride;
            for (Int x = box.left; x < box.right; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, row + x * 4, sizeof pixel);
                visit(static_cast<int>(x - box.left), static_cast<int>(y - box.top), pixel);
                std::memcpy(row + x * 4, &pixel, sizeof pixel);
            }
        }
        cairo_surface_mark_dirty_rectangle(
            m_surface, static_cast<int>(box.left), static_cast<int>(box.top),
            static_cast<int>(box.right - box.left), static_cast<int>(box.bottom - box.top));
    }

    FontMetrics LoadFont(const LOGFONT& logFont) const {
        const std::size_t nameLength = strnlen(logFont.lfFaceName, LF_FACESIZE);
        std::string family = ToUtf8(CString(logFont.lfFaceName, static_cast<int>(nameLength)));
        if (family.empty())
            family = kDefaultFace;
        FcPattern* request = FcPatternCreate();
        FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(request, FC_WEIGHT,
                            logFont.lfWeight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(request, FC_SLANT, logFont.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, request, FcMatchPattern);
        FcDefaultSubstitute(request);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, request, &result);
        FcPatternDestroy(request);
        if (!match)
            return FontMetrics{};
        FcBool emboldened = FcFalse;
        FcPatternGetBool(match, FC_EMBOLDEN, 0, &emboldened);
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);

        cairo_matrix_t unit, identity;
        cairo_matrix_init_identity(&unit);
        cairo_matrix_init_identity(&identity);
        cairo_scaled_font_t* probe =
            cairo_scaled_font_create(face, &unit, &identity, m_fontOptions);
        const DesignMetrics design = ReadDesignMetrics(probe);
        cairo_scaled_font_destroy(probe);
        if (design.unitsPerEm <= 0 || design.ascent + design.descent <= 0) {
            cairo_font_face_destroy(face);
            return FontMetrics{};
        }

        // A positive height is the cell, a negative one the em.
        const double units = design.unitsPerEm;
        const double em =
            std::min(kMaxEm, logFont.lfHeight > 0
                                 ? logFont.lfHeight * units / (design.ascent + design.descent)
                                 : -static_cast<double>(logFont.lfHeight));
        auto pixels = [em, units](double designValue) {
            return static_cast<LONG>(std::lround(em * designValue / units));
        };
        FontMetrics metrics;
        metrics.ascent = pixels(design.ascent);
        // A cell height is kept exactly, as the framework does.
        const bool exactCell = logFont.lfHeight > 0 && em < kMaxEm;
        metrics.descent = exactCell ? logFont.lfHeight - metrics.ascent : pixels(design.descent);
        metrics.height = metrics.ascent + metrics.descent;
        metrics.internalLeading = std::max<LONG>(0, metrics.height - std::lround(em));
        metrics.externalLeading = pixels(design.lineGap);
        metrics.maxCharWidth = static_cast<LONG>(std::ceil(em * design.maxCharWidth / units));
        metrics.weight = emboldened ? std::max<LONG>(design.weight, FW_BOLD) : design.weight;
        metrics.italic = design.italic || slant != FC_SLANT_ROMAN;

        cairo_matrix_t size;
        cairo_matrix_init_scale(&size, em, em);
        metrics.font = cairo_scaled_font_create(face, &size, &identity, m_fontOptions);
        cairo_font_face_destroy(face);
        if (cairo_scaled_font_status(metrics.font) != CAIRO_STATUS_SUCCESS) {
            cairo_scaled_font_destroy(metrics.font);
            return FontMetrics{};
        }
        metrics.aveCharWidth = design.aveCharWidth > 0
                                   ? pixels(design.aveCharWidth)
                                   : GlyphRun(metrics.font, CString("x"), 0, 0).Width();
        return metrics;
    }

    void ReleaseFont() {
        if (m_font.font)
            cairo_scaled_font_destroy(m_font.font);
        m_font = FontMetrics{};
    }

    Kind m_kind;
    int m_width;
    int m_height;
    bool m_hasAlpha;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
    FileSink m_sink;
    CString m_path;
    bool m_finished = false;
    cairo_font_options_t* m_fontOptions = nullptr;
    FontMetrics m_font;
    bool m_fontValid = false;
    Scratch m_scratch;
};

std::unique_ptr<CCairoDC> CCairoDC::CreateImage(int width, int height, COLORREF background,
                                                PixelFormat format) {
    auto surface = Surface::NewImage(width, height, format);
    surface->CombineBox(surface->Bounds(), background, R2_COPYPEN);
    return std::unique_ptr<CCairoDC>(new CCairoDC(std::move(surface)));
}

std::unique_ptr<CCairoDC> CCairoDC::CreateImageFromGrey(const BYTE* pixels, int width, int height,
                                                        int stride, PixelFormat format) {
    if (!pixels || stride < width)
        throw CInvalidArgException();
    auto surface = Surface::NewImage(width, height, format);
    surface->Load(pixels, stride, 1);
    return std::unique_ptr<CCairoDC>(new CCairoDC(std::move(surface)));
}

std::unique_ptr<CCairoDC> CCairoDC::CreateImageFromRgb(const BYTE* pixels, int width, int height,
                                                       int stride, PixelFormat format) {
    if (!pixels || width < 1 || stride < 3 * static_cast<Int>(width))
        throw CInvalidArgException();
    auto surface = Surface::NewImage(width, height, format);
    surface->Load(pixels, stride, 3);
    return std::unique_ptr<CCairoDC>(new CCairoDC(std::move(surface)));
}

std::unique_ptr<CCairoDC> CCairoDC::CreateImageOver(BYTE* pixels, int width, int height, int stride,
                                                    PixelFormat format) {
    return std::unique_ptr<CCairoDC>(
        new CCairoDC(Surface::NewImageOver(pixels, width, height, stride, format)));
}

std::unique_ptr<CCairoDC> CCairoDC::CreatePdf(const char* path, double widthPoints,
                                              double heightPoints) {
    return std::unique_ptr<CCairoDC>(
        new CCairoDC(Surface::NewFile(Surface::Kind::pdf, path, widthPoints, heightPoints)));
}

std::unique_ptr<CCairoDC> CCairoDC::CreateSvg(const char* path, double widthPoints,
                                              double heightPoints) {
    return std::unique_ptr<CCairoDC>(
        new CCairoDC(Surface::NewFile(Surface::Kind::svg, path, widthPoints, heightPoints)));
}

CCairoDC::CCairoDC(std::unique_ptr<Surface> surface) : m_surface(std::move(surface)) {}

void CCairoDC::DrawGreyImage(const BYTE* pixels, int width, int height, int stride, int x, int y,
                             double scale) {
    if (!pixels || width < 1 || height < 1 || stride < width || !(scale > 0))
        throw CInvalidArgException();
    if (m_surface->Finished())
        return;
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        throw CMemoryException();
    }
    cairo_surface_flush(image);
    BYTE* data = cairo_image_surface_get_data(image);
    const int imageStride = cairo_image_surface_get_stride(image);
    for (int row = 0; row < height; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<Int>(row) * imageStride);
        const BYTE* in = pixels + static_cast<Int>(row) * stride;
        for (int column = 0; column < width; ++column)
            out[column] = 0x010101u * in[column];
    }
    cairo_surface_mark_dirty(image);

    // Each pixel a sharp square: the framework shows zoomed images without smoothing.
    cairo_t* cr = m_surface->Context();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

CCairoDC::~CCairoDC() = default;

bool CCairoDC::IsImage() const {
    return m_surface->IsImage();
}
int CCairoDC::GetWidth() const {
    return m_surface->Width();
}
int CCairoDC::GetHeight() const {
    return m_surface->Height();
}
COLORREF CCairoDC::GetPixel(int x, int y) const {
    return m_surface->GetPixel(x, y);
}

void CCairoDC::WritePng(const char* path) const {
    if (!m_surface->IsImage())
        throw CNotSupportedException();
    m_surface->WritePng(path);
}

void CCairoDC::Finish() {
    m_surface->Finish();
}

int CCairoDC::GetDeviceCaps(int index) const {
    switch (index) {
    case TECHNOLOGY:
        return m_surface->GetKind() == Surface::Kind::pdf ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
        return m_surface->Width();
    case VERTRES:
        return m_surface->Height();
    default:
        return CDC::GetDeviceCaps(index);
    }
}

CCairoDC::Paint CCairoDC::CurrentPaint() const {
    Paint paint;
    const LOGPEN& pen = GetCurrentLogPen();
    paint.pen.visible = pen.lopnStyle != PS_NULL;
    paint.pen.colour = pen.lopnColor;
    paint.pen.width = std::min(DevicePenWidth(), kMaxPenWidth);
    // Styled pens wider than a pixel draw solid, as the framework's do.
    if (paint.pen.width == 1 && pen.lopnStyle == PS_DOT) {
        paint.pen.on = kDotOn;
        paint.pen.off = kDotOff;
    } else if (paint.pen.width == 1 && pen.lopnStyle == PS_DASH) {
        paint.pen.on = kDashOn;
        paint.pen.off = kDashOff;
    }
    const LOGBRUSH& brush = GetCurrentLogBrush();
    paint.brushVisible = brush.lbStyle == BS_SOLID;
    paint.brush = brush.lbColor;
    paint.rop = GetROP2();
    paint.opaque = GetBkMode() == OPAQUE;
    paint.background = GetBkColor();
    paint.evenOdd = GetPolyFillMode() != WINDING;
    return paint;
}

void CCairoDC::OnMoveTo(POINT) {
    m_surface->lineOpen = false;
}

void CCairoDC::OnLineTo(POINT from, POINT to) {
    Surface& surface = *m_surface;
    const bool continues =
        surface.lineOpen && surface.lineEnd.x == from.x && surface.lineEnd.y == from.y;
    const double phase = continues ? surface.linePhase : 0;
    const POINT ends[2] = {from, to};
    surface.linePhase = surface.StrokeOutline(ToPoints(ends, 2), false, CurrentPaint(), phase);
    surface.lineOpen = true;
    surface.lineEnd = to;
}

void CCairoDC::OnPolyline(const POINT* points, int count) {
    m_surface->lineOpen = false;
    m_surface->StrokeOutline(ToPoints(points, count), false, CurrentPaint(), 0);
}

void CCairoDC::OnPolygon(const POINT* points, int count) {
    m_surface->lineOpen = false;
    const Paint paint = CurrentPaint();
    const std::vector<PointD> polygon = ToPoints(points, count);
    m_surface->FillPolygon(polygon, paint);
    m_surface->StrokeOutline(polygon, true, paint, 0);
}

void CCairoDC::OnPolyBezier(const POINT* points, int count) {
    m_surface->lineOpen = false;
    m_surface->StrokeBezier(points, count, CurrentPaint());
}

void CCairoDC::OnRectangle(const RECT& rect) {
    m_surface->lineOpen = false;
    const Int left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    const Int top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    if (right == left || bottom == top)
        return;
    const Paint paint = CurrentPaint();
    // The brush fills inside the border; without a pen the framework's rectangle is one
    // pixel smaller to the right and below.
    if (paint.brushVisible) {
        if (paint.pen.visible)
            m_surface->FillPixels(Box{left + 1, top + 1, right - 1, bottom - 1}, paint.brush,
                                  paint.rop);
        else
            m_surface->FillPixels(Box{left, top, right - 1, bottom - 1}, paint.brush, paint.rop);
    }
    const double l = static_cast<double>(left), t = static_cast<double>(top);
    const double r = static_cast<double>(right - 1), b = static_cast<double>(bottom - 1);
    m_surface->StrokeOutline(std::vector<PointD>{{l, t}, {r, t}, {r, b}, {l, b}}, true, paint, 0);
}

void CCairoDC::OnFillSolidRect(const RECT& rect, COLORREF colour) {
    m_surface->lineOpen = false;
    const Box box{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                  std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    m_surface->FillPixels(box, colour, R2_COPYPEN);
}

void CCairoDC::OnTextOut(POINT at, const CString& text) {
    Surface& surface = *m_surface;
    surface.lineOpen = false;
    const LOGFONT device = DeviceFont();
    const FontMetrics& font = surface.Font(device);
    if (!font.font || surface.Finished() || std::abs(static_cast<double>(at.x)) > kFarAway ||
        std::abs(static_cast<double>(at.y)) > kFarAway)
        return;
    const UINT align = GetTextAlign();
    const GlyphRun measure(font.font, text, 0, 0);
    const LONG width = measure.Width();
    LONG dx = 0, dy = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if (align & TA_RIGHT)
        dx = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -font.ascent;
    else if (align & TA_BOTTOM)
        dy = -font.height;

    cairo_t* cr = surface.Context();
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    // Escapement turns counter-clockwise as seen on the screen, whose y axis points down.
    cairo_rotate(cr, -device.lfEscapement * std::numbers::pi / 1800.0);
    if (GetBkMode() == OPAQUE && width > 0) {
        cairo_rectangle(cr, dx, dy, width, font.height);
        SetSource(cr, GetBkColor());
        cairo_fill(cr);
    }
    const GlyphRun run(font.font, text, dx, dy + font.ascent);
    if (run.Count() > 0) {
        cairo_set_scaled_font(cr, font.font);
        SetSource(cr, GetTextColor());
        cairo_show_glyphs(cr, run.Glyphs(), run.Count());
    }
    // Underline below the baseline and strike-out through the lower case letters, each a
    // bar a twentieth of the cell thick, across the text's advance.
    if ((device.lfUnderline || device.lfStrikeOut) && width > 0) {
        const LONG thickness = std::max<LONG>(1, std::lround(font.height / 20.0));
        const double baseline = dy + font.ascent;
        if (device.lfUnderline)
            cairo_rectangle(cr, dx, baseline + std::max<LONG>(1, font.descent / 2) - thickness / 2,
                            width, thickness);
        if (device.lfStrikeOut)
            cairo_rectangle(cr, dx, baseline - std::lround(font.ascent * 0.3) - thickness / 2,
                            width, thickness);
        SetSource(cr, GetTextColor());
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

SIZE CCairoDC::OnGetTextExtent(const CString& text) const {
    const FontMetrics& font = m_surface->Font(DeviceFont());
    if (!font.font)
        return SIZE{0, 0};
    return SIZE{GlyphRun(font.font, text, 0, 0).Width(), font.height};
}

void CCairoDC::OnGetTextMetrics(TEXTMETRIC& metrics) const {
    const FontMetrics& font = m_surface->Font(DeviceFont());
    metrics = TEXTMETRIC{};
    metrics.tmHeight = font.height;
    metrics.tmAscent = font.ascent;
    metrics.tmDescent = font.descent;
    metrics.tmInternalLeading = font.internalLeading;
    metrics.tmExternalLeading = font.externalLeading;
    metrics.tmAveCharWidth = font.aveCharWidth;
    metrics.tmMaxCharWidth = font.maxCharWidth;
    metrics.tmWeight = font.weight;
    metrics.tmItalic = font.italic ? 1 : 0;
    metrics.tmCharSet = ANSI_CHARSET;
}

void CCairoDC::OnAttributeChanged(Attribute attribute) {
    if (attribute == Attribute::font || attribute == Attribute::mapping)
        m_surface->InvalidateFont();
}

} // namespace vellum
