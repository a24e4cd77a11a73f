#include "support/ScriptedUiHost.h"

#include <vellum/ui/AdvancedCalibrationDlg.h>
#include <vellum/ui/CalibrationDlg.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

struct Flags {
    int horizontal, vertical, both;
    bool operator==(const Flags&) const = default;
};

TEST(CalibrationDlg, TheDirectionTextFollowsTheChoiceMadeInTheAdvancedDialog) {
    struct Case {
        int click;   // the radio button clicked in the direction dialog
        int button;  // and the button that closes it
        Flags flags; // the calibration dialog's flags afterwards
        const char* text;
    };
    const Case cases[] = {
        {IDC_VERTICAL_ONLY, IDOK, {0, 1, 0}, "Solo calibrazione verticale"},
        {IDC_HORIZONTAL_ONLY, IDOK, {1, 0, 0}, "Solo calibrazione orizzontale"},
        {IDC_BOTH_AXES, IDOK, {0, 0, 1}, "Calibrazione orizzontale e verticale"},
        {IDC_VERTICAL_ONLY, IDCANCEL, {0, 0, 1}, "Calibrazione orizzontale e verticale"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CScriptedUiHost host;
        CUiHostScope scope(host);
        CCalibrationDlg dialog;
        host.AddScript([&](CScriptedUser& user) {
            host.AddScript([&](CScriptedUser& advanced) {
                EXPECT_EQ(advanced.Checked(IDC_BOTH_AXES), BST_CHECKED);
                advanced.Click(c.click);
                c.button == IDOK ? advanced.OK() : advanced.Cancel();
            });
            user.Click(IDC_DIRECTION_BUTTON);
            EXPECT_EQ(user.Text(IDC_DIRECTION), c.text);
            user.OK();
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ((Flags{dialog.m_nHorizontalOnly, dialog.m_nVerticalOnly, dialog.m_nBothAxes}),
                  c.flags);
    }
}

TEST(AdvancedCalibrationDlg, OpensOnTheFirstFlagSetAndKeepsExactlyOne) {
    struct Case {
        Flags preset;
        Flags opened; // the flags once the dialog is open
        int checked;  // the radio button checked, 0 for none
    };
    const Case cases[] = {
        {{1, 1, 1}, {0, 0, 1}, IDC_BOTH_AXES},
        {{1, 1, 0}, {0, 1, 0}, IDC_VERTICAL_ONLY},
        {{1, 0, 0}, {1, 0, 0}, IDC_HORIZONTAL_ONLY},
        {{0, 0, 0}, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.checked);
        CScriptedUiHost host;
        CUiHostScope scope(host);
        CAdvancedCalibrationDlg dialog;
        dialog.m_nHorizontalOnly = c.preset.horizontal;
        dialog.m_nVerticalOnly = c.preset.vertical;
        dialog.m_nBothAxes = c.preset.both;
        host.AddScript([&](CScriptedUser& user) {
            EXPECT_EQ((Flags{dialog.m_nHorizontalOnly, dialog.m_nVerticalOnly, dialog.m_nBothAxes}),
                      c.opened);
            for (int id : {IDC_HORIZONTAL_ONLY, IDC_VERTICAL_ONLY, IDC_BOTH_AXES})
                EXPECT_EQ(user.Checked(id), id == c.checked ? BST_CHECKED : BST_UNCHECKED) << id;
            user.Click(IDC_HORIZONTAL_ONLY);
            user.OK();
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ((Flags{dialog.m_nHorizontalOnly, dialog.m_nVerticalOnly, dialog.m_nBothAxes}),
                  (Flags{1, 0, 0}));
    }
}

} // namespace
} // namespace vellum::test
