#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/ui/LibraryResources.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Items = std::vector<CGraphicItem*>;

class GraphicWndRect : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandIns();
        AddLibraryResources();
    }
    Items Drawings() { return GroupItems(*wnd.GetVectorItemList(), 0x0020); }
    void Drag(CPoint from, CPoint to) {
        wnd.LButtonDown(0, from);
        wnd.MouseMove(0, to);
        wnd.LButtonUp(0, to);
    }
    // The item's corners as "(x,y)" in order.
    static std::string Corners(CGraphicItem* item) {
        std::string text;
        for (const CVector& c : Nodes(item))
            text += "(" + std::to_string(int(c.x)) + "," + std::to_string(int(c.y)) + ")";
        return text;
    }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope hostScope{host};
    CLiveItemCheck check;
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

TEST_F(GraphicWndRect, RectangleAndSelectionAreDrawnCornerToCorner) {
    struct Case {
        int action;
        WORD forced;
        CPoint from, to;
        const char* kind;
        bool isRect; // a run-time kind of CGraphicRect
        WORD itemClass;
        const char* corners;
        int actionAfter;
    };
    const Case cases[] = {
        {12,
         0,
         {30, 40},
         {70, 60},
         "CGraphicRect",
         true,
         0x0020,
         "(30,40)(30,60)(70,60)(70,40)",
         0},
        {12,
         0x0004,
         {70, 60},
         {30, 40},
         "CGraphicRect",
         true,
         0x0004,
         "(70,60)(70,40)(30,40)(30,60)",
         0},
        {12,
         0,
         {30, 40},
         {30, 60},
         "CGraphicRect",
         true,
         0x0020,
         "(30,40)(30,60)(31,60)(31,40)",
         0},
        {14,
         0,
         {30, 40},
         {70, 60},
         "CGraphicSelectionRect",
         false,
         0x0020,
         "(30,40)(30,60)(70,60)(70,40)",
         14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.action) + " to " + std::to_string(c.to.x));
        wnd.ForceNewItemType(c.forced);
        wnd.SetVectorAction(c.action);
        wnd.LButtonDown(0, c.from);
        CGraphicItem* item = wnd.GetActiveItem();
        ASSERT_NE(item, nullptr);
        EXPECT_STREQ(item->GetRuntimeClass()->m_lpszClassName, c.kind);
        EXPECT_EQ(item->IsKindOf(RUNTIME_CLASS(CGraphicRect)), c.isRect);
        EXPECT_EQ(item->GetClass(), c.itemClass);
        EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
        wnd.MouseMove(0, c.to);
        EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingEnd);
        wnd.LButtonUp(0, c.to);
        EXPECT_EQ(Corners(item), c.corners);
        EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), c.itemClass), Items{item});
        EXPECT_EQ(wnd.GetActiveItem(), item);
        EXPECT_EQ(wnd.GetVectorAction(), c.actionAfter);
        EXPECT_EQ(wnd.RemoveGraphicItem(item), 1);
    }
}

TEST_F(GraphicWndRect, TheNextPressReplacesTheSelection) {
    wnd.SetVectorAction(CGraphicWnd::actionSelectionRect);
    Drag({10, 10}, {60, 30});
    CGraphicItem* first = wnd.GetActiveItem();
    ASSERT_EQ(Drawings(), Items{first});

    wnd.LButtonDown(0, CPoint(100, 100));
    CGraphicItem* second = wnd.GetActiveItem();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Drawings().empty()); // the first is gone, the second not yet added
    EXPECT_EQ(Corners(second), "(100,100)(100,101)(101,101)(101,100)");
    wnd.MouseMove(0, CPoint(120, 90));
    wnd.LButtonUp(0, CPoint(120, 90));
    EXPECT_EQ(Drawings(), Items{second});
    EXPECT_EQ(Corners(second), "(100,100)(100,90)(120,90)(120,100)");

    // Another action: the selection still goes at the next press, and nothing replaces it.
    wnd.SetVectorAction(CGraphicWnd::actionSelect);
    wnd.LButtonDown(0, CPoint(300, 300));
    EXPECT_TRUE(Drawings().empty());
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
}

TEST_F(GraphicWndRect, RectanglesAreReshapedByTheirCornersAndOfferTheirMenu) {
    struct Case {
        int action;
        bool drag; // a press with action 0 would take a selection away
        CPoint press, release;
        const char* corners;
        const char* menu;
        UINT command;
    };
    const Case cases[] = {
        {12, true, {50, 30}, {60, 35}, "(10,10)(10,35)(60,35)(60,10)", "Propiet\xE0...", 49500},
        {12, true, {20, 20}, {25, 18}, "(15,8)(15,28)(55,28)(55,8)", "Propiet\xE0...", 49500},
        {14, false, {}, {}, "(10,10)(10,30)(50,30)(50,10)", "Taglia immagine", 49501},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        wnd.SetVectorAction(c.action);
        Drag({10, 10}, {50, 30});
        CGraphicItem* item = wnd.GetActiveItem();
        wnd.SetVectorAction(CGraphicWnd::actionSelect);
        if (c.drag)
            Drag(c.press, c.release);
        EXPECT_EQ(Corners(item), c.corners);

        EXPECT_EQ(wnd.RButtonDown(0, CPoint(30, 20)), 1);
        ASSERT_EQ(host.Menus().size(), i + 1);
        EXPECT_EQ(host.Menus()[i].texts, std::vector<CString>{CString(c.menu)});
        EXPECT_EQ(host.Menus()[i].commands, std::vector<UINT>{c.command});
        EXPECT_EQ(wnd.RemoveGraphicItem(item), 1);
    }
}

} // namespace
} // namespace vellum::test
