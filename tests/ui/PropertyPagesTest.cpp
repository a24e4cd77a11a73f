// The colour, line and font pages, each alone in a sheet and driven by a scripted user.

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

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

template <class Page> class PageTest : public ::testing::Test {
protected:
    PageTest() { sheet.AddPage(&page); }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    Page page;
    CPropertySheet sheet{"Sheet"};
};

void Close(CScriptedUser& user, int button) {
    button == IDOK ? user.OK() : user.Cancel();
}

// The user opens the page's chooser, ticks its "Imposta come default" box when tick is set and
// closes the sheet with button; the box starts unticked every time.
CScriptedUiHost::Script Choose(int chooser, int setAsDefault, bool tick, int button) {
    return [=](CScriptedUser& user) {
        EXPECT_EQ(user.Checked(setAsDefault), BST_UNCHECKED);
        user.Click(chooser);
        if (tick)
            user.Check(setAsDefault);
        Close(user, button);
    };
}

using ColorPPTest = PageTest<CColorPP>;

TEST_F(ColorPPTest, AChosenColourIsWrittenAsRedGreenBlueWithSetAsDefaultOnOkOnly) {
    const struct {
        bool setDefault;
        int button;
        const char* settings;
    } cases[] = {
        {false, IDOK, ""},
        {true, IDCANCEL, ""},
        {true, IDOK, "[UserGraphics]\nDefaultColor=10,128,255\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        page.m_crColor = RGB(0, 255, 0);
        host.AnswerColor(RGB(10, 128, 255));
        host.AddScript(Choose(IDC_SELECT_COLOR, IDC_COLOR_DEFAULT, c.setDefault, c.button));
        EXPECT_EQ(sheet.DoModal(), c.button);
        EXPECT_EQ(settings.Contents(), c.settings);
    }
    EXPECT_EQ(page.m_crColor, RGB(10, 128, 255));
    EXPECT_EQ(page.m_bChanged, 1);
    ASSERT_EQ(host.ColorRequests().size(), 3u);
    EXPECT_EQ(host.ColorRequests()[0].rgbResult, RGB(0, 255, 0));
    EXPECT_EQ(host.ColorRequests()[0].hwndOwner, &page);
    EXPECT_EQ(host.ColorRequests()[0].Flags, CC_RGBINIT);
}

constexpr const char* kRangePrompt = "Please enter an integer between 1 and 5.";

using LinePPTest = PageTest<CLinePP>;

TEST_F(LinePPTest, WidthsThatAreNoNumbersOrOutOfRangeKeepTheSheetOpenWithAPrompt) {
    const std::pair<const char*, const char*> refusals[] = {
        {"6", kRangePrompt},
        {"0", kRangePrompt},
        {"abc", "Please enter a positive integer."},
        {"-1", "Please enter a positive integer."},
        {"", "Please enter a positive integer."}};
    for (const auto& [text, prompt] : refusals) {
        SCOPED_TRACE(text);
        const std::size_t shown = host.Messages().size();
        host.AddScript([&](CScriptedUser& user) {
            int lower = 0;
            int upper = 0;
            page.m_spin.GetRange32(lower, upper);
            EXPECT_EQ(lower, 1);
            EXPECT_EQ(upper, 5);
            user.Type(IDC_LINE_WIDTH, text);
            user.OK();
            EXPECT_TRUE(user.IsOpen());
            EXPECT_EQ(page.GetFocusId(), IDC_LINE_WIDTH);
            ASSERT_EQ(host.Messages().size(), shown + 1);
            EXPECT_EQ(host.Messages().back().text, prompt);
            EXPECT_EQ(host.Messages().back().type, MB_ICONEXCLAMATION);
            user.Type(IDC_LINE_WIDTH, "4");
            user.OK();
            EXPECT_FALSE(user.IsOpen());
        });
        EXPECT_EQ(sheet.DoModal(), IDOK);
        EXPECT_EQ(page.m_nWidth, 4u);
    }
}

TEST_F(LinePPTest, ASpinStepFromFiveToSixIsRefusedAndTheWidthReturnsToFive) {
    page.m_nWidth = 5;
    host.AddScript([&](CScriptedUser& user) {
        user.Spin(IDC_LINE_SPIN, 1);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kRangePrompt);
        EXPECT_EQ(page.m_spin.GetPos(), 5);
        EXPECT_EQ(user.Text(IDC_LINE_WIDTH), "5");
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
            Close(user, button);
        });
        EXPECT_EQ(sheet.DoModal(), button);
        EXPECT_EQ(settings.Contents(), button == IDOK ? "[UserGraphics]\nDefaultWidth=2\n" : "");
    }
}

class FontPPTest : public PageTest<CFontPP> {
protected:
    void SetUp() override { page.m_font.SetSize(12); }
};

TEST_F(FontPPTest, AChosenFontIsSavedWithSetAsDefaultOnOkOnly) {
    const struct {
        bool setDefault;
        int button;
    } cases[] = {{false, IDOK}, {true, IDCANCEL}, {true, IDOK}};
    for (const auto& c : cases) {
        host.AnswerFont(ChosenFont("DejaVu Serif", 140));
        host.AddScript(Choose(IDC_SELECT_FONT, IDC_FONT_DEFAULT, c.setDefault, c.button));
        EXPECT_EQ(sheet.DoModal(), c.button);
        EXPECT_EQ(settings.Contents().empty(), c.button == IDCANCEL || !c.setDefault);
    }
    EXPECT_EQ(page.m_bChanged, 1);
    EXPECT_EQ(page.m_font.m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(page.m_font.GetSize(), 14);
    EXPECT_EQ(page.m_font.GetColor(), RGB(255, 0, 0));
    // The chooser started from the page's font: 12 points on a 96 dpi screen.
    EXPECT_EQ(host.FontsShown().at(0).lfHeight, -16);
    CGraphicFont restored;
    ASSERT_TRUE(restored.Restore());
    EXPECT_EQ(restored.m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(restored.GetSize(), 14);
    EXPECT_EQ(restored.GetColor(), RGB(255, 0, 0));
}

TEST_F(FontPPTest, AnUnchangedFontIsSavedAndACancelledChooserChangesNothing) {
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_FONT); // no answer queued: the chooser is cancelled
        user.Check(IDC_FONT_DEFAULT);
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_bChanged, 0);
    EXPECT_EQ(host.FontRequests().size(), 1u);
    CGraphicFont restored;
    ASSERT_TRUE(restored.Restore());
    EXPECT_EQ(restored.m_strFaceName, "Arial");
    EXPECT_EQ(restored.GetSize(), 12);
}

} // namespace
} // namespace vellum::test
