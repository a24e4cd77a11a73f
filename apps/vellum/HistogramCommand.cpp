// vellum histogram IMAGE --rect L,T,R,B | --line X1,Y1,X2,Y2 [--json] [-o CHART.png]
// [--hilite LEVEL]: the grey-level statistics of a rectangle or of the points along a line,
// gathered as a density area or a density line gathers them, and the bar chart that
// CHistogram::DrawHistogram draws.
//
// A rectangle is clipped to the image first, so that the mean is taken over pixels that
// exist; one that misses the image is refused. Points of a line beyond the image count as
// level 0, as they do in a density line's profile, and the tool says how many there were.

#include "Commands.h"

#include <vellum/density/Histogram.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/LineDDA.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

namespace vellum::tool {

namespace {

constexpr const char* kUsage =
    "usage: vellum histogram IMAGE --rect L,T,R,B | --line X1,Y1,X2,Y2 [--json] "
    "[-o CHART.png] [--hilite LEVEL]";

// The chart: 2 pixels a bin of a rectangle's 256, with a margin for the scale.
constexpr int kChartWidth = 512;
constexpr int kChartHeight = 200;
constexpr int kMarginX = 40;
constexpr int kMarginTop = 30;
constexpr int kMarginBottom = 30;

struct Options {
    std::string image;
    std::optional<RECT> rect;
    std::optional<std::pair<CVector, CVector>> line;
    bool json = false;
    std::string chart;
    std::optional<int> hilite;
};

// Four numbers separated by commas.
std::vector<double> ParseFour(const std::string& text, const std::string& option) {
    std::vector<double> values;
    std::stringstream in(text);
    std::string piece;
    while (std::getline(in, piece, ','))
        values.push_back(ParseNumber(piece, option));
    if (values.size() != 4)
        throw CommandError(option + " needs four numbers separated by commas, not '" + text + "'");
    return values;
}

LONG WholeNumber(double value, const std::string& option) {
    if (value != static_cast<double>(static_cast<long long>(value)) || std::abs(value) > 1e9)
        throw CommandError(option + " needs whole pixel numbers");
    return static_cast<LONG>(value);
}

Options ParseOptions(const Args& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--rect") {
            const auto v = ParseFour(value(), arg);
            options.rect = RECT{WholeNumber(v[0], arg), WholeNumber(v[1], arg),
                                WholeNumber(v[2], arg), WholeNumber(v[3], arg)};
        } else if (arg == "--line") {
            const auto v = ParseFour(value(), arg);
            for (double c : v)
                if (!(std::abs(c) <= 1e9))
                    throw CommandError("--line needs coordinates within a billion pixels");
            options.line = std::make_pair(CVector(v[0], v[1]), CVector(v[2], v[3]));
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "-o") {
            options.chart = value();
        } else if (arg == "--hilite") {
            options.hilite = WholeNumber(ParseNumber(value(), arg), arg);
        } else if (options.image.empty() && !arg.starts_with("-")) {
            options.image = arg;
        } else {
            throw CommandError("unexpected argument '" + arg + "'");
        }
    }
    if (options.image.empty() || options.rect.has_value() == options.line.has_value())
        throw CommandError(kUsage);
    if (!options.chart.empty() && std::filesystem::path(options.chart).extension() != ".png")
        throw CommandError(options.chart + ": the chart must end in .png");
    return options;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

void DrawChart(CHistogram& histogram, const std::string& path, const std::string& caption) {
    const int width = kChartWidth + 2 * kMarginX;
    const int height = kChartHeight + kMarginTop + kMarginBottom;
    try {
        auto dc = CCairoDC::CreateImage(width, height, RGB(250, 250, 250));
        const CRect area(kMarginX, kMarginTop, kMarginX + kChartWidth, kMarginTop + kChartHeight);
        dc->FillSolidRect(&area, RGB(232, 232, 232));
        histogram.SetColor(RGB(40, 60, 120));
        histogram.SetHiliteColor(RGB(230, 120, 0));
        histogram.SetDrawingArea(area);
        histogram.DrawHistogram(dc.get());
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(40, 40, 40));
        dc->TextOut(kMarginX, 6, CString(caption.c_str()));
        const int below = kMarginTop + kChartHeight + 6;
        dc->TextOut(kMarginX, below, "0");
        dc->SetTextAlign(TA_RIGHT);
        const std::string last = std::to_string(histogram.GetSize() - 1);
        dc->TextOut(kMarginX + kChartWidth, below, CString(last.c_str()));
        dc->TextOut(kMarginX - 4, kMarginTop,
                    CString(std::to_string(histogram.GetUpperLimit()).c_str()));
        dc->WritePng(path.c_str());
    } catch (const CException& e) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw CommandError(path + ": " + e.what());
    }
}

} // namespace

int RunHistogram(const Args& args) {
    const Options options = ParseOptions(args);
    const auto image = LoadImage(options.image);

    CHistogram histogram;
    std::string region;
    std::string note;
    int result = 0;
    if (options.rect) {
        RECT r = *options.rect;
        if (r.right <= r.left || r.bottom <= r.top)
            throw CommandError("the rectangle " + Text(r) + " is empty");
        const RECT asked = r;
        r.left = std::max<LONG>(r.left, 0);
        r.top = std::max<LONG>(r.top, 0);
        r.right = std::min<LONG>(r.right, image->Width);
        r.bottom = std::min<LONG>(r.bottom, image->Height);
        if (r.right <= r.left || r.bottom <= r.top)
            throw CommandError("the rectangle " + Text(asked) + " lies outside the " +
                               std::to_string(image->Width) + " x " +
                               std::to_string(image->Height) + " image");
        if (r.left != asked.left || r.top != asked.top || r.right != asked.right ||
            r.bottom != asked.bottom)
            note = "clipped to the image from " + Text(asked);
        region = "rect " + Text(r);
        result = histogram.Init(image.get(), &r);
    } else {
        CVector from = options.line->first;
        CVector to = options.line->second;
        const POINT a = from;
        const POINT b = to;
        if (a.x == b.x && a.y == b.y)
            throw CommandError("the line has no length: it visits no pixel");
        int outside = 0;
        LineDDA(a.x, a.y, b.x, b.y, [&](int x, int y) {
            if (x < 0 || y < 0 || x >= image->Width || y >= image->Height)
                ++outside;
        });
        if (outside > 0)
            note = std::to_string(outside) + " points beyond the image count as level 0";
        region = "line " + std::to_string(a.x) + "," + std::to_string(a.y) + "," +
                 std::to_string(b.x) + "," + std::to_string(b.y);
        result = histogram.Init(image.get(), &from, &to);
    }
    if (result != 1)
        throw CommandError(options.image + ": the image could not be read there");

    // Levels are bins: a rectangle spreads a deep image's full range over 256 of them.
    const int binWidth =
        options.rect && image->BitsPerPixel > 8 ? 1 << (image->BitsPerPixel - 8) : 1;
    const bool any = histogram.GetMinIntensity() <= histogram.GetMaxIntensity();
    if (options.json) {
        std::printf("{\"image\":%s,\"region\":\"%s\",\"bits\":%d,\"bins\":%u,\"binWidth\":%d,",
                    JsonString(options.image).c_str(), region.c_str(), image->BitsPerPixel,
                    histogram.GetSize(), binWidth);
        if (any)
            std::printf("\"minimum\":%u,\"maximum\":%u,", histogram.GetMinIntensity(),
                        histogram.GetMaxIntensity());
        else
            std::printf("\"minimum\":null,\"maximum\":null,");
        std::printf("\"peak\":%u,\"peakCount\":%u,\"mean\":%.6f,\"deviation\":%.6f,\"count\":%u",
                    histogram.GetPeakIntensity(), histogram.GetUpperLimit(),
                    histogram.GetMeanValue(), histogram.GetStandardDeviation(),
                    histogram.GetPixelCount());
        if (!note.empty())
            std::printf(",\"note\":\"%s\"", note.c_str());
        std::printf("}\n");
    } else {
        std::printf("%s%s\n", region.c_str(), note.empty() ? "" : (" (" + note + ")").c_str());
        if (binWidth > 1)
            std::printf("levels     bins of %d grey levels of the %d-bit image\n", binWidth,
                        image->BitsPerPixel);
        if (any)
            std::printf("minimum    %u\nmaximum    %u\n", histogram.GetMinIntensity(),
                        histogram.GetMaxIntensity());
        else
            std::printf("minimum    none\nmaximum    none\n");
        std::printf("peak       %u (%u pixels)\nmean       %.2f\ndeviation  %.2f\ncount      %u\n",
                    histogram.GetPeakIntensity(), histogram.GetUpperLimit(),
                    histogram.GetMeanValue(), histogram.GetStandardDeviation(),
                    histogram.GetPixelCount());
    }
    if (!options.chart.empty()) {
        histogram.SetHiliteIntensity(
            options.hilite.value_or(static_cast<int>(histogram.GetPeakIntensity())));
        char caption[160];
        std::snprintf(caption, sizeof caption, "%s  mean %.2f  deviation %.2f  peak %u",
                      region.c_str(), histogram.GetMeanValue(), histogram.GetStandardDeviation(),
                      histogram.GetPeakIntensity());
        DrawChart(histogram, options.chart, caption);
        if (!options.json)
            std::printf("%s\n", options.chart.c_str());
    }
    return 0;
}

} // namespace vellum::tool
