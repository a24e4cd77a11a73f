#include "support/TextTesting.h"
#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/TextPP.h>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

class FontPPTest : public ::testing::Test {
protected:
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope{host};
    CFontPP page;
    CPropertySheet sheet{"Sheet"};

    void SetUp() override {
        page.m_font.SetSize(12);
        sheet.AddPage(&page);
    }
};

TEST_F(FontPPTest, IsTheFontTemplateWithNothingChosenYet) {
    EXPECT_STREQ(page.GetRuntimeClass()->m_lpszClassName, "CFontPP");
    EXPECT_EQ(page.GetCaption(), "Font");
    ASSERT_NE(page.GetTemplate(), nullptr);
    EXPECT_EQ(page.GetTemplate()->id, IDD_FONT_PP);
    EXPECT_EQ(page.m_bSetDefault, 0);
    EXPECT_EQ(page.m_bChanged, 0);
}

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
    host.AnswerFont(ChosenFont("DejaVu Serif", 90));
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_FONT);
        user.Check(IDC_FONT_DEFAULT);
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    CGraphicFont restored;
    ASSERT_TRUE(restored.Restore());
    EXPECT_EQ(restored.m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(restored.GetSize(), 9);
    EXPECT_EQ(restored.GetColor(), RGB(255, 0, 0));

    // The same with Cancel writes nothing; an unchanged font checked as default is saved.
    TempSettings fresh;
    CFontPP cancelled;
    CPropertySheet cancelledSheet("Sheet");
    cancelledSheet.AddPage(&cancelled);
    host.AnswerFont(ChosenFont("DejaVu Serif", 90));
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_FONT);
        user.Check(IDC_FONT_DEFAULT);
        user.Cancel();
    });
    EXPECT_EQ(cancelledSheet.DoModal(), IDCANCEL);
    EXPECT_EQ(fresh.Contents(), "");

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

TEST(TextPP, ExchangesTheTextWithTheMultiLineEdit) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CTextPP page;
    EXPECT_STREQ(page.GetRuntimeClass()->m_lpszClassName, "CTextPP");
    EXPECT_EQ(page.GetCaption(), "Testo");
    EXPECT_EQ(page.m_strText, "");
    page.m_strText = "riga uno\r\nriga due";
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
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
