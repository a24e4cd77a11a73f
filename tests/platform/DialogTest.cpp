#include "support/ScriptedUiHost.h"

#include <vellum/platform/DataExchange.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/SpinButtonCtrl.h>
#include <vellum/platform/UiHost.h>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace vellum::test {
namespace {

using enum ControlKind;

constexpr int IDC_INT = 10, IDC_UINT = 11, IDC_REAL = 12, IDC_NAME = 13, IDC_FLAG = 14,
              IDC_PUSH = 18, IDC_COUNT = 19, IDC_SPIN = 20, IDC_NOTE = 21;

constexpr CControlTemplate kControls[] = {
    {Label, IDC_STATIC, "Integer:", 7, 7, 40, 8, 0},
    {Edit, IDC_INT, "", 50, 7, 40, 14, WS_TABSTOP},
    {Edit, IDC_UINT, "", 50, 24, 40, 14, WS_TABSTOP},
    {Edit, IDC_REAL, "", 50, 41, 40, 14, WS_TABSTOP},
    {Edit, IDC_NAME, "", 50, 58, 40, 14, WS_TABSTOP},
    {CheckBox, IDC_FLAG, "Flag", 7, 75, 40, 10, WS_TABSTOP},
    {PushButton, IDC_PUSH, "Push", 7, 124, 40, 14, WS_GROUP | WS_TABSTOP},
    {Edit, IDC_COUNT, "", 50, 124, 30, 14, WS_TABSTOP},
    {UpDown, IDC_SPIN, "", 80, 124, 10, 14, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {Edit, IDC_NOTE, "note", 7, 141, 80, 14, ES_READONLY},
    {PushButton, IDOK, "OK", 100, 7, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {PushButton, IDCANCEL, "Cancel", 100, 24, 50, 14, WS_TABSTOP},
};
constexpr CDialogTemplate kTemplate{4242, "Test", 160, 170, kControls};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(&kTemplate) {}

    int m_int = -3;
    UINT m_uint = 2;
    double m_real = 2.5;
    CString m_name = "abc";
    int m_flag = BST_CHECKED;
    CSpinButtonCtrl m_spin;

    std::vector<NMUPDOWN> m_spins;
    LRESULT m_spinAnswer = 0;
    int m_endWith = 0;

    BOOL OnCommand(UINT id, UINT code) override {
        if (id == IDC_PUSH && code == BN_CLICKED && m_endWith) {
            EndDialog(m_endWith);
            return TRUE;
        }
        return CDialog::OnCommand(id, code);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_INT, m_int);
        DDV_MinMaxInt(dx, m_int, -10, 10);
        DDX_Text(dx, IDC_UINT, m_uint);
        DDV_MinMaxUInt(dx, m_uint, 1, 5);
        DDX_Text(dx, IDC_REAL, m_real);
        DDV_MinMaxDouble(dx, m_real, 0.0, 500.0);
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Check(dx, IDC_FLAG, m_flag);
        DDX_Control(dx, IDC_SPIN, m_spin);
    }

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_spin.SetRange(0, 10);
        m_spin.SetPos(4);
        return TRUE;
    }

    BOOL OnNotify(NMHDR* header, LRESULT* result) override {
        m_spins.push_back(*reinterpret_cast<NMUPDOWN*>(header));
        *result = m_spinAnswer;
        return TRUE;
    }
};

class DialogTest : public ::testing::Test {
protected:
    CScriptedUiHost host;
    CUiHostScope scope{host};
};

TEST_F(DialogTest, OpensWithTheMembersInTheControlsAndTheFocusOnTheFirstTabStop) {
    TestDialog dialog;
    host.AddScript([&](CScriptedUser& user) {
        EXPECT_EQ(dialog.GetItemCount(), 12);
        EXPECT_EQ(user.Text(IDC_INT), "-3");
        EXPECT_EQ(user.Text(IDC_REAL), "2.5");
        EXPECT_EQ(user.Text(IDC_NOTE), "note");
        EXPECT_EQ(user.Checked(IDC_FLAG), BST_CHECKED);
        EXPECT_EQ(user.Text(IDC_COUNT), "4");
        EXPECT_EQ(dialog.m_spin.GetPos(), 4);
        EXPECT_EQ(dialog.m_spin.GetBuddy(), dialog.GetDlgItem(IDC_COUNT));
        EXPECT_EQ(dialog.GetFocusId(), IDC_INT);
        user.Cancel();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetItemCount(), 0);
    EXPECT_EQ(dialog.m_spin.GetPos(), 0); // the control is gone
}

TEST_F(DialogTest, OkSavesWhatTheUserTyped) {
    TestDialog dialog;
    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_INT, " 8 ");
        user.Type(IDC_UINT, "+5");
        user.Type(IDC_REAL, "12.75");
        user.Type(IDC_NAME, "Propiet\xE0");
        user.Check(IDC_FLAG, false);
        user.OK();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_int, 8);
    EXPECT_EQ(dialog.m_uint, 5u);
    EXPECT_EQ(dialog.m_real, 12.75);
    EXPECT_EQ(dialog.m_name, "Propiet\xE0");
    EXPECT_EQ(dialog.m_flag, BST_UNCHECKED);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DialogTest, RefusedValuesKeepTheDialogOpenWithThePromptAndTheFocusOnTheControl) {
    const std::tuple<int, const char*, const char*> refusals[] = {
        {IDC_INT, "abc", "Please enter an integer."},
        {IDC_INT, "3x", "Please enter an integer."},
        {IDC_INT, "99999999999", "Please enter an integer."},
        {IDC_INT, "11", "Please enter an integer between -10 and 10."},
        {IDC_REAL, "1,5", "Please enter a number."},
        {IDC_REAL, "nan", "Please enter a number."},
        {IDC_REAL, "500.5", "Please enter a number between 0 and 500."},
    };
    for (const auto& [id, text, prompt] : refusals) {
        SCOPED_TRACE(text);
        CScriptedUiHost local;
        CUiHostScope localScope(local);
        TestDialog dialog;
        local.AddScript([&](CScriptedUser& user) {
            user.Type(id, text);
            user.Click(IDC_FLAG); // the focus moves away before OK
            user.OK();
            EXPECT_TRUE(user.IsOpen());
            EXPECT_EQ(dialog.GetFocusId(), id);
            user.Type(id, "1");
            user.OK();
            EXPECT_FALSE(user.IsOpen());
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        ASSERT_EQ(local.Messages().size(), 1u);
        EXPECT_EQ(local.Messages()[0].text, prompt);
        EXPECT_EQ(local.Messages()[0].type, MB_ICONEXCLAMATION);
        EXPECT_EQ(local.Messages()[0].owner, &dialog);
    }
}

TEST_F(DialogTest, NumbersAreWrittenAsTheFrameworkWritesThem) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {0.1, "0.1"}, {500.0, "500"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1e+20"}};
    for (const auto& [value, text] : cases) {
        TestDialog dialog;
        dialog.m_real = value;
        host.AddScript([text](CScriptedUser& user) {
            EXPECT_EQ(user.Text(IDC_REAL), text);
            user.Cancel();
        });
        dialog.DoModal();
    }
    EXPECT_EQ(host.DialogsRun(), 5);
}

TEST_F(DialogTest, SpinNotifiesBeforeMovingAndWritesItsBuddyAndAHandlerEndsTheDialog) {
    TestDialog dialog;
    dialog.m_endWith = 42;
    host.AddScript([&](CScriptedUser& user) {
        user.Spin(IDC_SPIN, 1);
        EXPECT_EQ(dialog.m_spin.GetPos(), 5);
        EXPECT_EQ(user.Text(IDC_COUNT), "5");

        dialog.m_spinAnswer = 1; // refused
        user.Spin(IDC_SPIN, 1);
        EXPECT_EQ(dialog.m_spin.GetPos(), 5);
        dialog.m_spinAnswer = 0;

        user.Type(IDC_COUNT, "9"); // the spin starts from what the user typed
        user.Spin(IDC_SPIN, 1);
        EXPECT_EQ(user.Text(IDC_COUNT), "10");
        user.Spin(IDC_SPIN, 1); // held at the end of the range
        EXPECT_EQ(user.Text(IDC_COUNT), "10");
        user.Type(IDC_COUNT, "junk"); // not a number: the position stays
        user.Spin(IDC_SPIN, -3);
        EXPECT_EQ(user.Text(IDC_COUNT), "7");
        user.Click(IDC_PUSH); // the handler's own result
    });
    EXPECT_EQ(dialog.DoModal(), 42);
    std::vector<std::pair<int, int>> positionsAndDeltas;
    for (const NMUPDOWN& change : dialog.m_spins) {
        EXPECT_EQ(change.hdr.idFrom, static_cast<UINT>(IDC_SPIN));
        EXPECT_EQ(change.hdr.code, UDN_DELTAPOS);
        positionsAndDeltas.emplace_back(change.iPos, change.iDelta);
    }
    EXPECT_EQ(positionsAndDeltas,
              (std::vector<std::pair<int, int>>{{4, 1}, {5, 1}, {9, 1}, {10, 1}, {10, -3}}));
}

TEST_F(DialogTest, WithoutATemplateNothingOpens) {
    CDialog dialog(4242u);
    EXPECT_EQ(dialog.GetTemplate(), nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(host.DialogsRun(), 0);
    EXPECT_FALSE(dialog.UpdateData(TRUE));
}

} // namespace
} // namespace vellum::test
