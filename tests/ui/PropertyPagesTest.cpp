// The colour, line, font and text pages of the items' property sheets, each alone in a sheet
// and driven by a scripted user.

#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "support/TextTesting.h"

#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/TextPP.h>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

// A page alone in a sheet, with no user settings.
template <class Page> class PageTest : public ::testing::Test {
protected:
    PageTest() { sheet.AddPage(&page); }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    Page page;
    CPropertySheet sheet{"Sheet"};
};

// ---------------------------------------------------------------------------------------------
// Colour

using ColorPPTest = PageTest<CColorPP>;

TEST_F(ColorPPTest, ChoosingAColourWithoutSetAsDefaultWritesNoSetting) {
    page.m_crColor = RGB(0, 255, 0);
    host.AnswerColor(RGB(255, 0, 0));
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Checked(IDC_COLOR_DEFAULT), BST_UNCHECKED);
        user.Click(IDC_SELECT_COLOR);
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(page.m_bChanged, 1);
    EXPECT_EQ(settings.Contents(), "");

    ASSERT_EQ(host.ColorRequests().size(), 1u);
    EXPECT_EQ(host.ColorRequests()[0].rgbResult, RGB(0, 255, 0));
    EXPECT_EQ(host.ColorRequests()[0].hwndOwner, &page);
    EXPECT_EQ(host.ColorRequests()[0].Flags, CC_RGBINIT);
}

TEST_F(ColorPPTest, SetAsDefaultWritesTheColourAsRedGreenBlueOnOkOnly) {
    for (int button : {IDCANCEL, IDOK}) {
        host.AnswerColor(RGB(10, 128, 255));
        host.AddScript([button](CScriptedUser& user) {
            user.Click(IDC_SELECT_COLOR);
            user.Check(IDC_COLOR_DEFAULT);
            if (button == IDOK)
                user.OK();
            else
                user.Cancel();
        });
        EXPECT_EQ(sheet.DoModal(), button);
        EXPECT_EQ(settings.Contents(),
                  button == IDOK ? "[UserGraphics]\nDefaultColor=10,128,255\n" : "");
    }
}

// ---------------------------------------------------------------------------------------------
// Line width

constexpr const char* kRangePrompt = "Please enter an integer between 1 and 5.";

class LinePPTest : public PageTest<CLinePP> {
protected:
    void SetUp() override { page.m_nWidth = 3; }
};

TEST_F(LinePPTest, TypingSixAndPressingOkKeepsTheSheetOpenWithTheRangePrompt) {
    host.AddScript([&](CScriptedUser& user) {
        int lower = 0;
        int upper = 0;
        page.m_spin.GetRange32(lower, upper);
        EXPECT_EQ(lower, 1);
        EXPECT_EQ(upper, 5);
        user.Type(IDC_LINE_WIDTH, "6");
        user.OK();
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(page.GetFocusId(), IDC_LINE_WIDTH);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kRangePrompt);
        EXPECT_EQ(host.Messages()[0].type, MB_ICONEXCLAMATION);
        user.Type(IDC_LINE_WIDTH, "4");
        user.OK();
        EXPECT_FALSE(user.IsOpen());
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_nWidth, 4u);
}

TEST_F(LinePPTest, WidthsThatAreNoNumbersOrOutOfRangeAreRefused) {
    const std::pair<const char*, const char*> refusals[] = {
        {"0", kRangePrompt},
        {"abc", "Please enter a positive integer."},
        {"-1", "Please enter a positive integer."},
        {"", "Please enter a positive integer."}};
    for (const auto& [text, prompt] : refusals) {
        const char* typed = text;
        host.AddScript([typed](CScriptedUser& user) {
            user.Type(IDC_LINE_WIDTH, typed);
            user.OK();
            EXPECT_TRUE(user.IsOpen());
            user.Cancel();
        });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
        EXPECT_EQ(host.Messages().back().text, prompt);
    }
    EXPECT_EQ(host.Messages().size(), 4u);
}

TEST_F(LinePPTest, ASpinStepFromFiveToSixIsRefusedAndTheWidthReturnsToFive) {
    page.m_nWidth = 5;
    host.AddScript([&](CScriptedUser& user) {
        user.Spin(IDC_LINE_SPIN, 1);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kRangePrompt);
        EXPECT_EQ(page.m_nWidth, 5u);
        EXPECT_EQ(page.m_spin.GetPos(), 5);
        EXPECT_EQ(user.Text(IDC_LINE_WIDTH), "5");
        EXPECT_TRUE(user.IsOpen());
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_nWidth, 5u);
}

TEST_F(LinePPTest, SetAsDefaultWritesTheWidthOnOkOnly) {
    for (int button : {IDCANCEL, IDOK}) {
        host.AddScript([button](CScriptedUser& user) {
            user.Check(IDC_LINE_DEFAULT);
            user.Type(IDC_LINE_WIDTH, "2");
            if (button == IDOK)
                user.OK();
            else
                user.Cancel();
        });
        EXPECT_EQ(sheet.DoModal(), button);
        EXPECT_EQ(settings.Contents(), button == IDOK ? "[UserGraphics]\nDefaultWidth=2\n" : "");
    }
}

// ---------------------------------------------------------------------------------------------
// Font and text

class FontPPTest : public PageTest<CFontPP> {
protected:
    void SetUp() override { page.m_font.SetSize(12); }
};

TEST_F(FontPPTest, ChoosingAFontWithoutSetAsDefaultSavesNothing) {
    host.AnswerFont(ChosenFont("DejaVu Serif", 140));
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Checked(IDC_FONT_DEFAULT), BST_UNCHECKED);
        user.Click(IDC_SELECT_FONT);
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_bChanged, 1);
    EXPECT_EQ(page.m_font.m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(page.m_font.GetSize(), 14);
    EXPECT_EQ(page.m_font.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(settings.Contents(), "");
    // The chooser started from the page's font: 12 points on a 96 dpi screen.
    ASSERT_EQ(host.FontsShown().size(), 1u);
    EXPECT_EQ(host.FontsShown()[0].lfHeight, -16);
}

TEST_F(FontPPTest, SetAsDefaultSavesTheFontOnOkOnly) {
    for (int button : {IDCANCEL, IDOK}) {
        host.AnswerFont(ChosenFont("DejaVu Serif", 90));
        host.AddScript([button](CScriptedUser& user) {
            user.Click(IDC_SELECT_FONT);
            user.Check(IDC_FONT_DEFAULT);
            if (button == IDOK)
                user.OK();
            else
                user.Cancel();
        });
        EXPECT_EQ(sheet.DoModal(), button);
        EXPECT_EQ(settings.Contents().empty(), button == IDCANCEL);
    }
    CGraphicFont restored;
    ASSERT_TRUE(restored.Restore());
    EXPECT_EQ(restored.m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(restored.GetSize(), 9);
    EXPECT_EQ(restored.GetColor(), RGB(255, 0, 0));

    // An unchanged font checked as default is saved too.
    CFontPP unchanged;
    CPropertySheet unchangedSheet("Sheet");
    unchangedSheet.AddPage(&unchanged);
    host.AddScript([](CScriptedUser& user) {
        user.Check(IDC_FONT_DEFAULT);
        user.OK();
    });
    EXPECT_EQ(unchangedSheet.DoModal(), IDOK);
    EXPECT_EQ(unchanged.m_bChanged, 0);
    ASSERT_TRUE(restored.Restore());
    EXPECT_EQ(restored.m_strFaceName, "Arial");
    EXPECT_EQ(restored.GetSize(), 10);
}

TEST_F(FontPPTest, ACancelledChooserLeavesThePageUnchanged) {
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_FONT); // no answer queued: the chooser is cancelled
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_bChanged, 0);
    EXPECT_EQ(page.m_font.GetSize(), 12);
    EXPECT_EQ(host.FontRequests().size(), 1u);
}

using TextPPTest = PageTest<CTextPP>;

TEST_F(TextPPTest, ExchangesTheTextWithTheMultiLineEdit) {
    page.m_strText = "riga uno\r\nriga due";
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Text(IDC_TEXT), "riga uno\r\nriga due");
        user.Type(IDC_TEXT, "Propriet\xE0\r\nperch\xE9");
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_strText, "Propriet\xE0\r\nperch\xE9");
}

} // namespace
} // namespace vellum::test
