#include "support/ScriptedUiHost.h"

#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/Menu.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>

#include <gtest/gtest.h>

#include <cstring>

namespace vellum::test {
namespace {

constexpr CControlTemplate kControls[] = {
    {ControlKind::PushButton, IDOK, "OK", 7, 7, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
};
constexpr CDialogTemplate kTemplate{6001, "Headless", 100, 40, kControls};

class OkDialog : public CDialog {
public:
    OkDialog() : CDialog(&kTemplate) {}
    bool ok = false;

protected:
    void OnOK() override {
        ok = true;
        CDialog::OnOK();
    }
};

TEST(UiHost, TheHeadlessHostIsTheDefaultAndComesBack) {
    EXPECT_NE(dynamic_cast<CHeadlessUiHost*>(&AfxGetUiHost()), nullptr);
    CScriptedUiHost scripted;
    {
        CUiHostScope scope(scripted);
        EXPECT_EQ(&AfxGetUiHost(), &scripted);
        CScriptedUiHost inner;
        {
            CUiHostScope innerScope(inner);
            EXPECT_EQ(&AfxGetUiHost(), &inner);
        }
        EXPECT_EQ(&AfxGetUiHost(), &scripted);
    }
    EXPECT_NE(dynamic_cast<CHeadlessUiHost*>(&AfxGetUiHost()), nullptr);

    CUiHost* headless = AfxSetUiHost(&scripted);
    EXPECT_NE(dynamic_cast<CHeadlessUiHost*>(headless), nullptr);
    EXPECT_EQ(AfxSetUiHost(nullptr), &scripted);
    EXPECT_EQ(&AfxGetUiHost(), headless);
}

TEST(UiHost, HeadlessCancelsDialogsSheetsAndChoosers) {
    CHeadlessUiHost headless;
    CUiHostScope scope(headless);

    OkDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.ok);

    CPropertyPage page(&kTemplate);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);

    CColorDialog colour(RGB(1, 2, 3));
    EXPECT_EQ(colour.DoModal(), IDCANCEL);
    EXPECT_EQ(colour.GetColor(), RGB(1, 2, 3));
    CFontDialog font;
    EXPECT_EQ(font.DoModal(), IDCANCEL);

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 5, "Five");
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);
    headless.SetCursor(IDC_SIZEALL);
    EXPECT_TRUE(headless.GetMessages().empty());
}

TEST(UiHost, HeadlessRecordsMessageBoxesAndDeclines) {
    CHeadlessUiHost headless;
    CUiHostScope scope(headless);
    const std::pair<UINT, int> answers[] = {{MB_OK, IDOK},
                                            {MB_OKCANCEL, IDCANCEL},
                                            {MB_ABORTRETRYIGNORE, IDABORT},
                                            {MB_YESNOCANCEL, IDCANCEL},
                                            {MB_YESNO, IDNO},
                                            {MB_RETRYCANCEL, IDCANCEL}};
    for (const auto& [type, answer] : answers)
        EXPECT_EQ(AfxMessageBox("Question?", type | MB_ICONQUESTION), answer) << type;
    ASSERT_EQ(headless.GetMessages().size(), 6u);
    EXPECT_EQ(headless.GetMessages()[4].text, "Question?");
    EXPECT_EQ(headless.GetMessages()[4].caption, ""); // the application's title
    EXPECT_EQ(headless.GetMessages()[4].type & MB_ICONMASK, MB_ICONQUESTION);
    headless.ClearMessages();
    EXPECT_TRUE(headless.GetMessages().empty());
}

TEST(UiHost, MessageBoxesTakeTheirTextFromTheResourceChain) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    constexpr CStringResource strings[] = {{6100, "Stop!"}};
    const CResourceTable table{strings, {}, {}};
    AfxAddResourceTable(&table);
    host.AnswerMessage(IDYES);
    EXPECT_EQ(AfxMessageBox(6100u, MB_YESNO | MB_ICONSTOP), IDYES);
    EXPECT_EQ(AfxMessageBox(6101u, MB_ICONSTOP), 0); // no such string: nothing shown
    AfxRemoveResourceTable(&table);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Stop!");
    EXPECT_EQ(host.Messages()[0].type, MB_YESNO | MB_ICONSTOP);
    EXPECT_EQ(host.Messages()[0].owner, nullptr);
}

TEST(UiHost, TheColourChooserStartsFromTheGivenColourAndGivesTheChoice) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CWnd parent;
    host.AnswerColor(RGB(255, 0, 0));
    CColorDialog chooser(RGB(0, 255, 0), CC_FULLOPEN, &parent);
    EXPECT_EQ(chooser.DoModal(), IDOK);
    EXPECT_EQ(chooser.GetColor(), RGB(255, 0, 0));
    ASSERT_EQ(host.ColorRequests().size(), 1u);
    const CHOOSECOLOR& request = host.ColorRequests()[0];
    EXPECT_EQ(request.rgbResult, RGB(0, 255, 0));
    EXPECT_EQ(request.Flags, CC_FULLOPEN | CC_RGBINIT);
    EXPECT_EQ(request.hwndOwner, &parent);
    EXPECT_NE(request.lpCustColors, nullptr);

    host.CancelColor();
    CColorDialog cancelled(RGB(0, 0, 9));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(0, 0, 9));
}

TEST(UiHost, TheFontChooserStartsFromTheGivenFontAndGivesTheChoice) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    LOGFONT initial{};
    initial.lfHeight = -13;
    std::strcpy(initial.lfFaceName, "Arial");
    LOGFONT chosen{};
    chosen.lfWeight = FW_BOLD;
    chosen.lfItalic = 1;
    std::strcpy(chosen.lfFaceName, "DejaVu Sans");
    host.AnswerFont({chosen, 120, RGB(0, 0, 255)});

    CWnd parent;
    CFontDialog chooser(&initial, CF_SCREENFONTS, nullptr, &parent);
    EXPECT_EQ(chooser.DoModal(), IDOK);
    ASSERT_EQ(host.FontsShown().size(), 1u);
    EXPECT_EQ(host.FontsShown()[0].lfHeight, -13);
    EXPECT_STREQ(host.FontsShown()[0].lfFaceName, "Arial");
    EXPECT_EQ(host.FontRequests()[0].Flags, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    EXPECT_EQ(host.FontRequests()[0].hwndOwner, &parent);
    EXPECT_EQ(chooser.GetFaceName(), "DejaVu Sans");
    EXPECT_TRUE(chooser.IsBold());
    EXPECT_TRUE(chooser.IsItalic());
    EXPECT_FALSE(chooser.IsUnderline());
    EXPECT_EQ(chooser.GetWeight(), FW_BOLD);
    EXPECT_EQ(chooser.GetSize(), 120);
    EXPECT_EQ(chooser.GetColor(), RGB(0, 0, 255));
    LOGFONT current{};
    chooser.GetCurrentFont(&current);
    EXPECT_STREQ(current.lfFaceName, "DejaVu Sans");

    CFontDialog fresh;
    EXPECT_EQ(fresh.DoModal(), IDCANCEL); // no answer left
    EXPECT_EQ(host.FontRequests()[1].Flags, CF_EFFECTS | CF_SCREENFONTS);
}

} // namespace
} // namespace vellum::test
