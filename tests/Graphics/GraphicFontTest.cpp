#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicFont.h>
#include <vellum/platform/Exceptions.h>

namespace vellum::test {
namespace {

TEST(GraphicFont, CreatesFontsScaledByTruncationAndKeepsItsSize) {
    struct Case {
        LONG size;
        double scale;
        LONG height; // -round(trunc(size × scale) × 96 / 72), at least one pixel
    };
    const Case cases[] = {
        {10, 1.0, -13},
        {10, 2.5, -33}, // 25 points
        {10, 0.26, -3}, // 2.6 truncates to 2 points
        {15, 2.0, -40},
        {10, 0.05, -1}, // no points at all: the smallest font
        {10, std::nan(""), -1},
        {std::numeric_limits<LONG>::max(), 2.0, -std::numeric_limits<LONG>::max()},
        {-7, 1.0, -1},
    };
    CRecordingDC dc;
    for (const Case& c : cases) {
        CGraphicFont font;
        font.SetSize(c.size);
        const std::unique_ptr<CFont> created(font.CreateFont(&dc, 450, 900, c.scale));
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->GetLogFont().lfHeight, c.height) << c.size << " × " << c.scale;
        EXPECT_EQ(created->GetLogFont().lfEscapement, 450);
        EXPECT_EQ(created->GetLogFont().lfOrientation, 900);
        EXPECT_EQ(font.GetSize(), c.size);
    }
    CGraphicFont font; // the overlays' default, kept under a settings name of its own
    EXPECT_EQ(font.GetSize(), 10);
    EXPECT_EQ(font.GetSettingsName(), "UserGraphicsFont");
    EXPECT_EQ(font.CreateFont(nullptr, 0, 0, 1.0), nullptr);
}

TEST(GraphicFont, StoresTheRecordFieldByField) {
    CGraphicFont font;
    font.m_strFaceName = "Tahoma";
    font.m_strStyleName = "Bold Italic";
    font.m_dwEffects = FONT_EFFECT_UNDERLINE;
    font.m_lWeight = 700;
    font.m_lItalic = 1;
    font.m_lPitchAndFamily = 0x22;
    font.m_nCharSet = 238;
    font.SetSize(-12);
    font.SetColor(RGB(0x11, 0x22, 0x33));
    const Bytes bytes = Store([&](CArchive& ar) { font.Write(ar); });
    Bytes expected;
    AppendFont(expected, "Tahoma", "Bold Italic", 1, 700, 1, 0x22, 238, -12, 0x00332211);
    EXPECT_EQ(bytes, expected);

    CGraphicFont loaded;
    Load(bytes, [&](CArchive& ar) { loaded.Read(ar); });
    EXPECT_EQ(Store([&](CArchive& ar) { loaded.Write(ar); }), bytes);

    // A record cut short is an archive error.
    EXPECT_THROW(
        Load(Bytes(bytes.begin(), bytes.end() - 1), [&](CArchive& ar) { loaded.Read(ar); }),
        CArchiveException);
}

} // namespace
} // namespace vellum::test
