#include "DensityTesting.h"

#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/density/Histogram.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Lines = std::vector<std::string>;

// 3 × 2, 8 bits.
struct_LEAD_Bitmap SixLevels() {
    return GreyBitmap(3, 2, 8, {10, 20, 30, 40, 50, 60});
}

// 4 × 3, 8 bits; the top row repeats two levels so that a line along it ties them.
struct_LEAD_Bitmap Twelve() {
    return GreyBitmap(4, 3, 8, {9, 3, 9, 3, 1, 2, 3, 4, 5, 6, 7, 8});
}

TEST(Histogram, RectangleGathering) {
    struct Case {
        const char* name;
        struct_LEAD_Bitmap bitmap;
        RECT rect;
        Statistics expected;
    };
    const auto equal = GreyBitmap(3, 2, 8, {7, 7, 7, 7, 7, 7});
    const auto tie = GreyBitmap(4, 1, 8, {2, 1, 2, 1});
    const auto deep = GreyBitmap(2, 2, 16, {0, 65535, 65535, 300});
    const auto twelve = GreyBitmap(2, 1, 12, {4095, 15});
    const auto tooDeep = GreyBitmap(2, 1, 12, {4095, 4096});
    const Statistics none = {0, 65535, 0, 0, 0, 0, 0.0, 0.0};
    Case cases[] = {
        {"all equal", equal, {0, 0, 3, 2}, {1, 7, 7, 7, 6, 6, 7.0, 0.0}},
        {"single pixel", SixLevels(), {1, 1, 2, 2}, {1, 50, 50, 50, 1, 1, 50.0, 0.0}},
        // Rows are flipped for the toolkit: y = 0 is the top row, 10 20 30; the lower level
        // wins the tie.
        {"top row", SixLevels(), {0, 0, 3, 1}, {1, 10, 30, 10, 1, 3, 20.0, 20.0 / 3}},
        {"peak tie in the middle", tie, {0, 0, 4, 1}, {1, 1, 2, 1, 2, 4, 1.5, 0.5}},
        // Clipped by the toolkit, but divided by the area as given.
        {"partly outside", SixLevels(), {-1, 0, 2, 1}, {1, 10, 20, 10, 1, 3, 10.0, 10.0 / 3}},
        {"wholly outside", SixLevels(), {5, 0, 8, 2}, {0, 65535, 0, 0, 0, 6, 0.0, 0.0}},
        {"empty", SixLevels(), {1, 1, 1, 2}, none},
        // 256 levels a bin: 0 → 0, 300 → 1, 65535 → 255 twice.
        {"16 bits with extremes", deep, {0, 0, 2, 2}, {1, 0, 255, 255, 2, 4, 127.75, 127.25}},
        {"12 bits, deepest level", twelve, {0, 0, 2, 1}, {1, 0, 255, 0, 1, 2, 127.5, 127.5}},
        {"12 bits, too deep", tooDeep, {0, 0, 2, 1}, {0, 65535, 0, 0, 0, 2, 0.0, 0.0}},
        {"10 bits", GreyBitmap(2, 1, 10, {1, 2}), {0, 0, 2, 1}, {0, 65535, 0, 0, 0, 2, 0.0, 0.0}},
        {"empty image", GreyBitmap(0, 0, 8, {}), {0, 0, 0, 0}, none},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHistogram h;
        const int result = h.Init(&c.bitmap, &c.rect);
        ExpectStatistics(h, result, c.expected);
        EXPECT_EQ(h.GetSize(), 256u);
        EXPECT_EQ(h.GetBitmap(), &c.bitmap);
        EXPECT_EQ(c.bitmap.AccessCount, 0);
        EXPECT_FALSE(c.bitmap.HasRegion);
    }
}

TEST(Histogram, LineGathering) {
    struct Case {
        const char* name;
        CVector from, to;
        Statistics expected;
    };
    const Case cases[] = {
        {"zero length", {2, 1}, {2, 1}, {1, 65535, 0, 0, 0, 0, 0.0, 0.0}},
        // 9 3 9 3: 9 reaches two first.
        {"top row, first level to a count wins", {0, 0}, {4, 0}, {1, 3, 9, 9, 2, 4, 6.0, 3.0}},
        {"end point excluded", {0, 1}, {3, 1}, {1, 1, 3, 1, 1, 3, 2.0, 2.0 / 3}},
        {"vertical", {0, 0}, {0, 3}, {1, 1, 9, 9, 1, 3, 5.0, 8.0 / 3}},
        // (0.5, 0.4) rounds to (1, 0), (3.49, 0) to (3, 0): levels 3 and 9.
        {"ends rounded", {0.5, 0.4}, {3.49, 0}, {1, 3, 9, 3, 1, 2, 6.0, 3.0}},
        // 7 and 8 inside, two points beyond the right edge fill bin 0 (the deviation, taken over
        // the bins, sees them).
        {"leaves the image", {2, 2}, {6, 2}, {1, 7, 8, 7, 1, 4, 3.75, 3.75}},
        {"row y = height lies outside", {0, 3}, {2, 3}, {1, 65535, 0, 0, 0, 2, 0.0, 0.0}},
        {"right to left", {3, 2}, {0, 2}, {1, 6, 8, 8, 1, 3, 7.0, 2.0 / 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bitmap = Twelve();
        CHistogram h;
        CVector from = c.from, to = c.to;
        const int result = h.Init(&bitmap, &from, &to);
        ExpectStatistics(h, result, c.expected);
        EXPECT_EQ(h.GetSize(), 256u);
        EXPECT_EQ(bitmap.AccessCount, 0);
    }
}

TEST(Histogram, LineLevelsComeFromTheColourTableByTheFirstByte) {
    // An inverted palette: level = 255 − index.
    auto inverted = Twelve();
    for (int i = 0; i < 256; ++i)
        inverted.Colors[static_cast<std::size_t>(i)].rgbRed = static_cast<BYTE>(255 - i);
    CHistogram h;
    CVector from(0, 1), to(2, 1);
    ASSERT_EQ(h.Init(&inverted, &from, &to), 1);
    EXPECT_EQ(h.GetMinIntensity(), 253u);
    EXPECT_EQ(h.GetMaxIntensity(), 254u);
    EXPECT_EQ(h.GetColorTable()[1].rgbRed, 254);

    // 16 bits: one bin per level, but the first (low) byte picks the colour.
    auto deep = GreyBitmap(2, 1, 16, {0x0102, 0x0305});
    CVector a(0, 0), b(2, 0);
    ASSERT_EQ(h.Init(&deep, &a, &b), 1);
    EXPECT_EQ(h.GetSize(), 65536u);
    EXPECT_EQ(h.GetMinIntensity(), 2u);
    EXPECT_EQ(h.GetMaxIntensity(), 5u);

    auto twelve = GreyBitmap(1, 1, 12, {0x0FFF});
    CVector c(0, 0), d(1, 0);
    ASSERT_EQ(h.Init(&twelve, &c, &d), 1);
    EXPECT_EQ(h.GetSize(), 4096u);
    EXPECT_EQ(h.GetMaxIntensity(), 255u);
}

TEST(Histogram, LineFailures) {
    // Data too short for the size: every read inside fails, the points outside still count.
    auto truncated = Twelve();
    truncated.Data.resize(5);
    CHistogram h;
    CVector from(2, 0), to(6, 0);
    EXPECT_EQ(h.Init(&truncated, &from, &to), 0);
    EXPECT_EQ(h.GetPixelCount(), 2u);
    EXPECT_EQ(truncated.AccessCount, 0);

    CVector a(0, 0), b(1, 0);
    EXPECT_EQ(h.Init(nullptr, &a, &b), 0);
    EXPECT_EQ(h.GetSize(), 0u);
    for (int bits : {1, 4, 10, 24, 32}) {
        auto odd = GreyBitmap(1, 1, 8, {1});
        odd.BitsPerPixel = bits;
        EXPECT_EQ(h.Init(&odd, &a, &b), 0) << bits << " bits";
        EXPECT_EQ(h.GetSize(), 0u);
    }
}

// The bars that are not empty, as drawn in device pixels.
Lines Bars(const CRecordingDC& dc) {
    return dc.Lines([](const CRecordingDC::Record& r) {
        return r.name == "LineTo" &&
               (r.points[0].x != r.points[1].x || r.points[0].y != r.points[1].y);
    });
}

TEST(Histogram, ChartMapsBinsAcrossAndCountsUp) {
    // 256 bins over 256 pixels, upper limit 2 over 100 pixels: a count of 1 is 50 pixels.
    auto bitmap = GreyBitmap(4, 1, 8, {2, 1, 2, 1});
    CHistogram h;
    ASSERT_EQ(h.Init(&bitmap), 1);
    h.SetDrawingArea(CRect(10, 20, 266, 120));
    h.SetHiliteIntensity(128);
    CRecordingDC dc;
    h.DrawHistogram(&dc);
    EXPECT_EQ(Bars(dc), (Lines{"LineTo (11,120)-(11,20) pen 0/1/0x00000000 rop 13",
                               "LineTo (12,120)-(12,20) pen 0/1/0x00000000 rop 13",
                               "LineTo (138,120)-(138,20) pen 0/1/0x0000FFFF rop 13"}));
    EXPECT_EQ(dc.LinesNamed("Mapping")[3],
              "Mapping mode 8 window (0,0) ext (256,2) viewport (10,120) ext (256,-100)");
    // The context comes back as it was: text mapping, origin (0, 0), the default pen.
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    EXPECT_EQ(dc.GetCurrentLogPen().lopnColor, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetCurrentLogPen().lopnWidth.x, 1);
    EXPECT_EQ(h.GetHiliteRect(), CRect(137, 19, 140, 121));

    // A tall chart is scaled to the mapping's limit: factor 2.0, top 32766, so a count of 2 is
    // 1 unit of 32766, far below a pixel.
    h.SetDrawingArea(CRect(0, 0, 256, 100));
    h.SetUpperLimit(65532);
    h.SetHiliteIntensity(-1);
    CRecordingDC tall;
    h.DrawHistogram(&tall);
    EXPECT_EQ(tall.LinesNamed("Mapping")[3],
              "Mapping mode 8 window (0,0) ext (256,32766) viewport (0,100) ext (256,-100)");
    EXPECT_TRUE(Bars(tall).empty());

    // Gathering again resets the hilite and the upper limit.
    h.SetHiliteIntensity(20);
    ASSERT_EQ(h.Init(&bitmap), 1);
    EXPECT_EQ(h.GetHiliteIntensity(), -1);
    EXPECT_EQ(h.GetUpperLimit(), 2u);
    EXPECT_EQ(h.Init(nullptr), 0);
    EXPECT_EQ(h.GetSize(), 0u);
}

TEST(Histogram, ChartDrawsNothingWithoutBinsAreaOrHeight) {
    auto bitmap = SixLevels();
    CHistogram empty;
    empty.SetDrawingArea(CRect(0, 0, 10, 10));
    CHistogram noArea;
    ASSERT_EQ(noArea.Init(&bitmap), 1);
    CHistogram flat;
    RECT outside{9, 9, 10, 10};
    flat.Init(&bitmap, &outside);
    flat.SetDrawingArea(CRect(0, 0, 10, 10));
    for (CHistogram* h : {&empty, &noArea, &flat}) {
        CRecordingDC dc;
        h->DrawHistogram(&dc);
        EXPECT_TRUE(dc.Records().empty());
    }
    EXPECT_EQ(empty.GetHiliteRect(), CRect(0, 0, 0, 0));
}

} // namespace
} // namespace vellum::test
