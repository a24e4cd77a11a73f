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

namespace vellum::test {
namespace {

constexpr CControlTemplate kControls[] = {
    {ControlKind::PushButton, IDOK, "OK", 7, 7, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
};
constexpr CDialogTemplate kTemplate{6001, "Headless", 100, 40, kControls};

TEST(UiHost, HeadlessCancelsDialogsSheetsAndChoosersAndDeclinesMessageBoxes) {
    CHeadlessUiHost headless;
    CUiHostScope scope(headless);

    CDialog dialog(&kTemplate);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    CPropertyPage page(&kTemplate);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);

    CColorDialog colour(RGB(1, 2, 3));
    EXPECT_EQ(colour.DoModal(), IDCANCEL);
    EXPECT_EQ(colour.GetColor(), RGB(1, 2, 3));

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 5, "Five");
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);
    headless.SetCursor(IDC_SIZEALL);
    EXPECT_TRUE(headless.GetMessages().empty());

    // Message boxes are recorded and get the negative answer.
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
}

// The owner and flags of a chooser without a starting font; CFontData::Select checks the rest.
TEST(UiHost, TheFontChooserPassesItsOwnerAndFlags) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    host.AnswerFont({LOGFONT{}, 120, RGB(0, 0, 255)});
    CWnd parent;
    CFontDialog chooser(nullptr, CF_SCREENFONTS, nullptr, &parent);
    EXPECT_EQ(chooser.DoModal(), IDOK);
    EXPECT_EQ(host.FontRequests()[0].Flags, CF_SCREENFONTS);
    EXPECT_EQ(host.FontRequests()[0].hwndOwner, &parent);
    CFontDialog fresh;
    EXPECT_EQ(fresh.DoModal(), IDCANCEL); // no answer left
    EXPECT_EQ(host.FontRequests()[1].Flags, CF_EFFECTS | CF_SCREENFONTS);
}

} // namespace
} // namespace vellum::test
