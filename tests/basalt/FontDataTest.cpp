#include "support/TempSettings.h"
#include "support/TextTesting.h"

#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/basalt/FontData.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace vellum::test {
namespace {

// A record in which every field differs from the default.
void FillCustom(CFontData& font) {
    font.m_strFaceName = "DejaVu Serif";
    font.m_strStyleName = "Bold Italic";
    font.m_dwEffects = FONT_EFFECT_UNDERLINE | FONT_EFFECT_STRIKEOUT | 0x80000000u;
    font.m_lWeight = FW_BOLD;
    font.m_lItalic = 1;
    font.m_lPitchAndFamily = 0x22;
    font.m_nCharSet = 238;
    font.m_lSize = 24;
    font.m_crColor = RGB(12, 34, 56);
}

const char* const kCustomSection = "[UserGraphicsFont]\n"
                                   "FaceName=DejaVu Serif\n"
                                   "StyleName=Bold Italic\n"
                                   "Effects=2147483651\n"
                                   "Weight=700\n"
                                   "Italic=1\n"
                                   "PitchAndFamily=34\n"
                                   "CharSet=238\n"
                                   "Size=24\n"
                                   "Color=12,34,56\n";
const char* const kDefaultSection = "[UserGraphicsFont]\nFaceName=Arial\nStyleName=Regular\n"
                                    "Effects=0\nWeight=400\nItalic=0\nPitchAndFamily=0\n"
                                    "CharSet=0\nSize=10\nColor=0,0,0\n";

// Every field of the record, as Save writes them to an empty settings file.
std::string Saved(CFontData& font, const TempSettings& file) {
    file.Write("");
    EXPECT_NE(font.Save(), 0);
    return file.Contents();
}

TEST(FontData, SaveWritesOneSectionWithOneEntryPerFieldAndRestoreReadsItBack) {
    TempSettings file;
    CFontData font("UserGraphicsFont");
    FillCustom(font);
    EXPECT_EQ(Saved(font, file), kCustomSection);
    CFontData restored("UserGraphicsFont");
    EXPECT_NE(restored.Restore(), 0);
    EXPECT_EQ(Saved(restored, file), kCustomSection);

    // Line breaks in names are stored as spaces.
    font.m_strFaceName = "Bad\nFace";
    font.m_strStyleName = "Two\r\nLines";
    EXPECT_NE(Saved(font, file).find("FaceName=Bad Face\nStyleName=Two  Lines\n"),
              std::string::npos);
}

TEST(FontData, RestoreReadsAHandWrittenSection) {
    TempSettings file;
    file.Write("[Other]\nSize=3\n\n[usergraphicsfont]\n"
               "facename = Liberation Sans \nStyleName=\nEffects=1\nWeight=300\nItalic=0\n"
               "PitchAndFamily=-2\nCharSet=0\nSize=-8\nColor= 1 , 2 ,3\n");
    CFontData font("UserGraphicsFont");
    ASSERT_NE(font.Restore(), 0);
    EXPECT_EQ(Saved(font, file), "[UserGraphicsFont]\nFaceName=Liberation Sans\nStyleName=\n"
                                 "Effects=1\nWeight=300\nItalic=0\nPitchAndFamily=-2\nCharSet=0\n"
                                 "Size=-8\nColor=1,2,3\n");
}

TEST(FontData, RestoreRefusesIncompleteOrMalformedRecords) {
    TempSettings file;
    // An entry of the custom record and its damaged form; null: the entry is left out.
    const std::pair<const char*, const char*> damages[] = {
        {"FaceName=DejaVu Serif\n", nullptr},
        {"Size=24\n", nullptr},
        {"Color=12,34,56\n", nullptr},
        {"Size=24\n", "Size=abc\n"},
        {"Size=24\n", "Size=24pt\n"},
        {"Size=24\n", "Size=\n"},
        {"Size=24\n", "Size=2147483648\n"},
        {"Weight=700\n", "Weight=7.5\n"},
        {"Effects=2147483651\n", "Effects=-1\n"},
        {"Effects=2147483651\n", "Effects=4294967296\n"},
        {"CharSet=238\n", "CharSet=256\n"},
        {"Color=12,34,56\n", "Color=12,34\n"},
        {"Color=12,34,56\n", "Color=12,34,256\n"},
        {"Color=12,34,56\n", "Color=12,34,56,0\n"},
        {"Color=12,34,56\n", "Color=0x00382212\n"},
    };
    for (const auto& [entry, replacement] : damages) {
        std::string text = kCustomSection;
        text.replace(text.find(entry), std::strlen(entry), replacement ? replacement : "");
        file.Write(text);
        CFontData font("UserGraphicsFont");
        EXPECT_EQ(font.Restore(), 0) << text;
        EXPECT_EQ(Saved(font, file), kDefaultSection) << text;
    }
}

// A device whose resolution is set by the test.
class ResolutionDC : public CRecordingDC {
public:
    explicit ResolutionDC(int pixelsPerInch) : m_pixelsPerInch(pixelsPerInch) {}
    int GetDeviceCaps(int index) const override {
        return index == LOGPIXELSY ? m_pixelsPerInch : CRecordingDC::GetDeviceCaps(index);
    }

private:
    int m_pixelsPerInch;
};

TEST(FontData, CreateFontTakesTheFieldsOfTheRecord) {
    CRecordingDC dc;
    CFontData font("UserGraphicsFont");
    FillCustom(font);
    std::unique_ptr<CFont> created(font.CreateFont(&dc, -300, 0));
    ASSERT_NE(created, nullptr);
    // In LOGFONT's order: height, width, escapement, orientation, weight, italic, underline,
    // strike-out, character set, three precisions, pitch and family, face.
    const LOGFONT expected{-32, 0, -300, 0, FW_BOLD, 1, 1, 1, 238, 0, 0, 0, 0x22, "DejaVu Serif"};
    EXPECT_EQ(std::memcmp(&created->GetLogFont(), &expected, sizeof(LOGFONT)), 0);
    font.m_dwEffects = FONT_EFFECT_STRIKEOUT; // each effect bit alone
    created.reset(font.CreateFont(&dc, 0, 0));
    EXPECT_EQ(created->GetLogFont().lfUnderline, 0);
}

TEST(FontData, CreateFontHeightFollowsSizeAndResolution) {
    CFontData font("UserGraphicsFont");
    const auto height = [&font](int pixelsPerInch, LONG size) {
        ResolutionDC dc(pixelsPerInch);
        font.SetSize(size);
        std::unique_ptr<CFont> created(font.CreateFont(&dc, 0, 0));
        return created->GetLogFont().lfHeight;
    };
    // Sizes at 96 dpi: 11 pt is 14.67 pixels, rounded up; at least one pixel.
    const std::pair<LONG, LONG> at96[] = {
        {10, -13}, {12, -16}, {9, -12}, {11, -15},
        {1, -1},   {0, -1},   {-5, -1}, {2147483647, -2147483647}};
    for (const auto& [size, expected] : at96)
        EXPECT_EQ(height(96, size), expected) << size << " pt";
    EXPECT_EQ(height(72, 10), -10);
    EXPECT_EQ(height(300, 10), -42);
    EXPECT_EQ(height(600, 12), -100);
}

TEST(FontDataSelect, ChooserStartsFromTheRecord) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CFontData font("UserGraphicsFont");
    FillCustom(font);
    EXPECT_EQ(font.Select(false), 0); // nothing queued: the user cancels
    ASSERT_EQ(host.FontRequests().size(), 1u);
    const CHOOSEFONT& request = host.FontRequests()[0];
    EXPECT_EQ(request.Flags & (CF_EFFECTS | CF_INITTOLOGFONTSTRUCT),
              CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
    EXPECT_EQ(request.rgbColors, RGB(12, 34, 56));
    EXPECT_EQ(host.FontsShown()[0].lfHeight, -32); // 24 pt on a 96 dpi screen
}

TEST(FontDataSelect, ChosenFontBecomesTheRecordWithItsSizeAndStyleName) {
    TempSettings file;
    const struct {
        LONG weight;
        BYTE italic;
        int pointSize;
        const char* style;
        LONG size;
    } cases[] = {
        {FW_BOLD, 1, 140, "Bold Italic", 14}, //
        {FW_NORMAL, 1, 125, "Italic", 13},    // 12.5 pt rounds up
        {300, 0, 124, "Light", 12},           //
        {650, 0, 4, "Bold", 1},               // at least 1 pt
        {560, 1, 100, "SemiBold Italic", 10}, //
        {0, 0, 100, "Regular", 10},           // any weight
        {900, 0, 100, "Black", 10},           //
        {100, 0, 0, "Thin", 14},              // no size: 19 pixels at 96 dpi
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        CScriptedUiHost host;
        CUiHostScope scope(host);
        CScriptedUiHost::FontAnswer answer = ChosenFont("DejaVu Sans Mono", c.pointSize);
        answer.font.lfWeight = c.weight;
        answer.font.lfItalic = c.italic;
        answer.font.lfUnderline = 1;
        answer.font.lfPitchAndFamily = 0x12;
        host.AnswerFont(answer);
        CFontData font("UserGraphicsFont");
        ASSERT_EQ(font.Select(false), 1);
        EXPECT_EQ(font.m_strStyleName, c.style);
        EXPECT_EQ(font.GetSize(), c.size);
        EXPECT_EQ(font.m_strFaceName, "DejaVu Sans Mono");
        EXPECT_EQ(font.m_dwEffects, FONT_EFFECT_UNDERLINE);
        EXPECT_EQ(font.m_lPitchAndFamily, 0x12);
        EXPECT_EQ(font.GetColor(), RGB(255, 0, 0));
    }
    EXPECT_EQ(file.Contents(), ""); // false: not saved
}

} // namespace
} // namespace vellum::test
