// Text boxes and labels drawn by the Cairo backend, as a user sees them: the accents of
// Windows-1252 text, the size that follows the zoom, and the turn that follows the angle.

#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicText.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/backends/cairo/CairoDC.h>

#include <algorithm>

namespace vellum::test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The smallest rectangle holding every pixel that is not the background.
CRect Ink(const CCairoDC& dc) {
    CRect box(dc.GetWidth(), dc.GetHeight(), 0, 0);
    for (int y = 0; y < dc.GetHeight(); ++y)
        for (int x = 0; x < dc.GetWidth(); ++x)
            if (dc.GetPixel(x, y) != kBlack) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

CRect LabelInk(const char* text, double zoom, DWORD effects = 0) {
    CGraphicTextLine label;
    label.GetFont().m_dwEffects = effects;
    CVector anchor(10, 10);
    label.SetStart(&anchor);
    label.SetEnd(&anchor, 1);
    label.SetText(text);
    label.GetFont().SetSize(15); // 20 pixels at zoom 1, 40 at zoom 2
    label.GetFont().SetColor(kWhite);
    auto dc = CCairoDC::CreateImage(200, 120, kBlack);
    label.Draw(dc.get(), zoom, 0, 0, 1.0);
    return Ink(*dc);
}

TEST(TextDrawing, AccentsOfWindows1252TextAreDrawn) {
    const CRect plain = LabelInk("a", 1.0);
    const CRect grave = LabelInk("\xE0", 1.0); // à
    const CRect acute = LabelInk("\xE9", 1.0); // é
    ASSERT_FALSE(plain.IsRectEmpty());
    EXPECT_LT(grave.top, plain.top - 1); // the accent rises above the letter
    EXPECT_LT(acute.top, plain.top - 1);
    EXPECT_EQ(grave.bottom, plain.bottom);
}

TEST(TextDrawing, UnderlineAndStrikeOutAreBarsAcrossTheText) {
    const CRect plain = LabelInk("ace", 1.0);
    const CRect underlined = LabelInk("ace", 1.0, FONT_EFFECT_UNDERLINE);
    EXPECT_GT(underlined.bottom, plain.bottom);
    EXPECT_EQ(underlined.top, plain.top);
    // Spaces have no ink of their own: what shows is the bar, within the lower case letters.
    EXPECT_TRUE(LabelInk("   ", 1.0).IsRectEmpty());
    const CRect struck = LabelInk("   ", 1.0, FONT_EFFECT_STRIKEOUT);
    ASSERT_FALSE(struck.IsRectEmpty());
    EXPECT_GT(struck.top, plain.top);
    EXPECT_LT(struck.bottom, plain.bottom);
    EXPECT_LE(struck.Height(), 2);
}

TEST(TextDrawing, ALabelDrawnAtTwiceTheZoomIsTwiceAsLarge) {
    const CRect one = LabelInk("Propriet\xE0", 1.0);
    const CRect two = LabelInk("Propriet\xE0", 2.0);
    EXPECT_NEAR(two.Width(), 2 * one.Width(), 3);
    EXPECT_NEAR(two.Height(), 2 * one.Height(), 3);
    EXPECT_NEAR(two.left, 2 * one.left, 2);
}

TEST(TextDrawing, ATurnedTextBoxWritesAlongItsTurnedEdge) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CGraphicText text;
    CVector start(60, 150), end(200, 170);
    text.SetStart(&start);
    text.SetEnd(&end, 0);
    text.SetColor(kWhite);
    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_TEXT, "perch\xE9 no");
        user.OK();
    });
    ASSERT_EQ(text.Properties(nullptr, 0), 1);
    // A quarter turn counter-clockwise about the start: the line runs up the screen.
    text.Rotate(PI / 2, &start);
    auto dc = CCairoDC::CreateImage(240, 240, kBlack);
    text.Draw(dc.get(), 1.0, 0, 0, 1.0);
    const CRect ink = Ink(*dc);
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_GE(ink.left, 60);    // the lines step to the right of the left edge
    EXPECT_LE(ink.bottom, 151); // and the text rises from the start
    EXPECT_LT(ink.top, 110);
}

} // namespace
} // namespace vellum::test
