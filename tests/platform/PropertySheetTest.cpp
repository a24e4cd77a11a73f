#include "support/ScriptedUiHost.h"

#include <vellum/platform/DataExchange.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

constexpr int IDC_VALUE = 30;

constexpr CControlTemplate kControls[] = {
    {ControlKind::Edit, IDC_VALUE, "", 7, 7, 40, 14, WS_TABSTOP},
};
constexpr CDialogTemplate kFirst{5001, "First", 100, 50, kControls};
constexpr CDialogTemplate kSecond{5002, "Second", 100, 50, kControls};
constexpr CDialogTemplate kThird{5003, "Third", 100, 50, kControls};

using Log = std::vector<std::string>;

// A page that accepts values from 1 to 9 and logs what the sheet asks of it.
class LogPage : public CPropertyPage {
public:
    LogPage(const CDialogTemplate* pageTemplate, Log& log, UINT captionId = 0)
        : CPropertyPage(pageTemplate, captionId), m_log(log) {}

    int m_value = 1;
    BOOL m_allowCancel = TRUE;
    BOOL m_applyAnswer = TRUE;

    BOOL OnSetActive() override {
        Note("SetActive");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        Note("KillActive");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        Note("Apply");
        CPropertyPage::OnApply();
        return m_applyAnswer;
    }
    void OnReset() override {
        Note("Reset");
        CPropertyPage::OnReset();
    }
    BOOL OnQueryCancel() override { return m_allowCancel; }

protected:
    BOOL OnInitDialog() override {
        Note("Init");
        return CPropertyPage::OnInitDialog();
    }
    void OnOK() override { Note("OK"); }
    void OnCancel() override { Note("Cancel"); }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_VALUE, m_value);
        DDV_MinMaxInt(dx, m_value, 1, 9);
    }

private:
    void Note(const char* what) { m_log.push_back(std::string(GetCaption()) + " " + what); }

    Log& m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    CScriptedUiHost host;
    CUiHostScope scope{host};
    Log log;
    LogPage first{&kFirst, log};
    LogPage second{&kSecond, log};
    LogPage third{&kThird, log};
    CPropertySheet sheet{"Sheet"};

    void SetUp() override {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.AddPage(&third);
    }
};

TEST_F(PropertySheetTest, PagesOpenWhenFirstShownAndOkAppliesTheOpenedOnesInOrder) {
    host.AddScript([&](CScriptedUser& user) {
        EXPECT_EQ(user.Sheet().GetActivePage(), &first);
        EXPECT_EQ(user.Text(IDC_VALUE), "1");
        EXPECT_TRUE(user.Tab(2));
        user.Type(IDC_VALUE, "3");
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    const Log expected = {"First Init",      "First SetActive",  "First KillActive", "Third Init",
                          "Third SetActive", "Third KillActive", "First Apply",      "First OK",
                          "Third Apply",     "Third OK"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(third.m_value, 3);
    EXPECT_EQ(first.GetItemCount(), 0);
    EXPECT_EQ(third.GetItemCount(), 0);
}

TEST_F(PropertySheetTest, APageWithARefusedValueCanNeitherBeLeftNorConfirmed) {
    host.AddScript([&](CScriptedUser& user) {
        user.Type(IDC_VALUE, "0");
        EXPECT_FALSE(user.Tab(1));
        EXPECT_EQ(user.Sheet().GetActiveIndex(), 0);
        user.OK();
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(first.GetFocusId(), IDC_VALUE);
        user.Type(IDC_VALUE, "5");
        EXPECT_TRUE(user.Tab(1));
        user.OK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.m_value, 5);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].text, "Please enter an integer between 1 and 9.");
    EXPECT_EQ(host.Messages()[1].text, "Please enter an integer between 1 and 9.");
}

TEST_F(PropertySheetTest, CancelLetsTheOpenedPagesForgetUnlessTheShownPageObjects) {
    first.m_allowCancel = FALSE;
    host.AddScript([&](CScriptedUser& user) {
        user.Type(IDC_VALUE, "4");
        user.Cancel();
        EXPECT_TRUE(user.IsOpen());
        first.m_allowCancel = TRUE;
        user.Cancel();
        EXPECT_FALSE(user.IsOpen());
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    const Log expected = {"First Init", "First SetActive", "First Reset", "First Cancel"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(first.m_value, 1);
}

TEST_F(PropertySheetTest, NothingOpensWithoutPagesOrWithAPageWithoutTemplate) {
    CPropertySheet empty("Empty");
    EXPECT_EQ(empty.DoModal(), -1);
    CPropertyPage missing(5999u);
    empty.AddPage(&first);
    empty.AddPage(&missing);
    EXPECT_EQ(empty.DoModal(), -1);
    EXPECT_EQ(host.DialogsRun(), 0);
    EXPECT_TRUE(log.empty());

    // A host that returns without closing the sheet cancels it, whatever the page says.
    first.m_allowCancel = FALSE;
    host.AddScript([](CScriptedUser&) {});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(sheet.IsOpen());
    EXPECT_FALSE(first.IsOpen());
}

} // namespace
} // namespace vellum::test
