#include "window/WindowTesting.h"

#include <vellum/platform/Menu.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Lines = std::vector<std::string>;
using Items = std::vector<CGraphicItem*>;
constexpr double kPi = 3.14159265358979;

using GraphicWndMouse = WindowTest;

TEST_F(GraphicWndMouse, AClickWithoutMovingLeavesTheNewLineWaiting) {
    wnd.SetVectorAction(CGraphicWnd::actionLine);
    wnd.LButtonDown(0, CPoint(30, 40));
    CGraphicItem* line = wnd.GetActiveItem();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetColor(), RGB(0, 255, 0));

    wnd.LButtonUp(0, CPoint(30, 40));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);

    // The next move goes on with it.
    wnd.MouseMove(0, CPoint(60, 80));
    EXPECT_EQ(wnd.OldArea(), CRect(25, 35, 65, 85));

    wnd.LButtonUp(0, CPoint(70, 90));
    EXPECT_EQ(Nodes(line), (Points{CVector(30, 40), CVector(70, 90)}));
    EXPECT_EQ(Group(0x0020), Items{line});
    EXPECT_EQ(line->GetDrag(), 0);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
    EXPECT_EQ(parent.Events(), (Lines{"GetDC 1", "ReleaseDC 1",
                                      "InvalidateRect (25,35)-(75,95) erase 1", "UpdateWindow"}));
}

TEST_F(GraphicWndMouse, APressDestroysAnItemNoListHoldsAndActionsWithoutAKindCreateNothing) {
    for (int action : {int(CGraphicWnd::actionSelect), 15, 99, -1}) {
        SCOPED_TRACE(action);
        wnd.SetVectorAction(action);
        wnd.StartHeldItem(new CProbeLine, CVector(5, 5), CGraphicWnd::stateStarted);
        wnd.LButtonDown(0, CPoint(50, 50)); // nothing there
        EXPECT_EQ(CProbeLine::s_live, 0);
        EXPECT_EQ(wnd.GetActiveItem(), nullptr);
        EXPECT_EQ(wnd.GetLastNewItem(), nullptr);
        EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
        EXPECT_EQ(wnd.GetVectorAction(), action);
    }
}

TEST_F(GraphicWndMouse, NewItemsTakeTheForcedTypeAndTheUsersDefaultsAndCanBeRemoved) {
    settings.Write("[UserGraphics]\nDefaultColor=255,0,0\nDefaultWidth=3\n");
    wnd.ForceNewItemType(0x0010);
    Drag(CGraphicWnd::actionLine, CPoint(10, 10), CPoint(40, 10));
    CGraphicItem* line = wnd.GetActiveItem();
    EXPECT_EQ(line->GetClass(), 0x0010);
    EXPECT_EQ(line->GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(line->GetLineWidth(), 3.0);
    EXPECT_EQ(Group(0x0010), Items{line});
    EXPECT_TRUE(Group(0x0020).empty());

    // RemoveGraphicItem deletes only what the list holds.
    CProbeLine stranger;
    EXPECT_EQ(wnd.RemoveGraphicItem(&stranger), 0);
    EXPECT_EQ(wnd.RemoveGraphicItem(nullptr), 0);
    EXPECT_EQ(wnd.GetActiveItem(), line);
    EXPECT_EQ(wnd.RemoveGraphicItem(line), 1);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.GetLastNewItem(), nullptr);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);
}

// The double click that ends a polyline ends a distance too, and is followed there.
TEST_F(GraphicWndMouse, APolylineIsDrawnNodeByNodeAndANewActionFinishesItAtTheLastPress) {
    wnd.SetVectorAction(CGraphicWnd::actionPolyLine);
    wnd.LButtonDown(0, CPoint(10, 10));
    CGraphicItem* poly = wnd.GetActiveItem();
    ASSERT_NE(poly, nullptr);
    wnd.MouseMove(0, CPoint(20, 10));
    wnd.MouseMove(0, CPoint(40, 10));
    wnd.LButtonUp(0, CPoint(40, 10));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateBetweenNodes);
    EXPECT_EQ(Nodes(poly), (Points{CVector(10, 10), CVector(40, 10)}));

    wnd.MouseMove(0, CPoint(45, 20)); // a node is added
    EXPECT_EQ(Nodes(poly), (Points{CVector(10, 10), CVector(40, 10), CVector(45, 20)}));
    wnd.MouseMove(0, CPoint(60, 40));
    Click(CPoint(60, 40));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateBetweenNodes);

    wnd.MouseMove(0, CPoint(62, 45));
    wnd.MouseMove(0, CPoint(80, 60));
    wnd.LButtonDown(0, CPoint(80, 60));
    wnd.MouseMove(0, CPoint(90, 70));
    ASSERT_EQ(wnd.State(), CGraphicWnd::stateDraggingNode);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);

    wnd.SetVectorAction(CGraphicWnd::actionText);
    EXPECT_EQ(Nodes(poly),
              (Points{CVector(10, 10), CVector(40, 10), CVector(60, 40), CVector(80, 60)}));
    EXPECT_EQ(Group(0x0020), Items{poly});
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect); // not 5
    EXPECT_EQ(parent.EventsStartingWith("InvalidateRect"),
              Lines{"InvalidateRect (4,4)-(85,65) erase 1"});
}

TEST_F(GraphicWndMouse, AReleaseCloserThanThreeImagePixelsToTheLastNodeIsIgnored) {
    const struct {
        double zoom;
        int releaseX; // in view pixels; the press was at image (10, 10)
        int state;
    } cases[] = {
        {1.0, 12, CGraphicWnd::stateDraggingNode}, // two pixels from the node
        {1.0, 10, CGraphicWnd::stateDraggingNode}, // on the node itself
        {1.0, 13, CGraphicWnd::stateBetweenNodes}, // exactly the tolerance
        {2.0, 25, CGraphicWnd::stateDraggingNode}, // five view pixels, two image pixels
        {2.0, 26, CGraphicWnd::stateBetweenNodes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " " << c.releaseX);
        CFakeWnd view;
        CTestGraphicWnd other(&view);
        other.SetZoomFactor(c.zoom);
        other.SetVectorAction(CGraphicWnd::actionPolyLine);
        const int y = static_cast<int>(10 * c.zoom);
        other.LButtonDown(0, CPoint(y, y));
        CGraphicItem* poly = other.GetActiveItem();
        other.MouseMove(0, CPoint(4 * y, y));
        other.LButtonUp(0, CPoint(c.releaseX, y));
        EXPECT_EQ(other.State(), c.state);
        EXPECT_EQ(other.GetVectorAction(), CGraphicWnd::actionPolyLine);
        EXPECT_EQ(ItemCount(*other.GetVectorItemList()), 0);
        if (c.state == CGraphicWnd::stateBetweenNodes) {
            EXPECT_EQ(Nodes(poly), (Points{CVector(10, 10), CVector(13, 10)}));
            continue;
        }
        // The rubber band goes on.
        const std::size_t before = view.DcCount();
        other.MouseMove(0, CPoint(3 * y, y));
        EXPECT_EQ(view.DcCount(), before + 1);
        EXPECT_EQ(Nodes(poly), (Points{CVector(10, 10), CVector(30, 10)}));
    }
}

TEST_F(GraphicWndMouse, ADragErasesChangesAndRedrawsInExclusiveOr) {
    wnd.SetImageOrg(CPoint(10, 20));
    wnd.SetZoomFactor(2.0);
    wnd.SetVectorAction(CGraphicWnd::actionLine);
    wnd.LButtonDown(0, CPoint(30, 40)); // image (10, 10)
    wnd.MouseMove(0, CPoint(70, 80));   // image (30, 30)
    wnd.MouseMove(0, CPoint(90, 100));  // image (40, 40)
    EXPECT_EQ(parent.Events(), (Lines{"GetDC 1", "ReleaseDC 1", "GetDC 2", "ReleaseDC 2"}));
    EXPECT_EQ(parent.DcsOutstanding(), 0);

    // The first move draws the new line once; every further move erases it, moves the end and
    // draws it again, in the black drag pen, at the image origin.
    EXPECT_EQ(parent.Dc(0).DrawingLines(),
              (Lines{"MoveTo (30,40)", "LineTo (30,40)-(70,80) pen 0/2/0x00000000 rop 10"}));
    EXPECT_EQ(parent.Dc(1).DrawingLines(),
              (Lines{"MoveTo (30,40)", "LineTo (30,40)-(70,80) pen 0/2/0x00000000 rop 10",
                     "MoveTo (30,40)", "LineTo (30,40)-(90,100) pen 0/2/0x00000000 rop 10"}));
    const Lines all = parent.Dc(1).Lines();
    EXPECT_EQ(all.front(), "Mapping mode 1 window (0,0) ext (1,1) viewport (10,20) ext (1,1)");
    EXPECT_EQ(all.back(), "Mapping mode 1 window (0,0) ext (1,1) viewport (0,0) ext (1,1)");
}

TEST_F(GraphicWndMouse, MovingAnItemRedrawsItAroundEachStep) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
    wnd.SetImageOrg(CPoint(100, 0));
    wnd.LButtonDown(0, CPoint(130, 20)); // on the body
    EXPECT_EQ(line->HasFocus(), -1);
    parent.ClearEvents();

    wnd.MouseMove(0, CPoint(135, 23));
    EXPECT_EQ(wnd.OldArea(), CRect(105, 5, 155, 35));
    EXPECT_EQ(parent.Dc(0).DrawingLines(),
              (Lines{"MoveTo (110,10)", "LineTo (110,10)-(150,30) pen 0/2/0x00000000 rop 10",
                     "MoveTo (115,13)", "LineTo (115,13)-(155,33) pen 0/2/0x00000000 rop 10"}));

    wnd.MouseMove(0, CPoint(140, 20));
    EXPECT_EQ(Nodes(line), (Points{CVector(20, 10), CVector(60, 30)}));
    EXPECT_EQ(wnd.MoveDisplacement(), CPoint(-10, 0)); // what subclasses read of the move

    wnd.LButtonUp(0, CPoint(140, 20));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(line->GetDrag(), 0);
    EXPECT_TRUE(wnd.OldArea().IsRectNull());
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
    EXPECT_EQ(parent.Events(), (Lines{"GetDC 1", "ReleaseDC 1", "GetDC 2", "ReleaseDC 2",
                                      "InvalidateRect (115,5)-(165,35) erase 1",
                                      "InvalidateRect (105,5)-(155,35) erase 1", "UpdateWindow"}));

    // Pressing on a node moves that node only.
    wnd.LButtonDown(0, CPoint(120, 10));
    EXPECT_EQ(line->HasFocus(), 1);
    wnd.MouseMove(0, CPoint(124, 12));
    wnd.LButtonUp(0, CPoint(124, 12));
    EXPECT_EQ(Nodes(line), (Points{CVector(24, 12), CVector(60, 30)}));
}

TEST_F(GraphicWndMouse, APressWithoutAMoveSelectsAndARightClickOnEmptySpaceDeselects) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
    const Lines repainted{"InvalidateRect (5,5)-(55,35) erase 1", "UpdateWindow"};
    wnd.OnProperties(); // nothing is active
    // The item under the pointer sets its cursor; the pointer is mapped to the image first.
    wnd.SetImageOrg(CPoint(100, 100));
    wnd.TrackMousePointer(0, CPoint(30, 20));
    EXPECT_TRUE(line->calls.empty());
    wnd.TrackMousePointer(0, CPoint(130, 120));
    EXPECT_EQ(line->calls, Lines{"cursor"});
    wnd.SetImageOrg(CPoint(0, 0));
    Click(CPoint(30, 20));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.GetActiveItem(), line);
    EXPECT_EQ(line->HasFocus(), -1);
    EXPECT_EQ(parent.Events(), repainted);

    // OnProperties opens the active item's sheet; only its OK marks the window modified.
    parent.ClearEvents();
    line->calls.clear();
    line->propertiesAnswer = 0;
    wnd.OnProperties();
    EXPECT_EQ(line->calls, Lines{"properties 0"});
    EXPECT_EQ(line->propertiesParent, &parent);
    EXPECT_EQ(wnd.IsModified(), 0);
    EXPECT_EQ(parent.Events(), repainted);
    line->propertiesAnswer = 1;
    wnd.OnProperties();
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);

    parent.ClearEvents();
    EXPECT_EQ(wnd.RButtonDown(0, CPoint(200, 200)), 0);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(line->HasFocus(), 0);
    EXPECT_TRUE(host.Menus().empty());
    EXPECT_EQ(parent.Events(), repainted);
}

class GraphicWndPicking : public GraphicWndMouse {
protected:
    void SetUp() override {
        GraphicWndMouse::SetUp();
        across = Add({CVector(0, 50), CVector(100, 50)});
        down = Add({CVector(50, 0), CVector(50, 100)});
        diagonal = Add({CVector(0, 0), CVector(100, 100)});
        Click(CPoint(300, 300)); // nothing there: the click cycle starts afresh
        parent.ClearEvents();
    }
    CProbeLine* across = nullptr;
    CProbeLine* down = nullptr;
    CProbeLine* diagonal = nullptr;
};

TEST_F(GraphicWndPicking, RepeatedClicksStepThroughOverlappingItems) {
    const Items expected{across, down, diagonal, across, down};
    for (CGraphicItem* item : expected) {
        Click(CPoint(50, 50));
        EXPECT_EQ(wnd.GetActiveItem(), item);
        EXPECT_EQ(item->HasFocus(), -1);
    }
    EXPECT_EQ(across->HasFocus(), 0);
    EXPECT_EQ(diagonal->HasFocus(), 0);
    // Each pick invalidates the old selection, then the new. A horizontal or vertical segment
    // is a pixel thick on either side, then grows by the gap.
    const Lines events = parent.Events();
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(Lines(events.begin(), events.begin() + 5),
              (Lines{"InvalidateRect (-6,44)-(106,56) erase 1", "UpdateWindow",
                     "InvalidateRect (-6,44)-(106,56) erase 1",
                     "InvalidateRect (44,-6)-(56,106) erase 1", "UpdateWindow"}));
    // A click elsewhere starts over; the cycle is shared by every window.
    Click(CPoint(10, 50));
    EXPECT_EQ(wnd.GetActiveItem(), across);
    CFakeWnd otherView;
    CTestGraphicWnd other(&otherView);
    other.Initialize(wnd.GetVectorItemList());
    other.LButtonDown(0, CPoint(50, 50));
    EXPECT_EQ(other.GetActiveItem(), across);
    other.LButtonUp(0, CPoint(50, 50));
    Click(CPoint(50, 50));
    EXPECT_EQ(wnd.GetActiveItem(), down);
}

TEST_F(GraphicWndPicking, TheRotateActionTurnsTheItemAboutItsCentreButNoMeasurement) {
    auto* angle = Add<CGrAngle>({CVector(300, 10), CVector(340, 10)});
    auto* distance = Add<CGrPolyDist>({CVector(300, 60), CVector(340, 60)});
    wnd.SetVectorAction(CGraphicWnd::actionRotate);
    for (CPoint point : {CPoint(320, 10), CPoint(320, 60)}) {
        wnd.LButtonDown(0, point);
        EXPECT_EQ(wnd.GetActiveItem(), nullptr);
        EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    }
    EXPECT_EQ(angle->HasFocus(), 0);
    EXPECT_EQ(distance->HasFocus(), 0);
    EXPECT_EQ(parent.EventsStartingWith("InvalidateRect").size(), 2u);
    parent.ClearEvents();

    CProbeLine* line = Add({CVector(210, 50), CVector(290, 50)});
    wnd.LButtonDown(0, CPoint(290, 50)); // on a node, yet the whole item turns
    EXPECT_EQ(line->HasFocus(), -1);

    wnd.MouseMove(0, CPoint(250, 90)); // a quarter turn clockwise about (250, 50)
    EXPECT_NEAR(wnd.RotationAngle(), kPi / 2, 1e-12);
    const std::vector<CVector> nodes = Nodes(line);
    EXPECT_NEAR(nodes[0].x, 250, 1e-9);
    EXPECT_NEAR(nodes[0].y, 10, 1e-9);
    EXPECT_NEAR(nodes[1].y, 90, 1e-9);

    wnd.LButtonUp(0, CPoint(250, 90));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionRotate);
    EXPECT_EQ(parent.EventsStartingWith("InvalidateRect"),
              (Lines{"InvalidateRect (204,44)-(296,56) erase 1",
                     "InvalidateRect (244,4)-(256,96) erase 1",
                     "InvalidateRect (204,44)-(296,56) erase 1"}));
}

TEST_F(GraphicWndPicking, TheDeleteActionDeletesTheItemClickedOnce) {
    wnd.SetVectorAction(CGraphicWnd::actionDelete);
    Click(CPoint(300, 300));
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionDelete); // nothing was hit
    Click(CPoint(10, 50));
    EXPECT_EQ(Group(0x0020), (Items{down, diagonal}));
    EXPECT_EQ(CProbeLine::s_live, 2);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect (-6,44)-(106,56) erase 1", "UpdateWindow"}));
}

TEST_F(GraphicWndMouse, ARightClickOnAnItemShowsItsPropertiesMenuButNotDuringACreation) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
    parent.SetScreenOffset(POINT{100, 200});
    wnd.SetImageOrg(CPoint(5, 5));
    host.AnswerMenu(CGraphicWnd::commandProperties);
    EXPECT_EQ(wnd.RButtonDown(0, CPoint(35, 25)), 1);
    EXPECT_EQ(wnd.GetActiveItem(), line);
    EXPECT_EQ(line->HasFocus(), -1);
    ASSERT_EQ(host.Menus().size(), 1u);
    const CScriptedUiHost::MenuShown& menu = host.Menus()[0];
    EXPECT_EQ(menu.texts, std::vector<CString>{CString("Propiet\xE0...")});
    EXPECT_EQ(menu.flags, TPM_RIGHTBUTTON);
    EXPECT_EQ(CPoint(menu.point), CPoint(135, 225));
    EXPECT_EQ(menu.owner, &parent);
    EXPECT_EQ(parent.Commands(), std::vector<UINT>{49500});
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect (10,10)-(60,40) erase 1", "UpdateWindow"}));

    wnd.SetVectorAction(CGraphicWnd::actionLine);
    wnd.LButtonDown(0, CPoint(35, 25));
    wnd.MouseMove(0, CPoint(65, 65));
    CGraphicItem* created = wnd.GetActiveItem();
    parent.ClearEvents();
    for (int state = CGraphicWnd::stateStarted; state <= CGraphicWnd::stateRotating; ++state) {
        SCOPED_TRACE(state);
        wnd.SetState(state);
        EXPECT_EQ(wnd.RButtonDown(0, CPoint(35, 25)), 0);
        EXPECT_EQ(wnd.GetActiveItem(), created);
    }
    EXPECT_EQ(host.Menus().size(), 1u);
    EXPECT_TRUE(parent.Events().empty());
    wnd.SetState(CGraphicWnd::stateDraggingEnd);
}

TEST_F(GraphicWndMouse, TheSymbolActionNeedsACalibratedImageAndALibrary) {
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    wnd.SetCalibrated(1);
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    wnd.SetSymbolLibrary(new CGraphicItemList);
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    ASSERT_GE(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].text, "Immagine non calibrata!");
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(host.Messages()[1].text, "Simbolo errato file libreria!");
    EXPECT_EQ(host.Messages()[1].type, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);

    // During a drag the action is only reset.
    wnd.SetVectorAction(CGraphicWnd::actionLine);
    wnd.LButtonDown(0, CPoint(10, 10));
    wnd.MouseMove(0, CPoint(40, 10));
    wnd.SetVectorAction(CGraphicWnd::actionSymbol);
    EXPECT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingEnd);
}

TEST_F(GraphicWndMouse, ASelectionRectangleKeepsItsActionAndGoesAtTheNextPress) {
    wnd.SetVectorAction(CGraphicWnd::actionSelectionRect);
    auto* selection = new CProbeSelectionRect;
    wnd.StartHeldItem(selection, CVector(10, 10), CGraphicWnd::stateStarted);
    wnd.MouseMove(0, CPoint(60, 30));
    wnd.LButtonUp(0, CPoint(60, 30));
    EXPECT_EQ(Group(0x0020), Items{selection});
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelectionRect);
    EXPECT_EQ(wnd.GetActiveItem(), selection);
    parent.ClearEvents();

    wnd.LButtonDown(0, CPoint(100, 100));
    EXPECT_TRUE(Group(0x0020).empty());
    EXPECT_EQ(CProbeSelectionRect::s_live, 0);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted); // the next selection starts
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect all erase 1", "UpdateWindow"}));
}

TEST_F(GraphicWndMouse, ASelectionRectangleLeavesTheListWithTheWindow) {
    CGraphicItemList mine;
    auto* selection = NewItem<CGraphicSelectionRect>({CVector(10, 10), CVector(50, 30)});
    mine.AddItem(selection->GetClass(), selection);
    auto* density = NewItem<CGrDensityLine>({CVector(10, 100), CVector(50, 100)});
    mine.AddItem(density->GetClass(), density);
    for (CPoint point : {CPoint(30, 20), CPoint(30, 100)}) {
        CFakeWnd view;
        CTestGraphicWnd other(&view);
        other.Initialize(&mine);
        EXPECT_EQ(other.RButtonDown(0, point), 1);
    }
    // The selection went with the first window; a density item loses its focus with the window.
    EXPECT_EQ(ItemCount(mine), 1);
    EXPECT_EQ(density->HasFocus(), 0);
}

TEST_F(GraphicWndMouse, AnAngleIsNotFinishedByADoubleClickOrANewAction) {
    auto* angle = new CGrAngle;
    wnd.StartHeldItem(angle, CVector(10, 10), CGraphicWnd::stateStarted);
    wnd.SetVectorAction(CGraphicWnd::actionAngle);
    wnd.MouseMove(0, CPoint(40, 10));
    wnd.SetVectorAction(CGraphicWnd::actionLine);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateDraggingNode);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionLine);

    wnd.LButtonUp(0, CPoint(10, 10)); // on the first node: the arm waits for its end
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateBetweenNodes);
    wnd.LButtonUp(0, CPoint(40, 20)); // releasing there places a node at once
    EXPECT_EQ(Nodes(angle), (Points{CVector(10, 10), CVector(10, 10), CVector(40, 20)}));
    EXPECT_EQ(wnd.PlacedNodes(), 2);
    EXPECT_EQ(wnd.LastNode(), CVector(40, 20));
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    wnd.LButtonDoubleClick(0, CPoint(40, 20));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateBetweenNodes);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);
}

} // namespace
} // namespace vellum::test
