// Text boxes and labels drawn by the Cairo backend, as a user sees them.

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

CRect LabelInk(const char* text, DWORD effects = 0) {
    auto label = Placed<CGraphicTextLine>({{10, 10}, {10, 10}});
    label->SetText(text);
    label->GetFont().m_dwEffects = effects;
    label->GetFont().SetSize(15); // 20 pixels high
    label->GetFont().SetColor(kWhite);
    auto dc = CCairoDC::CreateImage(200, 120, kBlack);
    label->Draw(dc.get(), 1.0, 0, 0, 1.0);
    return Ink(*dc);
}

TEST(TextDrawing, AccentsOfWindows1252TextAndTheEffectsBarsAreDrawn) {
    const CRect plain = LabelInk("a");
    const CRect grave = LabelInk("\xE0"); // à
    ASSERT_FALSE(plain.IsRectEmpty());
    EXPECT_LT(grave.top, plain.top - 1); // the accent rises above the letter
    EXPECT_EQ(grave.bottom, plain.bottom);

    // Underline and strike-out are bars across the text.
    const CRect ace = LabelInk("ace");
    const CRect underlined = LabelInk("ace", FONT_EFFECT_UNDERLINE);
    EXPECT_GT(underlined.bottom, ace.bottom);
    EXPECT_EQ(underlined.top, ace.top);
    // Spaces have no ink of their own: what shows is the bar, within the lower case letters.
    EXPECT_TRUE(LabelInk("   ").IsRectEmpty());
    const CRect struck = LabelInk("   ", FONT_EFFECT_STRIKEOUT);
    ASSERT_FALSE(struck.IsRectEmpty());
    EXPECT_GT(struck.top, ace.top);
    EXPECT_LT(struck.bottom, ace.bottom);
    EXPECT_LE(struck.Height(), 2);
}

TEST(TextDrawing, ATurnedTextBoxWritesAlongItsTurnedEdge) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    auto text = Placed<CGraphicText>({{60, 150}, {200, 170}}, 0);
    text->SetColor(kWhite);
    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_TEXT, "perch\xE9 no");
        user.OK();
    });
    ASSERT_EQ(text->Properties(nullptr, 0), 1);
    // A quarter turn counter-clockwise about the start: the line runs up the screen.
    CVector start(60, 150);
    text->Rotate(PI / 2, &start);
    auto dc = CCairoDC::CreateImage(240, 240, kBlack);
    text->Draw(dc.get(), 1.0, 0, 0, 1.0);
    const CRect ink = Ink(*dc);
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_GE(ink.left, 60);    // the lines step to the right of the left edge
    EXPECT_LE(ink.bottom, 151); // and the text rises from the start
    EXPECT_LT(ink.top, 110);
}

} // namespace
} // namespace vellum::test
