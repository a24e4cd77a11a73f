#include "support/ArchiveBytes.h"
#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/ui/LibraryResources.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vellum::test {
namespace {

// The symbol "Croce" of group "Segni": one line over 100 × 50 pixels, 10 × 5 mm.
CGraphicItemList* NewLibrary() {
    auto* library = new CGraphicItemList;
    library->AddSymbolGroup("Segni");
    auto* symbol = new CGraphicSymbol;
    symbol->AddItem(NewItem<CGraphicLine>({CVector(0, 0), CVector(100, 50)}));
    symbol->Normalize();
    symbol->SetName("Croce");
    symbol->SetSize(10.0, 5.0);
    library->AddSymbolToGroup("Segni", symbol);
    return library;
}

class GraphicWndSymbol : public ::testing::Test {
protected:
    void SetUp() override {
        AddLibraryResources();
        wnd.SetCalibrated(1);
        wnd.SetResolution(20.0, 20.0);
        wnd.SetSymbolLibrary(NewLibrary());
    }
    // The user picks the first symbol of the first group.
    void ChooseFirstSymbol() {
        host.AddScript([](CScriptedUser& user) {
            ASSERT_TRUE(user.Dialog().SelectListItem(24255, 0));
            ASSERT_TRUE(user.Dialog().SelectListItem(24256, 0));
            user.OK();
        });
        wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope hostScope{host};
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

TEST_F(GraphicWndSymbol, AChosenSymbolIsPlacedByAMoveAtItsSizeInMillimetres) {
    ChooseFirstSymbol();
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateSymbolChosen);
    auto* symbol = dynamic_cast<CGraphicSymbol*>(wnd.GetActiveItem());
    ASSERT_NE(symbol, nullptr);
    EXPECT_STREQ(symbol->GetName(), "Croce");
    EXPECT_EQ(symbol->GetClass(), 0x0001);

    wnd.MouseMove(0, CPoint(300, 200)); // starts and centres it where the pointer is
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingEnd);
    EXPECT_EQ(wnd.GetLastNewItem(), symbol);
    // 10 × 5 mm at 20 pixels per millimetre: 200 × 100 pixels about the pointer.
    EXPECT_EQ(symbol->GetCorner(0), CVector(200, 150));
    EXPECT_EQ(symbol->GetCorner(2), CVector(400, 250));
    wnd.LButtonUp(0, CPoint(300, 200));
    EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), 0x0001), (std::vector<CGraphicItem*>{symbol}));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    // The release puts c2 at the pointer; the next drawing centres the frame between that
    // and c0, a quarter of the frame up and left.
    CRecordingDC dc;
    wnd.Draw(&dc, 0xFFFF, 0);
    EXPECT_EQ(symbol->GetCorner(0), CVector(150, 125));
    EXPECT_EQ(symbol->GetCorner(2), CVector(350, 225));
    // The library keeps its own symbol.
    std::unique_ptr<CGraphicSymbol> original(wnd.GetSymbolLibrary()->GetSymbol("Segni", "Croce"));
    EXPECT_NE(original, nullptr);
}

TEST_F(GraphicWndSymbol, APressPlacesTheSymbolAndCancellingChoosesNothing) {
    ChooseFirstSymbol();
    CGraphicItem* symbol = wnd.GetActiveItem();
    wnd.LButtonDown(0, CPoint(40, 50));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
    EXPECT_EQ(wnd.GetLastNewItem(), symbol);
    EXPECT_EQ(static_cast<CGraphicSymbol*>(symbol)->GetCorner(0), CVector(40, 50));

    wnd.LButtonUp(0, CPoint(40, 50));
    wnd.LButtonDown(0, CPoint(500, 500)); // gives the unplaced symbol up
    wnd.LButtonUp(0, CPoint(500, 500));
    host.AddScript([](CScriptedUser& user) { user.Cancel(); });
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    host.AddScript([](CScriptedUser& user) { user.OK(); }); // OK with nothing selected
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
}

TEST_F(GraphicWndSymbol, SaveAndOpenCarryTheWholeListAsOneSymbol) {
    CGraphicItemList* list = wnd.GetVectorItemList();
    auto* line = NewItem<CGraphicLine>({CVector(10, 20), CVector(50, 40)});
    list->AddItem(0x0020, line);
    CGraphicSymbol* placement = wnd.GetSymbol();
    EXPECT_EQ(placement->GetItems().GetCount(), 1);
    EXPECT_EQ(placement->GetItems().GetHead(), line); // shared, not copied
    EXPECT_DOUBLE_EQ(placement->Width(), 40.0 / 20.0);
    EXPECT_DOUBLE_EQ(placement->Height(), 20.0 / 20.0);
    wnd.SetResolution(10.0, 4.0);
    EXPECT_DOUBLE_EQ(placement->Width(), 4.0);
    EXPECT_DOUBLE_EQ(placement->Height(), 5.0);

    host.AddScript([](CScriptedUser& user) {
        user.Type(24262, "Tutto");
        user.Type(24264, "12");
        user.OK();
    });
    const Bytes saved = Store([&](CArchive& ar) { EXPECT_EQ(wnd.SaveSymbol(ar), 1); });
    EXPECT_STREQ(wnd.GetPlacementSymbol()->GetName(), "Tutto");

    CTestGraphicWnd other(&parent);
    int opened = 0;
    Load(saved, [&](CArchive& ar) { opened = other.OpenSymbol(ar); });
    EXPECT_EQ(opened, 1);
    const auto items = GroupItems(*other.GetVectorItemList(), 0x0001);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(Nodes(items[0]), (std::vector<CVector>{CVector(10, 20), CVector(50, 40)}));
    EXPECT_STREQ(other.GetPlacementSymbol()->GetName(), "Tutto");
    EXPECT_EQ(other.GetPlacementSymbol()->Width(), 12.0);

    // Deleting an item also takes it out of the placement symbol.
    other.SetVectorAction(CGraphicWnd::actionDelete);
    other.LButtonDown(0, CPoint(30, 30));
    EXPECT_EQ(other.GetPlacementSymbol()->GetItems().GetCount(), 0);
}

TEST_F(GraphicWndSymbol, OpeningWhatIsNoSymbolLeavesAnEmptyList) {
    CGraphicLine line;
    const Bytes notSymbol = Store([&](CArchive& ar) { ar << &line; });
    int opened = 1;
    Load(notSymbol, [&](CArchive& ar) { opened = wnd.OpenSymbol(ar); });
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);
    EXPECT_EQ(wnd.GetPlacementSymbol(), nullptr);
    const Bytes cut(notSymbol.begin(), notSymbol.begin() + 10);
    Load(cut, [&](CArchive& ar) { opened = wnd.OpenSymbol(ar); });
    EXPECT_EQ(opened, 0);
}

TEST_F(GraphicWndSymbol, AFreehandStrokeAddsAPointEveryOtherMoveAndEndsOnRelease) {
    wnd.SetVectorAction(CGraphicWnd::actionFreeDraw);
    wnd.LButtonDown(0, CPoint(10, 10));
    wnd.MouseMove(0, CPoint(12, 10)); // the second point
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingNode);
    wnd.MouseMove(0, CPoint(14, 11)); // follows, then waits for the next point
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateBetweenNodes);
    wnd.MouseMove(0, CPoint(16, 13)); // a new point
    wnd.MouseMove(0, CPoint(18, 16));
    auto* stroke = dynamic_cast<CGraphicFreeDraw*>(wnd.GetActiveItem());
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(Nodes(stroke),
              (std::vector<CVector>{CVector(10, 10), CVector(14, 11), CVector(18, 16)}));
    wnd.LButtonUp(0, CPoint(19, 18));
    EXPECT_EQ(Nodes(stroke),
              (std::vector<CVector>{CVector(10, 10), CVector(14, 11), CVector(19, 18)}));
    EXPECT_EQ(GroupItems(*wnd.GetVectorItemList(), 0x0020), (std::vector<CGraphicItem*>{stroke}));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(stroke->GetDrag(), 0);
    EXPECT_EQ(stroke->GetBoxCorner(0), CVector(10, 10));
    EXPECT_EQ(stroke->GetBoxCorner(2), CVector(19, 18));
}

} // namespace
} // namespace vellum::test
