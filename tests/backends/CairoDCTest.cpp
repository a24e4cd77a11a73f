#include "support/Files.h"

#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::unique_ptr<CCairoDC> Canvas(COLORREF background = kWhite, int width = 64, int height = 64) {
    return CCairoDC::CreateImage(width, height, background);
}

std::vector<COLORREF> Snapshot(const CCairoDC& dc) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < dc.GetHeight(); ++y)
        for (int x = 0; x < dc.GetWidth(); ++x)
            pixels.push_back(dc.GetPixel(x, y));
    return pixels;
}

// The pixels unlike the background: how many, their box and how many are exactly the colour.
struct Ink {
    int count = 0;
    int exact = 0;
    CRect box{1 << 30, 1 << 30, 0, 0};
};

Ink FindInk(const CCairoDC& dc, COLORREF background, COLORREF colour) {
    Ink ink;
    for (int y = 0; y < dc.GetHeight(); ++y)
        for (int x = 0; x < dc.GetWidth(); ++x) {
            const COLORREF pixel = dc.GetPixel(x, y);
            if (pixel == background)
                continue;
            ++ink.count;
            ink.exact += pixel == colour ? 1 : 0;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
        }
    return ink;
}

// A canvas that is not uniform, so that mix modes meet many different pixel values.
std::unique_ptr<CCairoDC> NoisyCanvas() {
    std::vector<BYTE> rgb(64 * 3 * 64);
    unsigned seed = 12345;
    for (BYTE& value : rgb) {
        seed = seed * 1103515245u + 12345u;
        value = static_cast<BYTE>(seed >> 16);
    }
    return CCairoDC::CreateImageFromRgb(rgb.data(), 64, 64, 64 * 3);
}

void SelectFont(CDC& dc, CFont& font, int height, int weight = FW_NORMAL) {
    font.CreateFont(height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "");
    dc.SelectObject(&font);
}

TEST(CairoDCLines, OnePixelLinesStopBeforeTheirEnd) {
    auto dc = Canvas();
    CPen pen(PS_SOLID, 1, kRed);
    dc->SelectObject(&pen);
    dc->MoveTo(5, 10);
    dc->LineTo(20, 10);
    dc->MoveTo(5, 20);
    dc->LineTo(15, 30);
    const Ink ink = FindInk(*dc, kWhite, kRed);
    EXPECT_EQ(ink.count, 15 + 10);
    EXPECT_EQ(ink.exact, 15 + 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(dc->GetPixel(5 + i, 20 + i), kRed) << i;
    EXPECT_EQ(dc->GetPixel(20, 10), kWhite);
    EXPECT_EQ(dc->GetPixel(15, 30), kWhite);

    // A shallow line: exactly one pixel per column, within half a pixel of the true line.
    auto shallow = Canvas();
    shallow->SelectObject(&pen);
    shallow->MoveTo(20, 30);
    shallow->LineTo(45, 40);
    for (int x = 20; x <= 45; ++x) {
        int painted = 0;
        for (int y = 25; y < 45; ++y)
            if (shallow->GetPixel(x, y) == kRed) {
                ++painted;
                EXPECT_LE(std::abs((y - 30) * 25 - (x - 20) * 10), 13) << x << "," << y;
            }
        EXPECT_EQ(painted, x < 45 ? 1 : 0) << x;
    }
}

TEST(CairoDCLines, FarAwayEndsAreClippedWithoutMovingThePixels) {
    auto dc = Canvas();
    CPen pen(PS_SOLID, 1, kRed);
    dc->SelectObject(&pen);
    dc->MoveTo(-2000000000, -2000000000);
    dc->LineTo(2000000000, 2000000000);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(dc->GetPixel(i, i), kRed) << i;
    EXPECT_EQ(FindInk(*dc, kWhite, kRed).count, 64);

    CPen wide(PS_SOLID, 5, kBlue);
    dc->SelectObject(&wide);
    const POINT far[] = {{-2000000000, 40}, {2000000000, 40}};
    dc->Polyline(far, 2);
    for (int x = 0; x < 64; x += 9) {
        EXPECT_EQ(dc->GetPixel(x, 37), kWhite) << x;
        EXPECT_EQ(dc->GetPixel(x, 38), kBlue) << x;
        EXPECT_EQ(dc->GetPixel(x, 42), kBlue) << x;
        EXPECT_EQ(dc->GetPixel(x, 43), kWhite) << x;
    }
}

TEST(CairoDCLines, ThickPenHasRoundEndsAndBezierFollowsTheCurve) {
    auto dc = Canvas();
    CPen pen(PS_SOLID, 3, kGreen);
    dc->SelectObject(&pen);
    dc->MoveTo(10, 20);
    dc->LineTo(40, 20);
    for (int y = 18; y <= 22; ++y)
        EXPECT_EQ(dc->GetPixel(25, y), y == 18 || y == 22 ? kWhite : kGreen) << y;
    // A wide pen is the framework's geometric pen: round ends reach past both points.
    EXPECT_EQ(dc->GetPixel(41, 20), kGreen);
    EXPECT_EQ(dc->GetPixel(9, 20), kGreen);
    EXPECT_EQ(dc->GetPixel(43, 20), kWhite);

    // The arch's middle lies at (30, 45).
    CPen thin(PS_SOLID, 1, kRed);
    dc->SelectObject(&thin);
    const POINT arch[] = {{10, 60}, {10, 40}, {50, 40}, {50, 60}};
    EXPECT_TRUE(dc->PolyBezier(arch, 4));
    EXPECT_EQ(dc->GetPixel(30, 45), kRed);
    EXPECT_EQ(dc->GetPixel(10, 60), kRed);
    EXPECT_EQ(dc->GetPixel(30, 50), kWhite);
}

TEST(CairoDCFills, RectanglesCoverExactlyTheirPixels) {
    auto solid = Canvas();
    solid->FillSolidRect(7, 7, 6, 6, kBlue);
    const Ink block = FindInk(*solid, kWhite, kBlue);
    EXPECT_EQ(block.count, 36);
    EXPECT_EQ(block.exact, 36);
    EXPECT_EQ(block.box, CRect(7, 7, 13, 13));

    // A pen outlines the edge pixels and a brush fills inside them.
    auto dc = Canvas();
    CPen pen(PS_SOLID, 1, kBlack);
    CBrush brush(kRed);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    dc->Rectangle(10, 10, 20, 16);
    // Every pixel of the box is ink: 28 of the edge in black, the 8 x 4 inside in red.
    const Ink outline = FindInk(*dc, kWhite, kBlack);
    EXPECT_EQ(outline.box, CRect(10, 10, 20, 16));
    EXPECT_EQ(outline.count, 60);
    EXPECT_EQ(outline.exact, 2 * 10 + 2 * 4);
    EXPECT_EQ(FindInk(*dc, kWhite, kRed).exact, 8 * 4);
    EXPECT_EQ(dc->GetPixel(19, 15), kBlack);
    EXPECT_EQ(dc->GetPixel(18, 14), kRed);

    // With a hollow brush the inside stays untouched.
    auto hollow = Canvas();
    CBrush hollowBrush;
    hollowBrush.CreateHollowBrush();
    hollow->SelectObject(&pen);
    hollow->SelectObject(&hollowBrush);
    hollow->Rectangle(10, 10, 20, 16);
    EXPECT_EQ(FindInk(*hollow, kWhite, kBlack).count, 28);

    // Without a pen the filled rectangle is one pixel smaller to the right and below.
    auto penless = Canvas();
    CPen none(PS_NULL, 1, kBlack);
    penless->SelectObject(&none);
    penless->SelectObject(&brush);
    penless->Rectangle(10, 10, 20, 16);
    const Ink ink = FindInk(*penless, kWhite, kRed);
    EXPECT_EQ(ink.exact, 9 * 5);
    EXPECT_EQ(ink.box, CRect(10, 10, 19, 15));
}

TEST(CairoDCStyles, DottedPenRepeatsThreeOnThreeOff) {
    auto dc = Canvas();
    CPen dotted(PS_DOT, 1, kRed);
    dc->SelectObject(&dotted);
    dc->SetBkMode(TRANSPARENT);
    dc->MoveTo(10, 10);
    dc->LineTo(40, 10);
    for (int x = 10; x <= 40; ++x)
        EXPECT_EQ(dc->GetPixel(x, 10), x < 40 && (x - 10) % 6 < 3 ? kRed : kWhite) << x;

    // Opaque background mode paints the gaps in the background colour.
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(kGreen);
    dc->MoveTo(10, 20);
    dc->LineTo(40, 20);
    for (int x = 10; x < 40; ++x)
        EXPECT_EQ(dc->GetPixel(x, 20), (x - 10) % 6 < 3 ? kRed : kGreen) << x;
    EXPECT_EQ(dc->GetPixel(40, 20), kWhite);

    // The pattern counts pixels along a diagonal too, and goes on round a corner.
    dc->MoveTo(10, 30);
    dc->LineTo(14, 34);
    dc->LineTo(20, 34);
    EXPECT_EQ(dc->GetPixel(12, 32), kRed);
    EXPECT_EQ(dc->GetPixel(13, 33), kGreen);
    EXPECT_EQ(dc->GetPixel(14, 34), kGreen);
    EXPECT_EQ(dc->GetPixel(16, 34), kRed);
}

TEST(CairoDCMixModes, NotXorTwiceRestoresTheImage) {
    auto dc = NoisyCanvas();
    const std::vector<COLORREF> before = Snapshot(*dc);
    CPen pen(PS_SOLID, 1, RGB(200, 30, 90));
    CPen thick(PS_SOLID, 5, RGB(10, 220, 40));
    CPen dotted(PS_DOT, 1, RGB(250, 250, 0));
    CBrush white(kWhite);
    CBrush tinted(RGB(60, 120, 180));
    const POINT triangle[] = {{10, 50}, {60, 40}, {30, 5}};
    const POINT crossing[] = {{5, 5}, {60, 60}, {60, 5}, {5, 60}};
    auto draw = [&] {
        dc->SetROP2(R2_NOTXORPEN);
        dc->SetBkColor(RGB(1, 2, 3));
        dc->SelectObject(&pen);
        dc->MoveTo(3, 3);
        dc->LineTo(61, 17);
        dc->LineTo(20, 61);
        dc->Polyline(crossing, 4);
        dc->SelectObject(&dotted);
        dc->LineTo(63, 30);
        dc->SelectObject(&white);
        dc->Polygon(triangle, 3);
        dc->SelectObject(&tinted);
        dc->SelectObject(&thick);
        dc->Rectangle(8, 12, 44, 36);
    };
    draw();
    EXPECT_NE(Snapshot(*dc), before);
    draw();
    EXPECT_EQ(Snapshot(*dc), before);
}

TEST(CairoDCMixModes, ModesCombineBitByBit) {
    const COLORREF base = RGB(0x12, 0x34, 0x56);
    const COLORREF penColour = RGB(0xF0, 0x0F, 0xFF);
    struct Case {
        int rop;
        COLORREF expected;
    };
    const Case cases[] = {{R2_NOTXORPEN, ~(base ^ penColour) & 0xFFFFFF},
                          {R2_XORPEN, base ^ penColour},
                          {R2_NOP, base},
                          {R2_COPYPEN, penColour},
                          {R2_NOT, ~base & 0xFFFFFF},
                          {R2_BLACK, 0x000000},
                          {R2_WHITE, 0xFFFFFF}};
    for (const Case& c : cases) {
        auto dc = Canvas(base, 16, 16);
        CPen pen(PS_SOLID, 1, penColour);
        dc->SelectObject(&pen);
        dc->SetROP2(c.rop);
        dc->MoveTo(2, 8);
        dc->LineTo(12, 8);
        EXPECT_EQ(dc->GetPixel(6, 8), c.expected) << c.rop;
        EXPECT_EQ(dc->GetPixel(6, 9), base) << c.rop;
    }
    // Solid fills ignore the mix mode, as the framework's do.
    auto dc = Canvas(base, 16, 16);
    dc->SetROP2(R2_XORPEN);
    dc->FillSolidRect(0, 0, 4, 4, penColour);
    EXPECT_EQ(dc->GetPixel(1, 1), penColour);
}

TEST(CairoDCText, LeftTopTextInksInsideItsCell) {
    auto dc = Canvas(kWhite, 160, 64);
    CFont font;
    SelectFont(*dc, font, 24, FW_BOLD);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kRed);
    const CSize extent = dc->GetTextExtent("HEH");
    dc->TextOut(10, 12, "HEH");
    const Ink ink = FindInk(*dc, kWhite, kRed);
    EXPECT_GT(ink.exact, 10);
    EXPECT_GE(ink.box.left, 10);
    EXPECT_GE(ink.box.top, 12);
    EXPECT_LE(ink.box.right, 10 + extent.cx);
    // Capitals fill most of the width and stand on the baseline.
    TEXTMETRIC tm;
    ASSERT_TRUE(dc->GetTextMetrics(&tm));
    EXPECT_GT(ink.box.Width(), extent.cx / 2);
    EXPECT_EQ(ink.box.bottom, 12 + tm.tmAscent);
}

TEST(CairoDCSurfaces, ImagesFromTheHostsPixels) {
    // Rows padded to a stride wider than the image.
    const BYTE grey[] = {0, 50, 100, 0xEE, 150, 200, 255, 0xEE};
    auto dc = CCairoDC::CreateImageFromGrey(grey, 3, 2, 4);
    EXPECT_EQ(dc->GetPixel(1, 0), RGB(50, 50, 50));
    EXPECT_EQ(dc->GetPixel(2, 1), RGB(255, 255, 255));
    EXPECT_EQ(dc->GetPixel(3, 0), CCairoDC::noPixel);
    EXPECT_EQ(dc->GetPixel(0, -1), CCairoDC::noPixel);

    const BYTE rgb[] = {1, 2, 3, 4, 5, 6, 0, 7, 8, 9, 10, 11, 12, 0};
    auto colour = CCairoDC::CreateImageFromRgb(rgb, 2, 2, 7, CCairoDC::PixelFormat::argb32);
    EXPECT_EQ(colour->GetPixel(1, 0), RGB(4, 5, 6));
    EXPECT_EQ(colour->GetPixel(0, 1), RGB(7, 8, 9));

    EXPECT_THROW(CCairoDC::CreateImage(0, 10, kWhite), CInvalidArgException);
    EXPECT_THROW(CCairoDC::CreateImageFromGrey(grey, 3, 2, 2), CInvalidArgException);
    EXPECT_THROW(CCairoDC::CreateImageFromRgb(nullptr, 2, 2, 6), CInvalidArgException);
}

TEST(CairoDCSurfaces, PngIsWrittenOrTheFailureReported) {
    auto dc = Canvas();
    dc->Rectangle(4, 4, 40, 40);
    const std::string path = ::testing::TempDir() + "cairo_dc_scene.png";
    dc->WritePng(path.c_str());
    EXPECT_EQ(ReadFileBytes(path).substr(0, 4), "\x89PNG");
    std::filesystem::remove(path);

    const auto failure = [&](const std::string& to) {
        try {
            dc->WritePng(to.c_str());
        } catch (const CFileException& e) {
            return std::make_pair(e.m_cause, e.m_strFileName);
        }
        return std::make_pair(CFileException::none, CString());
    };
    const std::string missing = ::testing::TempDir() + "no-such-folder/scene.png";
    EXPECT_EQ(failure(missing), std::make_pair(CFileException::fileNotFound, CString(missing)));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(failure("/dev/full").first, CFileException::diskFull);
    }
}

void DrawScene(CDC& dc) {
    CPen pen(PS_DOT, 1, kBlue);
    CBrush brush(kGreen);
    CFont font;
    SelectFont(dc, font, 16);
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    const POINT triangle[] = {{10, 10}, {90, 20}, {40, 70}};
    dc.Polygon(triangle, 3);
    dc.MoveTo(-5000000, 50);
    dc.LineTo(5000000, 60);
    const POINT curve[] = {{10, 90}, {30, 60}, {60, 120}, {90, 90}};
    dc.PolyBezier(curve, 4);
    dc.SetROP2(R2_NOTXORPEN);
    dc.Rectangle(5, 5, 95, 95);
    dc.TextOut(20, 80, "Vellum");
}

TEST(CairoDCSurfaces, PdfAndSvgFiles) {
    const std::string pdfPath = ::testing::TempDir() + "cairo_dc_scene.pdf";
    auto pdf = CCairoDC::CreatePdf(pdfPath.c_str(), 100, 100);
    EXPECT_EQ(pdf->GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_THROW(pdf->WritePng((pdfPath + ".png").c_str()), CNotSupportedException);
    DrawScene(*pdf);
    pdf->Finish();
    EXPECT_EQ(ReadFileBytes(pdfPath).substr(0, 4), "%PDF");

    const std::string svgPath = ::testing::TempDir() + "cairo_dc_scene.svg";
    {
        auto svg = CCairoDC::CreateSvg(svgPath.c_str(), 100, 100);
        EXPECT_EQ(svg->GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
        DrawScene(*svg);
    } // the destructor completes the file
    const std::string svgText = ReadFileBytes(svgPath);
    EXPECT_NE(svgText.find("</svg>"), std::string::npos);
    EXPECT_NE(svgText.find("stroke-dasharray"), std::string::npos);
    std::filesystem::remove(pdfPath);
    std::filesystem::remove(svgPath);

    if (std::filesystem::exists("/dev/full")) {
        auto full = CCairoDC::CreatePdf("/dev/full", 100, 100);
        DrawScene(*full);
        EXPECT_THROW(full->Finish(), CFileException);
    }
}

TEST(CairoDCSurfaces, GreyImagePaintsSharpScaledPixels) {
    auto dc = CCairoDC::CreateImage(8, 8, RGB(255, 0, 0));
    const BYTE grey[] = {10, 20, 0xEE, 30, 40, 0xEE}; // two rows of two, stride 3
    dc->DrawGreyImage(grey, 2, 2, 3, 1, 2, 3.0);
    EXPECT_EQ(dc->GetPixel(0, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(1, 2), RGB(10, 10, 10));
    EXPECT_EQ(dc->GetPixel(3, 4), RGB(10, 10, 10));
    EXPECT_EQ(dc->GetPixel(4, 2), RGB(20, 20, 20));
    EXPECT_EQ(dc->GetPixel(6, 7), RGB(40, 40, 40));
    EXPECT_EQ(dc->GetPixel(7, 7), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_THROW(dc->DrawGreyImage(grey, 2, 2, 1, 0, 0, 1.0), CInvalidArgException);
    EXPECT_THROW(dc->DrawGreyImage(grey, 2, 2, 3, 0, 0, 0.0), CInvalidArgException);
}

} // namespace
} // namespace vellum::test
