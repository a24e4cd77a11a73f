#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicRect.h>
#include <vellum/ui/LibraryResources.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

// Actions 12 and 14 from press to release, then a press with action 0 (a corner or the body
// of a rectangle; anywhere for a selection, which it removes) and the right button's menu.
TEST(GraphicWndRect, RectanglesAndSelectionsFromPressToMenu) {
    struct Case {
        int action;
        WORD forced;
        CPoint to;
        const char* drawn; // the corners after the release
        int drag[4];       // press and release with action 0
        const char* moved; // the corners after that drag; "" when the item is gone
    };
    const Case cases[] = {
        {12, 0, {50, 30}, "10,10 10,30 50,30 50,10", {50, 30, 60, 35}, "10,10 10,35 60,35 60,10"},
        {12, 4, {10, 30}, "10,10 10,30 11,30 11,10", {10, 20, 15, 18}, "15,8 15,28 16,28 16,8"},
        {12, 0, {2, 4}, "10,10 10,4 2,4 2,10", {2, 4, 0, 0}, "10,10 10,0 0,0 0,10"},
        {14, 0, {50, 30}, "10,10 10,30 50,30 50,10", {50, 30, 60, 35}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drawn);
        TempSettings settings;
        CScriptedUiHost host;
        CUiHostScope hostScope{host};
        CFakeWnd parent;
        CTestGraphicWnd wnd{&parent};
        AddLibraryResources();
        wnd.ForceNewItemType(c.forced);
        wnd.SetVectorAction(c.action);
        wnd.LButtonDown(0, CPoint(10, 10));
        CGraphicItem* item = wnd.GetActiveItem();
        ASSERT_NE(item, nullptr);
        const bool selection = c.action == 14;
        EXPECT_STREQ(item->GetRuntimeClass()->m_lpszClassName,
                     selection ? "CGraphicSelectionRect" : "CGraphicRect");
        wnd.MouseMove(0, c.to);
        EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingEnd);
        wnd.LButtonUp(0, c.to);
        auto corners = [&] {
            std::string text;
            for (const CVector& v : Nodes(item))
                text += (text.empty() ? "" : " ") + std::to_string(int(v.x)) + "," +
                        std::to_string(int(v.y));
            return text;
        };
        EXPECT_EQ(corners(), c.drawn);
        const WORD group = c.forced ? c.forced : 0x0020;
        EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), group), std::vector<CGraphicItem*>{item});
        EXPECT_EQ(wnd.GetVectorAction(), selection ? 14 : 0);

        EXPECT_EQ(wnd.RButtonDown(0, CPoint(10, 12)), 1);
        ASSERT_EQ(host.Menus().size(), 1u);
        EXPECT_EQ(host.Menus()[0].texts,
                  std::vector<CString>{CString(selection ? "Taglia immagine" : "Propiet\xE0...")});
        EXPECT_EQ(host.Menus()[0].commands, std::vector<UINT>{selection ? 49501u : 49500u});

        wnd.SetVectorAction(CGraphicWnd::actionSelect);
        wnd.LButtonDown(0, CPoint(c.drag[0], c.drag[1]));
        wnd.MouseMove(0, CPoint(c.drag[2], c.drag[3]));
        wnd.LButtonUp(0, CPoint(c.drag[2], c.drag[3]));
        EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), *c.moved ? 1 : 0);
        if (*c.moved) {
            EXPECT_EQ(corners(), c.moved);
        }
    }
}

} // namespace
} // namespace vellum::test
