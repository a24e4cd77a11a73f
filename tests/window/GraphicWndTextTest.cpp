#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "support/TextTesting.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicText.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <vector>

namespace vellum::test {
namespace {

using Items = std::vector<CGraphicItem*>;

class GraphicWndText : public ::testing::Test {
protected:
    // Action 5 dragged from one view point to another, the editor answered by script.
    CGraphicText* DrawTextBox(CPoint from, CPoint to, CScriptedUiHost::Script script) {
        host.AddScript(std::move(script));
        wnd.SetVectorAction(CGraphicWnd::actionText);
        wnd.LButtonDown(0, from);
        wnd.MouseMove(0, to);
        wnd.LButtonUp(0, to);
        return dynamic_cast<CGraphicText*>(wnd.GetActiveItem());
    }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope hostScope{host};
    CLiveItemCheck check;
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

TEST_F(GraphicWndText, ActionFiveDrawsATextBoxAndOpensItsEditorOnRelease) {
    const CWnd* sheetParent = nullptr;
    CGraphicText* text = DrawTextBox(CPoint(10, 10), CPoint(60, 30), [&](CScriptedUser& user) {
        sheetParent = user.Sheet().GetParent();
        // The box is in the list already while its editor is open.
        EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), 0x0010).size(), 1u);
        user.Type(IDC_TEXT, "Propriet\xE0 perch\xE9");
        user.OK();
    });
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(host.DialogsRun(), 1);
    EXPECT_EQ(sheetParent, &wnd);
    EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), 0x0010), Items{text});
    EXPECT_EQ(text->GetClass(), 0x0010);
    EXPECT_EQ(text->GetText(), "Propriet\xE0 perch\xE9");
    EXPECT_EQ(text->GetCorner(0), CVector(10, 10));
    EXPECT_EQ(text->GetCorner(2), CVector(60, 30));
    EXPECT_EQ(text->GetDrag(), 0);
    EXPECT_EQ(text->GetFontSize(), 10); // no saved default: the default font
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.IsModified(), 1);
}

TEST_F(GraphicWndText, TheNewTextTakesTheSavedFontAndTheForcedClass) {
    CGraphicFont saved;
    saved.m_strFaceName = "DejaVu Serif";
    saved.SetSize(24);
    saved.SetColor(RGB(0, 0, 255));
    ASSERT_TRUE(saved.Save());
    // A text's default colour is kept with the font's settings, not with the drawings'.
    CUserSettings::WriteProfileString("UserGraphicsFont", "DefaultColor", "255,0,255");
    CUserSettings::WriteProfileString("UserGraphics", "DefaultColor", "0,255,255");
    wnd.ForceNewItemType(0x0040);
    CGraphicText* text =
        DrawTextBox(CPoint(10, 10), CPoint(60, 30), [](CScriptedUser& user) { user.Cancel(); });
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetFont().m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(text->GetFontSize(), 24);
    EXPECT_EQ(text->GetFont().GetColor(), RGB(255, 0, 255));
    EXPECT_EQ(text->GetColor(), RGB(255, 0, 255));
    EXPECT_EQ(text->GetClass(), 0x0040);
    // Cancelled, the empty box stays in the list.
    EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), 0x0040), Items{text});
}

TEST_F(GraphicWndText, TheEditorGetsTheLastDrawFlags) {
    CRecordingDC dc;
    wnd.Draw(&dc, 0, CGraphicText::flagRightAligned);
    CGraphicText* text =
        DrawTextBox(CPoint(10, 10), CPoint(60, 30), [](CScriptedUser& user) { user.OK(); });
    ASSERT_NE(text, nullptr);
    // Right-aligned text is anchored at the right: the corners were exchanged.
    EXPECT_EQ(text->GetCorner(0), CVector(60, 10));
    EXPECT_EQ(text->GetCorner(3), CVector(10, 10));
}

TEST_F(GraphicWndText, AClickWithoutADragOpensNoEditor) {
    wnd.SetVectorAction(CGraphicWnd::actionText);
    wnd.LButtonDown(0, CPoint(10, 10));
    wnd.LButtonUp(0, CPoint(10, 10));
    EXPECT_EQ(host.DialogsRun(), 0);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);
}

} // namespace
} // namespace vellum::test
