#include "window/WindowTesting.h"

#include <vellum/archive/Archive.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Lines = std::vector<std::string>;

class GraphicWnd : public ::testing::Test {
protected:
    // The window on the scale and at the place of the mapping examples.
    void PlaceImage(double zoom, CPoint origin = CPoint(10, 20), CSize size = CSize(100, 50)) {
        wnd.SetZoomFactor(zoom);
        wnd.SetImageOrg(origin);
        wnd.SetImageSize(size);
    }

    CLiveItemCheck check; // declared first: checks once the window is gone
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

// ---------------------------------------------------------------------------------------------
// A new window

TEST_F(GraphicWnd, StartsIdleWithAnEmptyListOfItsOwn) {
    ASSERT_NE(wnd.GetVectorItemList(), nullptr);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 0);
    EXPECT_EQ(wnd.OwnsList(), 1);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.GetLastNewItem(), nullptr);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.IsVisible(), 1);
    EXPECT_EQ(wnd.IsAccessEnabled(), 1);
    EXPECT_EQ(wnd.IsModified(), 0);
    EXPECT_EQ(wnd.IsCalibrated(), 0);
    EXPECT_EQ(wnd.GetSymbolLibrary(), nullptr);
    EXPECT_EQ(wnd.ForcedType(), 0);
    EXPECT_EQ(wnd.NodeTolerance(), 3.0);
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(parent.Events().empty());
}

// ---------------------------------------------------------------------------------------------
// Mapping

TEST_F(GraphicWnd, MapsAtZoomTwoTruncatingTowardZero) {
    PlaceImage(2.0);
    EXPECT_EQ(wnd.FromImagePnt(CPoint(5, 7)), CPoint(20, 34));
    EXPECT_EQ(wnd.ToImagePnt(CPoint(20, 34)), CPoint(5, 7));
    EXPECT_EQ(wnd.ToImagePnt(CPoint(21, 35)), CPoint(5, 7));
    EXPECT_EQ(wnd.ToImagePnt(CPoint(9, 19)), CPoint(0, 0));   // -0.5 truncates to 0
    EXPECT_EQ(wnd.ToImagePnt(CPoint(7, 16)), CPoint(-1, -2)); // -1.5 and -2 (not -2 and -2)
    EXPECT_EQ(wnd.FromImagePnt(CPoint(-3, 0)), CPoint(4, 20));
    EXPECT_EQ(wnd.FromImageRect(CRect(5, 7, 15, 17)), CRect(20, 34, 40, 54));
}

TEST_F(GraphicWnd, MapsAtFractionalZoomsByTruncation) {
    PlaceImage(1.5, CPoint(0, 0));
    EXPECT_EQ(wnd.FromImagePnt(CPoint(3, -3)), CPoint(4, -4)); // 4.5 and -4.5
    EXPECT_EQ(wnd.ToImagePnt(CPoint(5, -5)), CPoint(3, -3));   // 3.33 and -3.33
    PlaceImage(0.25, CPoint(0, 0));
    EXPECT_EQ(wnd.ToImagePnt(CPoint(3, 5)), CPoint(12, 20));
    EXPECT_EQ(wnd.FromImagePnt(CPoint(13, 7)), CPoint(3, 1)); // 3.25 and 1.75
}

TEST_F(GraphicWnd, ZoomOneAndZoomZeroOnlyShiftByTheOrigin) {
    for (double zoom : {1.0, 0.0}) {
        SCOPED_TRACE(zoom);
        PlaceImage(zoom);
        EXPECT_EQ(wnd.ToImagePnt(CPoint(25, 37)), CPoint(15, 17));
        EXPECT_EQ(wnd.ToImagePnt(CPoint(9, 19)), CPoint(-1, -1));
        EXPECT_EQ(wnd.FromImagePnt(CPoint(15, 17)), CPoint(25, 37));
        EXPECT_EQ(wnd.FromImageRect(CRect(0, 0, 100, 50)), CRect(10, 20, 110, 70));
    }
}

TEST_F(GraphicWnd, OffsetZoomAlwaysScalesThenShifts) {
    struct Case {
        double zoom;
        CRect in;
        CRect out;
    };
    const Case cases[] = {
        {2.0, CRect(5, 5, 55, 35), CRect(20, 30, 120, 90)},
        {1.0, CRect(5, 5, 55, 35), CRect(15, 25, 65, 55)},
        {0.0, CRect(5, 5, 55, 35), CRect(10, 20, 10, 20)}, // collapses onto the origin
        {0.0, CRect(-7, 3, 9, 11), CRect(10, 20, 10, 20)},
        // Right and bottom come from left + width, each product truncated once.
        {1.5, CRect(3, -3, 8, 1), CRect(14, 16, 22, 21)}, // 4.5, -4.5, 12, 1.5
        {0.3, CRect(1, 1, 4, 4), CRect(10, 20, 11, 21)},  // 0.3, 0.3, 1.2, 1.2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        PlaceImage(c.zoom);
        CRect r = c.in;
        wnd.OffsetZoom(r, CPoint(10, 20));
        EXPECT_EQ(r, c.out);
    }
}

TEST_F(GraphicWnd, IsInsideImageFromTheOriginUpToTheScaledSize) {
    PlaceImage(2.0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(10, 20)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(209, 119)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(210, 120)), 0); // origin + scaled size
    EXPECT_EQ(wnd.IsInsideImage(CPoint(210, 50)), 0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(50, 120)), 0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(9, 20)), 0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(10, 19)), 0);

    PlaceImage(1.0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(10, 20)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(109, 69)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(110, 70)), 0);

    PlaceImage(0.5, CPoint(10, 20), CSize(101, 51));
    EXPECT_EQ(wnd.IsInsideImage(CPoint(59, 44)), 1); // 50.5 and 25.5 truncate to 50 and 25
    EXPECT_EQ(wnd.IsInsideImage(CPoint(60, 44)), 0);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(59, 45)), 0);
}

TEST_F(GraphicWnd, IsInsideImageNormalisesANegativeSize) {
    PlaceImage(1.0, CPoint(110, 70), CSize(-100, -50));
    EXPECT_EQ(wnd.IsInsideImage(CPoint(10, 20)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(109, 69)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(110, 70)), 0);
    PlaceImage(1.0, CPoint(0, 0), CSize(0, 0));
    EXPECT_EQ(wnd.IsInsideImage(CPoint(0, 0)), 0);
}

TEST_F(GraphicWnd, ItemBoundsGrowByTheGapOverTheZoomBelowOne) {
    std::unique_ptr<CProbeLine> line(NewItem({CVector(10, 10), CVector(50, 30)}));
    // The item's own bounds with its gap of 5: (5, 5, 55, 35).
    const struct {
        double zoom;
        CRect bounds;
    } cases[] = {
        {0.5, CRect(-5, -5, 65, 45)},   // twice the gap more on every side
        {0.3, CRect(-11, -11, 71, 51)}, // 16.67 truncates to 16
        {1.0, CRect(5, 5, 55, 35)},
        {2.0, CRect(5, 5, 55, 35)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        PlaceImage(c.zoom);
        EXPECT_EQ(wnd.GetItemBoundsRect(line.get()), c.bounds);
    }
}

TEST_F(GraphicWnd, InvalidateItemAreaInvalidatesTheMappedBoundsWithErasing) {
    std::unique_ptr<CProbeLine> line(NewItem({CVector(10, 10), CVector(50, 30)}));
    PlaceImage(2.0);
    EXPECT_EQ(wnd.InvalidateItemArea(line.get()), CRect(20, 30, 120, 90));
    PlaceImage(0.5, CPoint(0, 0));
    EXPECT_EQ(wnd.InvalidateItemArea(line.get()), CRect(-2, -2, 32, 22)); // -2.5 and 32.5
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect (20,30)-(120,90) erase 1",
                                      "InvalidateRect (-2,-2)-(32,22) erase 1"}));
}

// ---------------------------------------------------------------------------------------------
// Drawing

TEST_F(GraphicWnd, DrawPutsTheViewportAtTheImageOriginAndRestoresIt) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    wnd.GetVectorItemList()->AddItem(line->GetClass(), line);
    PlaceImage(2.0);
    CRecordingDC dc;
    dc.SetViewportOrg(3, 4);
    dc.Clear();
    wnd.Draw(&dc, 0, 7);
    EXPECT_EQ(dc.Lines(), (Lines{
                              "Mapping mode 1 window (0,0) ext (1,1) viewport (10,20) ext (1,1)",
                              "SelectPen 0/1/0x0000FF00",
                              "MoveTo (30,40)",
                              "LineTo (30,40)-(110,80) pen 0/1/0x0000FF00 rop 13",
                              "SelectPen 0/1/0x00000000",
                              "Mapping mode 1 window (0,0) ext (1,1) viewport (3,4) ext (1,1)",
                          }));
    EXPECT_EQ(wnd.LastDrawFlags(), 7);
    EXPECT_TRUE(parent.Events().empty());
}

TEST_F(GraphicWnd, DrawPassesTypesToTheItems) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    line->SetFocus(-1);
    wnd.GetVectorItemList()->AddItem(line->GetClass(), line);
    CRecordingDC dc;
    wnd.Draw(&dc, 0, 0);
    EXPECT_EQ(dc.LinesNamed("FillSolidRect").size(), 2u); // the node squares
    dc.Clear();
    wnd.Draw(&dc, CGraphicItem::drawNoNodes, 0);
    EXPECT_TRUE(dc.LinesNamed("FillSolidRect").empty());
}

TEST_F(GraphicWnd, DrawDoesNothingWhileHidden) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    wnd.GetVectorItemList()->AddItem(line->GetClass(), line);
    CRecordingDC dc;
    wnd.SetVisible(0);
    EXPECT_EQ(wnd.IsVisible(), 0);
    wnd.Draw(&dc, 0, 9);
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(wnd.LastDrawFlags(), 0);
    wnd.SetVisible(1);
    wnd.Draw(&dc, 0, 9);
    EXPECT_EQ(dc.LinesNamed("LineTo").size(), 1u);
}

TEST_F(GraphicWnd, WithoutAListDrawingDrawsNothing) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    wnd.GetVectorItemList()->AddItem(line->GetClass(), line);
    wnd.Initialize(static_cast<CGraphicItemList*>(nullptr)); // deletes the own list and line
    EXPECT_EQ(wnd.GetVectorItemList(), nullptr);
    PlaceImage(1.0, CPoint(5, 6));
    CRecordingDC dc;
    wnd.Draw(&dc, 0, 9);
    EXPECT_EQ(dc.DrawingLines(), Lines{});
    EXPECT_EQ(wnd.LastDrawFlags(), 9);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(wnd.IsCalibrated(), 0);
    wnd.SetTypesToDraw(0x0001);
    wnd.SetCalibrated(1);
    wnd.SetResolution(2.0, 2.0);
    wnd.SetMagnification(2.0, 2.0);
    wnd.RotateWnd(90);
    EXPECT_EQ(wnd.IsModified(), 0);
    EXPECT_TRUE(parent.Events().empty());
}

// ---------------------------------------------------------------------------------------------
// Rotation

class GraphicWndRotation : public GraphicWnd {
protected:
    void SetUp() override {
        PlaceImage(1.0, CPoint(0, 0), CSize(200, 100));
        line = NewItem({CVector(0, 0), CVector(200, 100)});
        wnd.GetVectorItemList()->AddItem(line->GetClass(), line);
    }
    CProbeLine* line = nullptr;
};

TEST_F(GraphicWndRotation, NinetyDegreesTurnsClockwiseIntoTheTurnedImage) {
    wnd.RotateWnd(90);
    const std::vector<CVector> nodes = Nodes(line);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_NEAR(nodes[0].x, 100, 1e-9);
    EXPECT_NEAR(nodes[0].y, 0, 1e-9);
    EXPECT_NEAR(nodes[1].x, 0, 1e-9);
    EXPECT_NEAR(nodes[1].y, 200, 1e-9);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
    EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
}

TEST_F(GraphicWndRotation, OtherAnglesStartTheTurnedImageAtTheOrigin) {
    wnd.RotateWnd(-90); // counter-clockwise: (0, 0) goes to the bottom-left corner
    std::vector<CVector> nodes = Nodes(line);
    EXPECT_NEAR(nodes[0].x, 0, 1e-9);
    EXPECT_NEAR(nodes[0].y, 200, 1e-9);
    EXPECT_NEAR(nodes[1].x, 100, 1e-9);
    EXPECT_NEAR(nodes[1].y, 0, 1e-9);

    wnd.SetImageSize(CSize(100, 200));
    wnd.RotateWnd(-90);
    nodes = Nodes(line);
    EXPECT_NEAR(nodes[0].x, 200, 1e-9);
    EXPECT_NEAR(nodes[0].y, 100, 1e-9);
    EXPECT_NEAR(nodes[1].x, 0, 1e-9);
    EXPECT_NEAR(nodes[1].y, 0, 1e-9);
}

TEST_F(GraphicWndRotation, FortyFiveDegreesStartsTheBoxAtTheRoundedSmallestCorner) {
    wnd.RotateWnd(45);
    // The corners turn to (64.64, -56.07), (206.07, 85.36), (135.36, 156.07) and
    // (-6.07, 14.64); the smallest x and y round to -6 and -56, and the items move by their
    // opposite.
    const std::vector<CVector> nodes = Nodes(line);
    const double s = std::sqrt(0.5) * 100;
    EXPECT_NEAR(nodes[0].x, 100 - s + s / 2 + 6, 1e-9);
    EXPECT_NEAR(nodes[0].y, 50 - s - s / 2 + 56, 1e-9);
    EXPECT_NEAR(nodes[1].x, 100 + s - s / 2 + 6, 1e-9);
    EXPECT_NEAR(nodes[1].y, 50 + s + s / 2 + 56, 1e-9);
}

TEST_F(GraphicWndRotation, ZeroDegreesMovesNothingButMarksModified) {
    wnd.RotateWnd(0);
    const std::vector<CVector> nodes = Nodes(line);
    EXPECT_EQ(nodes[0].x, 0.0);
    EXPECT_EQ(nodes[0].y, 0.0);
    EXPECT_EQ(nodes[1].x, 200.0);
    EXPECT_EQ(nodes[1].y, 100.0);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
    EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
}

// ---------------------------------------------------------------------------------------------
// Lists given and loaded

// A list block as GetGlobalHandle writes it, holding lines at the given starts.
void* ListBlock(std::initializer_list<double> starts) {
    CGraphicItemList list;
    for (double x : starts) {
        auto* line = new CGraphicLine;
        CVector a(x, 0), b(x + 10, 10);
        line->SetStart(&a);
        line->SetEnd(&b, 0);
        list.AddItem(line->GetClass(), line);
    }
    return list.GetGlobalHandle();
}

// A global memory block holding these bytes.
void* BytesBlock(const std::vector<BYTE>& bytes) {
    void* block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

TEST_F(GraphicWnd, InitializeShowsTheCallersListWhichStaysTheCallers) {
    CGraphicItemList mine;
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    mine.AddItem(line->GetClass(), line);
    {
        CFakeWnd host;
        CTestGraphicWnd other(&host);
        other.SetVectorAction(CGraphicWnd::actionLine);
        other.Initialize(&mine);
        EXPECT_EQ(other.GetVectorItemList(), &mine);
        EXPECT_EQ(other.OwnsList(), 0);
        EXPECT_EQ(other.GetVectorAction(), CGraphicWnd::actionSelect);
        EXPECT_EQ(line->calls, Lines{"units"}); // the list passes on the unit system
    }
    // The window is gone; the caller's list and its line are not.
    EXPECT_EQ(GroupItems(mine, 0x0020), std::vector<CGraphicItem*>{line});
}

TEST_F(GraphicWnd, InitializeDeletesTheOwnListAndGivesUpTheActiveItem) {
    auto* own = NewItem({CVector(10, 10), CVector(50, 30)});
    wnd.GetVectorItemList()->AddItem(own->GetClass(), own);
    wnd.LButtonDown(0, CPoint(30, 20)); // selects the line, which is then deleted with the list
    ASSERT_EQ(wnd.GetActiveItem(), own);
    EXPECT_EQ(CProbeLine::s_live, 1);

    CGraphicItemList mine;
    wnd.Initialize(&mine);
    EXPECT_EQ(CProbeLine::s_live, 0);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);

    // A selected item of the caller's list is unfocused, not deleted, when another list comes.
    auto* theirs = NewItem({CVector(10, 10), CVector(50, 30)});
    mine.AddItem(theirs->GetClass(), theirs);
    wnd.LButtonDown(0, CPoint(30, 20));
    ASSERT_EQ(wnd.GetActiveItem(), theirs);
    theirs->calls.clear();
    CGraphicItemList next;
    wnd.Initialize(&next);
    EXPECT_EQ(theirs->calls, (Lines{"drag 0", "focus 0"}));
    EXPECT_EQ(theirs->HasFocus(), 0);
    EXPECT_EQ(GroupItems(mine, 0x0020), std::vector<CGraphicItem*>{theirs});
    wnd.Initialize(static_cast<CGraphicItemList*>(nullptr));
}

TEST_F(GraphicWnd, InitializeDestroysAnItemThatNoListHolds) {
    CGraphicItemList mine;
    wnd.Initialize(&mine);
    wnd.SetVectorAction(CGraphicWnd::actionPolyLine);
    wnd.LButtonDown(0, CPoint(30, 20));
    wnd.MouseMove(0, CPoint(60, 20));
    ASSERT_NE(wnd.GetActiveItem(), nullptr);
    wnd.Initialize(&mine); // the same list again: the polyline being drawn is given up
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.GetLastNewItem(), nullptr);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(ItemCount(mine), 0);
    wnd.Initialize(static_cast<CGraphicItemList*>(nullptr));
}

TEST_F(GraphicWnd, InitializeWithItsOwnListKeepsOwningIt) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* own = wnd.GetVectorItemList();
    own->AddItem(line->GetClass(), line);
    wnd.Initialize(own);
    EXPECT_EQ(wnd.GetVectorItemList(), own);
    EXPECT_EQ(wnd.OwnsList(), 1);
    EXPECT_EQ(CProbeLine::s_live, 1); // deleted with the window
}

TEST_F(GraphicWnd, InitializeFromABlockLoadsAListOfItsOwn) {
    void* block = ListBlock({1, 20});
    CGraphicItemList mine;
    wnd.Initialize(&mine);
    ASSERT_EQ(wnd.Initialize(block), 1);
    CGraphicItemList* loaded = wnd.GetVectorItemList();
    ASSERT_NE(loaded, &mine);
    EXPECT_EQ(wnd.OwnsList(), 1);
    const std::vector<CGraphicItem*> items = GroupItems(*loaded, 0x0020);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(Nodes(items[1])[0].x, 20.0);
    EXPECT_EQ(loaded->GetTypesToDraw(), CGraphicItemList::typesAfterLoading);

    // A second block replaces the loaded list, which the window deletes.
    void* second = ListBlock({5});
    ASSERT_EQ(wnd.Initialize(second), 1);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 1);
    // The blocks stay the caller's.
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(second), nullptr);
}

TEST_F(GraphicWnd, InitializeFromABadBlockKeepsTheList) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* own = wnd.GetVectorItemList();
    own->AddItem(line->GetClass(), line);

    CGraphicLine stored;
    CVector a(1, 2), b(3, 4);
    stored.SetStart(&a);
    stored.SetEnd(&b, 0);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<CObject*>(&stored);
        ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    const std::vector<BYTE> lineBytes(data, data + length);
    std::free(data);

    int notABlock = 0;
    const struct {
        const char* what;
        void* block;
    } cases[] = {
        {"null", nullptr},
        {"never allocated", &notABlock},
        {"empty", BytesBlock({})},
        {"not an archive", BytesBlock({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00, 'C'})},
        {"an object of another class", BytesBlock(lineBytes)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(wnd.Initialize(c.block), 0);
        EXPECT_EQ(wnd.GetVectorItemList(), own);
        EXPECT_EQ(wnd.OwnsList(), 1);
        EXPECT_EQ(GroupItems(*own, 0x0020), std::vector<CGraphicItem*>{line});
        if (c.block != &notABlock && c.block) {
            EXPECT_EQ(GlobalFree(c.block), nullptr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Settings

TEST_F(GraphicWnd, CalibrationIsForwardedRepaintedAndMarksBothModified) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* list = wnd.GetVectorItemList();
    list->AddItem(line->GetClass(), line);
    const Lines repaint{"Invalidate erase 1", "UpdateWindow"};

    wnd.SetResolution(4.0, 5.0);
    double x, y;
    list->GetResolution(&x, &y);
    EXPECT_EQ(x, 4.0);
    EXPECT_EQ(y, 5.0);
    EXPECT_EQ(parent.Events(), repaint);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(list->IsModified(), 1);

    wnd.SetModified(0);
    list->SetModified(0);
    parent.ClearEvents();
    wnd.SetMagnification(0.0, 2.0);
    list->GetMagnification(&x, &y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 2.0);
    EXPECT_EQ(parent.Events(), repaint);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(list->IsModified(), 1);

    wnd.SetModified(0);
    list->SetModified(0);
    parent.ClearEvents();
    wnd.SetCalibrated(1);
    EXPECT_EQ(wnd.IsCalibrated(), 1);
    EXPECT_EQ(parent.Events(), repaint);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(list->IsModified(), 1);
    wnd.SetCalibrated(0);
    EXPECT_EQ(wnd.IsCalibrated(), 0);
    list->GetResolution(&x, &y);
    EXPECT_EQ(x, 0.0);
}

TEST_F(GraphicWnd, SetModifiedSetsOnlyTheWindowsFlag) {
    wnd.SetModified(1);
    EXPECT_EQ(wnd.IsModified(), 1);
    EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 0);
    wnd.SetModified(0);
    EXPECT_EQ(wnd.IsModified(), 0);
}

TEST_F(GraphicWnd, SetBitmapRepaintsAtOnce) {
    struct_LEAD_Bitmap* none = nullptr;
    wnd.SetBitmap(none);
    EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
}

TEST_F(GraphicWnd, TypesToDrawAndForcedTypeAreKept) {
    wnd.SetTypesToDraw(0x0021);
    EXPECT_EQ(wnd.GetVectorItemList()->GetTypesToDraw(), 0x0021);
    wnd.ForceNewItemType(0x0010);
    EXPECT_EQ(wnd.ForcedType(), 0x0010);
}

TEST_F(GraphicWnd, AGivenSymbolLibraryBelongsToTheWindow) {
    auto* first = new CGraphicItemList;
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    first->AddItem(line->GetClass(), line);
    wnd.SetSymbolLibrary(first);
    EXPECT_EQ(wnd.GetSymbolLibrary(), first);
    wnd.SetSymbolLibrary(first);
    EXPECT_EQ(CProbeLine::s_live, 1);
    wnd.SetSymbolLibrary(new CGraphicItemList); // the first goes, with its line
    EXPECT_EQ(CProbeLine::s_live, 0);
    auto* last = NewItem({CVector(10, 10), CVector(50, 30)});
    wnd.GetSymbolLibrary()->AddItem(last->GetClass(), last); // deleted with the window
}

TEST_F(GraphicWnd, TheWindowStandsInItsParentsView) {
    RECT area;
    EXPECT_EQ(wnd.GetUpdateRect(&area), FALSE);
    wnd.InvalidateRect(nullptr, FALSE);
    wnd.Invalidate();
    EXPECT_EQ(wnd.GetUpdateRect(&area), TRUE);
    EXPECT_EQ(CRect(area), CRect(0, 0, 640, 480));
    wnd.UpdateWindow();
    CDC* dc = wnd.GetDC();
    EXPECT_EQ(dc, &parent.Dc(0));
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    parent.SetScreenOffset(POINT{100, 200});
    POINT point{1, 2};
    wnd.ClientToScreen(&point);
    EXPECT_EQ(CPoint(point), CPoint(101, 202));
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect all erase 0", "Invalidate erase 1",
                                      "UpdateWindow", "GetDC 1", "ReleaseDC 1"}));

    CTestGraphicWnd orphan(nullptr);
    EXPECT_EQ(orphan.GetDC(), nullptr);
    EXPECT_EQ(orphan.GetUpdateRect(&area), FALSE);
    orphan.SetResolution(1.0, 1.0); // nothing to repaint, but the list takes it
    EXPECT_EQ(orphan.IsModified(), 1);
}

// ---------------------------------------------------------------------------------------------
// Access disabled

TEST_F(GraphicWnd, WithAccessDisabledNothingChanges) {
    auto* line = NewItem({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* list = wnd.GetVectorItemList();
    list->AddItem(line->GetClass(), line);
    void* block = ListBlock({1});
    CGraphicItemList other;
    auto* library = new CGraphicItemList;

    wnd.EnableAccess(0);
    EXPECT_EQ(wnd.IsAccessEnabled(), 0);
    wnd.SetResolution(4.0, 4.0);
    wnd.SetMagnification(2.0, 2.0);
    wnd.SetCalibrated(1);
    wnd.RotateWnd(90);
    wnd.Initialize(&other);
    EXPECT_EQ(wnd.Initialize(block), 0);
    wnd.SetBitmap(nullptr);
    wnd.ForceNewItemType(0x0010);
    wnd.SetModified(1);
    wnd.SetSymbolLibrary(library);
    wnd.SetVectorAction(CGraphicWnd::actionDelete);
    wnd.LButtonDown(0, CPoint(30, 20));
    wnd.MouseMove(0, CPoint(40, 20));
    wnd.LButtonUp(0, CPoint(40, 20));
    wnd.LButtonDoubleClick(0, CPoint(40, 20));
    EXPECT_EQ(wnd.RButtonDown(0, CPoint(30, 20)), 0);
    wnd.OnProperties();
    wnd.TrackMousePointer(0, CPoint(30, 20));
    EXPECT_EQ(wnd.RemoveGraphicItem(line), 0);

    EXPECT_EQ(wnd.GetVectorItemList(), list);
    EXPECT_EQ(GroupItems(*list, 0x0020), std::vector<CGraphicItem*>{line});
    EXPECT_EQ(Nodes(line)[0].x, 10.0);
    EXPECT_EQ(line->calls, Lines{});
    EXPECT_EQ(wnd.IsCalibrated(), 0);
    double x, y;
    list->GetResolution(&x, &y);
    EXPECT_EQ(x, 0.0);
    list->GetMagnification(&x, &y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(wnd.IsModified(), 0);
    EXPECT_EQ(list->IsModified(), 0);
    EXPECT_EQ(wnd.ForcedType(), 0);
    EXPECT_EQ(wnd.GetSymbolLibrary(), nullptr);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_TRUE(parent.Events().empty());

    // Placement, zoom and the types to draw still change.
    wnd.SetTypesToDraw(0x0001);
    wnd.SetZoomFactor(2.0);
    wnd.SetImageOrg(CPoint(10, 20));
    wnd.SetImageSize(CSize(5, 5));
    EXPECT_EQ(list->GetTypesToDraw(), 0x0001);
    EXPECT_EQ(wnd.FromImagePnt(CPoint(5, 7)), CPoint(20, 34));
    EXPECT_EQ(wnd.IsInsideImage(CPoint(19, 29)), 1);
    EXPECT_EQ(wnd.IsInsideImage(CPoint(20, 30)), 0);

    wnd.EnableAccess(1);
    wnd.SetModified(1);
    EXPECT_EQ(wnd.IsModified(), 1);
    delete library;
    GlobalFree(block);
}

// ---------------------------------------------------------------------------------------------
// Destruction

TEST_F(GraphicWnd, DestructionDeletesTheOwnListWithItsItems) {
    {
        CFakeWnd host;
        CTestGraphicWnd other(&host);
        for (double x : {10.0, 60.0}) {
            auto* line = NewItem({CVector(x, 10), CVector(x + 20, 30)});
            other.GetVectorItemList()->AddItem(line->GetClass(), line);
        }
        EXPECT_EQ(CProbeLine::s_live, 2);
    }
    EXPECT_EQ(CProbeLine::s_live, 0);
}

} // namespace
} // namespace vellum::test
