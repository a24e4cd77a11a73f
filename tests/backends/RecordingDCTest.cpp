#include <vellum/backends/recording/RecordingDC.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vellum;

namespace {

using Lines = std::vector<std::string>;

POINT LogicalToDevice(const CDC& dc, int x, int y) {
    POINT point{x, y};
    dc.LPtoDP(&point);
    return point;
}

POINT DeviceToLogical(const CDC& dc, int x, int y) {
    POINT point{x, y};
    dc.DPtoLP(&point);
    return point;
}

// The mapping that the viewer uses for a 256 × 100 logical area shown 200 × 50 pixels large
// with y pointing up, its origin at device (10, 60).
void SetScaledMapping(CDC& dc) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(256, 100);
    dc.SetViewportExt(200, -50);
    dc.SetViewportOrg(10, 60);
}

} // namespace

TEST(RecordingDCTest, TextMappingWithViewportOrigin) {
    CRecordingDC dc;
    EXPECT_EQ(dc.SetViewportOrg(100, 50), CPoint(0, 0));
    dc.MoveTo(-10, 5);
    dc.LineTo(20, -50);
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 7, 8)), CPoint(107, 58));
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 107, 58)), CPoint(7, 8));

    // Both origins count; the extents are ignored in MM_TEXT.
    dc.SetWindowOrg(5, -5);
    dc.SetWindowExt(256, 100);
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 7, 8)), CPoint(102, 63));
    dc.Rectangle(0, 0, 10, 10);

    EXPECT_EQ(dc.Lines(),
              (Lines{
                  "Mapping mode 1 window (0,0) ext (1,1) viewport (100,50) ext (1,1)",
                  "MoveTo (90,55)",
                  "LineTo (90,55)-(120,0) pen 0/1/0x00000000 rop 13",
                  "Mapping mode 1 window (5,-5) ext (1,1) viewport (100,50) ext (1,1)",
                  "Mapping mode 1 window (5,-5) ext (256,100) viewport (100,50) ext (1,1)",
                  "Rectangle (95,55)-(105,65) pen 0/1/0x00000000 brush 0/0x00FFFFFF rop 13",
              }));
}

TEST(RecordingDCTest, AnisotropicMappingRoundsHalvesAwayFromZero) {
    CRecordingDC dc;
    SetScaledMapping(dc);
    EXPECT_EQ(dc.LinesNamed("Mapping"),
              (Lines{
                  "Mapping mode 8 window (0,0) ext (1,1) viewport (0,0) ext (1,1)",
                  "Mapping mode 8 window (0,0) ext (256,100) viewport (0,0) ext (1,1)",
                  "Mapping mode 8 window (0,0) ext (256,100) viewport (0,0) ext (200,-50)",
                  "Mapping mode 8 window (0,0) ext (256,100) viewport (10,60) ext (200,-50)",
              }));

    // x · 200/256 + 10 and y · −50/100 + 60.
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 0, 0)), CPoint(10, 60));
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 256, 100)), CPoint(210, 10));
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 1, 0)), CPoint(11, 60));    // 0.78125
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 16, 1)), CPoint(23, 59));   // 12.5, −0.5
    EXPECT_EQ(CPoint(LogicalToDevice(dc, -16, -1)), CPoint(-3, 61)); // −12.5, 0.5
    EXPECT_EQ(CPoint(LogicalToDevice(dc, 48, 3)), CPoint(48, 58));   // 37.5, −1.5

    // (x − 10) · 256/200 and (y − 60) · 100/−50.
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 10, 60)), CPoint(0, 0));
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 210, 10)), CPoint(256, 100));
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 11, 59)), CPoint(1, 2));  // 1.28
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 13, 61)), CPoint(4, -2)); // 3.84
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 8, 60)), CPoint(-3, 0));  // −2.56

    // Drawing goes through the same mapping; y pointing up turns rectangles upside down.
    const POINT path[] = {{0, 0}, {16, 1}, {-16, -1}};
    dc.Polyline(path, 3);
    dc.Rectangle(0, 0, 256, 100);
    EXPECT_EQ(dc.DrawingLines(),
              (Lines{
                  "Polyline (10,60)-(23,59)-(-3,61) pen 0/1/0x00000000 rop 13",
                  "Rectangle (10,60)-(210,10) pen 0/1/0x00000000 brush 0/0x00FFFFFF rop 13",
              }));

    // Halves from device to logical: 3/2 of ±1 pixel is ±1.5.
    dc.SetViewportOrg(0, 0);
    dc.SetWindowExt(3, 3);
    dc.SetViewportExt(2, 2);
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 1, -1)), CPoint(2, -2));
    EXPECT_EQ(CPoint(DeviceToLogical(dc, 3, 5)), CPoint(5, 8)); // 4.5, 7.5
}

TEST(RecordingDCTest, FillSolidRectLeavesItsColourAsBackground) {
    CRecordingDC dc;
    dc.SetViewportOrg(1, 2);
    dc.Clear();
    dc.FillSolidRect(10, 20, 30, 40, RGB(9, 8, 7));
    const RECT rect{0, 0, 5, 5};
    dc.FillSolidRect(&rect, RGB(255, 255, 0));
    dc.TextOut(0, 0, "x");
    EXPECT_EQ(dc.Lines(),
              (Lines{
                  "SetBkColor 0x00070809",
                  "FillSolidRect (11,22)-(41,62) colour 0x00070809",
                  "SetBkColor 0x0000FFFF",
                  "FillSolidRect (1,2)-(6,7) colour 0x0000FFFF",
                  R"(TextOut (1,2) "x" font 16/0/400/"" colour 0x00000000 align 0 bk 2/0x0000FFFF)",
              }));
}

TEST(RecordingDCTest, PenWidthFollowsTheHorizontalScale) {
    CRecordingDC dc;
    std::vector<CPen> pens;
    pens.reserve(16);
    const auto deviceWidth = [&](int width) {
        pens.emplace_back(PS_SOLID, width, RGB(0, 0, 0));
        dc.SelectObject(&pens.back());
        return dc.Records().back().state.penWidth;
    };
    EXPECT_EQ(deviceWidth(0), 1);
    EXPECT_EQ(deviceWidth(1), 1);
    EXPECT_EQ(deviceWidth(5), 5);

    SetScaledMapping(dc);          // 200/256 horizontally
    EXPECT_EQ(deviceWidth(10), 8); // 7.8125
    EXPECT_EQ(deviceWidth(2), 2);  // 1.5625
    EXPECT_EQ(deviceWidth(0), 1);
    dc.LineTo(256, 0);
    EXPECT_EQ(dc.Records().back().ToString(), "LineTo (10,60)-(210,60) pen 0/1/0x00000000 rop 13");

    dc.SetViewportExt(-200, 50); // mirrored: the width stays positive
    EXPECT_EQ(deviceWidth(10), 8);
    dc.SetViewportExt(1, 1); // 100/256 rounds to 0: still one pixel
    EXPECT_EQ(deviceWidth(100), 1);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(4, 4);
    EXPECT_EQ(deviceWidth(1), 4); // only width 0 ignores the mapping
    EXPECT_EQ(deviceWidth(0), 1);
}

TEST(RecordingDCTest, TextOutRecordsTextFontColoursAndAlignment) {
    CRecordingDC dc;
    CFont font;
    font.CreateFont(-24, 0, 900, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    dc.SelectObject(&font);
    EXPECT_EQ(dc.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetTextAlign(TA_CENTER | TA_BASELINE), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    dc.SetViewportOrg(5, 5);
    dc.TextOut(10, 20, "Hi");
    dc.TextOut(0, 0, CString("q\"b\\c\xE9\n"));

    EXPECT_EQ(dc.Lines(),
              (Lines{
                  R"(SelectFont -24/900/700/"Arial")",
                  "SetTextColor 0x00030201",
                  "SetTextAlign 30",
                  "SetBkMode 1",
                  "Mapping mode 1 window (0,0) ext (1,1) viewport (5,5) ext (1,1)",
                  R"(TextOut (15,25) "Hi" font -24/900/700/"Arial" colour 0x00030201 align 30)"
                  " bk 1/0x00FFFFFF",
                  R"(TextOut (5,5) "q\"b\\c\xE9\x0A" font -24/900/700/"Arial" colour 0x00030201)"
                  " align 30 bk 1/0x00FFFFFF",
              }));
}

TEST(RecordingDCTest, SyntheticTextMetrics) {
    // The default font is a 16-pixel cell: characters 8 wide; only these sizes are read.
    CRecordingDC dc;
    EXPECT_EQ(dc.GetTextExtent("abc"), CSize(24, 16));
    EXPECT_EQ(dc.GetTextExtent(""), CSize(0, 16));
    EXPECT_EQ(dc.GetTextExtent("abcdef", 2), CSize(16, 16));
    TEXTMETRIC metrics{};
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, 16);
}
