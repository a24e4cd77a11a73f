#include "support/ArchiveBytes.h"
#include "window/WindowTesting.h"

#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/GlobalMemory.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Lines = std::vector<std::string>;

class GraphicWnd : public WindowTest {
protected:
    // The window on the scale and at the place of the mapping examples.
    void PlaceImage(double zoom, CPoint origin = CPoint(10, 20), CSize size = CSize(100, 50)) {
        wnd.SetZoomFactor(zoom);
        wnd.SetImageOrg(origin);
        wnd.SetImageSize(size);
    }
};

TEST_F(GraphicWnd, MapsPointsByTruncationTowardZeroAndIsInsideUpToTheScaledSize) {
    const struct {
        double zoom;
        CPoint origin;
        CSize size;
        CPoint view;
        CPoint image;       // ToImagePnt(view)
        CPoint imageToView; // FromImagePnt(image)
        int inside;         // IsInsideImage(view)
    } cases[] = {
        {2.0, {10, 20}, {100, 50}, {20, 34}, {5, 7}, {20, 34}, 1},
        {2.0, {10, 20}, {100, 50}, {21, 35}, {5, 7}, {20, 34}, 1},
        {2.0, {10, 20}, {100, 50}, {7, 16}, {-1, -2}, {8, 16}, 0}, // -1.5 and -2
        {2.0, {10, 20}, {100, 50}, {10, 20}, {0, 0}, {10, 20}, 1},
        {2.0, {10, 20}, {100, 50}, {9, 20}, {0, 0}, {10, 20}, 0}, // -0.5 gives 0
        {2.0, {10, 20}, {100, 50}, {10, 19}, {0, 0}, {10, 20}, 0},
        {2.0, {10, 20}, {100, 50}, {209, 119}, {99, 49}, {208, 118}, 1},
        {2.0, {10, 20}, {100, 50}, {210, 50}, {100, 15}, {210, 50}, 0}, // origin + scaled size
        {2.0, {10, 20}, {100, 50}, {50, 120}, {20, 50}, {50, 120}, 0},
        {1.5, {0, 0}, {100, 50}, {5, -5}, {3, -3}, {4, -4}, 0}, // 4.5 and -4.5
        {0.25, {0, 0}, {100, 50}, {3, 5}, {12, 20}, {3, 5}, 1},
        {0.25, {0, 0}, {100, 50}, {3, 1}, {12, 4}, {3, 1}, 1},
        // 50.5 and 25.5 truncate to 50 and 25.
        {0.5, {10, 20}, {101, 51}, {59, 44}, {98, 48}, {59, 44}, 1},
        {0.5, {10, 20}, {101, 51}, {60, 44}, {100, 48}, {60, 44}, 0},
        {0.5, {10, 20}, {101, 51}, {59, 45}, {98, 50}, {59, 45}, 0},
        // Zoom 1 and zoom 0 only shift by the origin; a negative size is normalised.
        {1.0, {10, 20}, {100, 50}, {9, 19}, {-1, -1}, {9, 19}, 0},
        {0.0, {10, 20}, {100, 50}, {25, 37}, {15, 17}, {25, 37}, 1},
        {1.0, {110, 70}, {-100, -50}, {10, 20}, {-100, -50}, {10, 20}, 1},
        {1.0, {110, 70}, {-100, -50}, {109, 69}, {-1, -1}, {109, 69}, 1},
        {1.0, {110, 70}, {-100, -50}, {110, 70}, {0, 0}, {110, 70}, 0},
        {1.0, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " " << c.view.x << "," << c.view.y);
        PlaceImage(c.zoom, c.origin, c.size);
        EXPECT_EQ(wnd.ToImagePnt(c.view), c.image);
        EXPECT_EQ(wnd.FromImagePnt(c.image), c.imageToView);
        EXPECT_EQ(wnd.IsInsideImage(c.view), c.inside);
    }
    PlaceImage(0.25, CPoint(0, 0));
    EXPECT_EQ(wnd.FromImagePnt(CPoint(13, 7)), CPoint(3, 1)); // 3.25 and 1.75
    PlaceImage(2.0);
    EXPECT_EQ(wnd.FromImageRect(CRect(5, 7, 15, 17)), CRect(20, 34, 40, 54));
    PlaceImage(0.0);
    EXPECT_EQ(wnd.FromImageRect(CRect(0, 0, 100, 50)), CRect(10, 20, 110, 70));
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

TEST_F(GraphicWnd, ItemBoundsGrowByTheGapOverTheZoomBelowOneAndAreInvalidatedMapped) {
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
    PlaceImage(2.0);
    EXPECT_EQ(wnd.InvalidateItemArea(line.get()), CRect(20, 30, 120, 90));
    PlaceImage(0.5, CPoint(0, 0));
    EXPECT_EQ(wnd.InvalidateItemArea(line.get()), CRect(-2, -2, 32, 22)); // -2.5 and 32.5
    EXPECT_EQ(parent.Events(), (Lines{"InvalidateRect (20,30)-(120,90) erase 1",
                                      "InvalidateRect (-2,-2)-(32,22) erase 1"}));
}

TEST_F(GraphicWnd, DrawPutsTheViewportAtTheImageOriginAndRestoresIt) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
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
    // The types reach the items: a selected line shows its node squares unless told not to.
    line->SetFocus(-1);
    dc.Clear();
    wnd.Draw(&dc, 0, 0);
    EXPECT_EQ(dc.LinesNamed("FillSolidRect").size(), 2u);
    dc.Clear();
    wnd.Draw(&dc, CGraphicItem::drawNoNodes, 0);
    EXPECT_TRUE(dc.LinesNamed("FillSolidRect").empty());
}

TEST_F(GraphicWnd, WithoutAListDrawingDrawsNothing) {
    Add({CVector(10, 10), CVector(50, 30)});
    wnd.Initialize(static_cast<CGraphicItemList*>(nullptr)); // deletes the own list and line
    EXPECT_EQ(wnd.GetVectorItemList(), nullptr);
    PlaceImage(1.0, CPoint(5, 6));
    CRecordingDC dc;
    wnd.Draw(&dc, 0, 9);
    EXPECT_EQ(dc.DrawingLines(), Lines{});
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    wnd.SetTypesToDraw(0x0001);
    wnd.SetCalibrated(1);
    wnd.SetResolution(2.0, 2.0);
    wnd.SetMagnification(2.0, 2.0);
    wnd.RotateWnd(90);
    EXPECT_EQ(wnd.IsModified(), 0);
    EXPECT_TRUE(parent.Events().empty());
}

TEST_F(GraphicWnd, RotationTurnsTheItemsIntoTheTurnedImage) {
    PlaceImage(1.0, CPoint(0, 0));
    CProbeLine* line = Add({CVector(0, 0), CVector(200, 100)});
    const double dx = std::sqrt(0.5) * 50, dy = std::sqrt(0.5) * 150;
    const struct {
        int degrees;
        CSize image;
        Points from;
        Points to;
    } cases[] = {
        // Ninety degrees turns clockwise, the turned image starting at the origin.
        {90, CSize(200, 100), {{0, 0}, {200, 100}}, {{100, 0}, {0, 200}}},
        {-90, CSize(200, 100), {{0, 0}, {200, 100}}, {{0, 200}, {100, 0}}},
        {-90, CSize(100, 200), {{0, 200}, {100, 0}}, {{200, 100}, {0, 0}}},
        // The corners turn to (64.64, -56.07), (206.07, 85.36), (135.36, 156.07) and
        // (-6.07, 14.64): the items move by the opposite of -6 and -56.
        {45, CSize(200, 100), {{0, 0}, {200, 100}}, {{106 - dx, 106 - dy}, {106 + dx, 106 + dy}}},
        {0, CSize(200, 100), {{0, 0}, {200, 100}}, {{0, 0}, {200, 100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        CVector a = c.from[0], b = c.from[1];
        line->SetStart(&a);
        line->SetEnd(&b, 0);
        wnd.SetImageSize(c.image);
        wnd.SetModified(0);
        wnd.GetVectorItemList()->SetModified(0);
        parent.ClearEvents();
        wnd.RotateWnd(c.degrees);
        const Points nodes = Nodes(line);
        ASSERT_EQ(nodes.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_NEAR(nodes[i].x, c.to[i].x, 1e-9) << i;
            EXPECT_NEAR(nodes[i].y, c.to[i].y, 1e-9) << i;
        }
        EXPECT_EQ(wnd.IsModified(), 1);
        EXPECT_EQ(wnd.GetVectorItemList()->IsModified(), 1);
        EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
    }
}

// A list block as GetGlobalHandle writes it, holding lines at the given starts.
void* ListBlock(std::initializer_list<double> starts) {
    CGraphicItemList list;
    for (double x : starts)
        list.AddItem(0x0020, NewItem<CGraphicLine>({CVector(x, 0), CVector(x + 10, 10)}));
    return list.GetGlobalHandle();
}

void* BytesBlock(const std::vector<BYTE>& bytes) {
    void* block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

TEST_F(GraphicWnd, InitializeShowsTheCallersListDeletesItsOwnAndGivesUpTheActiveItem) {
    CProbeLine* own = Add({CVector(10, 10), CVector(50, 30)});
    wnd.LButtonDown(0, CPoint(30, 20)); // selects the line, which is then deleted with the list
    ASSERT_EQ(wnd.GetActiveItem(), own);

    // The caller's list is shown and stays the caller's; it passes on the unit system.
    CGraphicItemList mine;
    auto* theirs = NewItem({CVector(10, 10), CVector(50, 30)});
    mine.AddItem(theirs->GetClass(), theirs);
    wnd.SetVectorAction(CGraphicWnd::actionLine);
    wnd.Initialize(&mine);
    EXPECT_EQ(CProbeLine::s_live, 1);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(wnd.OwnsList(), 0);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(theirs->calls, Lines{"units"});

    // A selected item of the caller's list is unfocused, not deleted, when another list comes.
    wnd.LButtonDown(0, CPoint(30, 20));
    ASSERT_EQ(wnd.GetActiveItem(), theirs);
    theirs->calls.clear();
    CGraphicItemList next;
    wnd.Initialize(&next);
    EXPECT_EQ(theirs->calls, (Lines{"drag 0", "focus 0"}));
    EXPECT_EQ(theirs->HasFocus(), 0);
    EXPECT_EQ(GroupItems(mine, 0x0020), std::vector<CGraphicItem*>{theirs});

    // The same list again gives up the polyline being drawn, which no list holds yet.
    wnd.SetVectorAction(CGraphicWnd::actionPolyLine);
    wnd.LButtonDown(0, CPoint(30, 80));
    wnd.MouseMove(0, CPoint(60, 80));
    ASSERT_NE(wnd.GetActiveItem(), nullptr);
    wnd.Initialize(&next);
    EXPECT_EQ(wnd.GetActiveItem(), nullptr);
    EXPECT_EQ(wnd.GetLastNewItem(), nullptr);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateIdle);
    EXPECT_EQ(ItemCount(next), 0);
    wnd.Initialize(static_cast<CGraphicItemList*>(nullptr));
}

TEST_F(GraphicWnd, InitializeFromABadBlockKeepsTheListAndFromAGoodOneLoadsAListOfItsOwn) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* own = wnd.GetVectorItemList();
    std::unique_ptr<CGraphicLine> stored(NewItem<CGraphicLine>({CVector(1, 2), CVector(3, 4)}));
    const Bytes lineBytes = Store([&](CArchive& ar) { ar << static_cast<CObject*>(stored.get()); });

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

    // A good block, loaded while the caller's list is shown, gives the window a list of its own.
    void* block = ListBlock({1, 20});
    CGraphicItemList mine;
    wnd.Initialize(&mine);
    ASSERT_EQ(wnd.Initialize(block), 1);
    CGraphicItemList* loaded = wnd.GetVectorItemList();
    ASSERT_NE(loaded, &mine);
    EXPECT_EQ(wnd.OwnsList(), 1);
    EXPECT_EQ(ItemCount(*loaded), 2);
    EXPECT_EQ(loaded->GetTypesToDraw(), CGraphicItemList::typesAfterLoading);

    // A second block replaces the loaded list, which the window deletes.
    void* second = ListBlock({5});
    ASSERT_EQ(wnd.Initialize(second), 1);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 1);
    // The blocks stay the caller's.
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(second), nullptr);
}

TEST_F(GraphicWnd, CalibrationIsForwardedRepaintedAndMarksBothModified) {
    Add({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* list = wnd.GetVectorItemList();
    const auto expectRepaintedAndModified = [&] {
        EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
        EXPECT_EQ(wnd.IsModified(), 1);
        EXPECT_EQ(list->IsModified(), 1);
        wnd.SetModified(0);
        list->SetModified(0);
        parent.ClearEvents();
    };
    double x = 0.0, y = 0.0;
    wnd.SetResolution(4.0, 5.0);
    list->GetResolution(&x, &y);
    EXPECT_EQ(CVector(x, y), CVector(4.0, 5.0));
    expectRepaintedAndModified();
    wnd.SetMagnification(0.0, 2.0);
    list->GetMagnification(&x, &y);
    EXPECT_EQ(CVector(x, y), CVector(1.0, 2.0)); // 0 is no magnification
    expectRepaintedAndModified();
    wnd.SetCalibrated(1);
    EXPECT_EQ(wnd.IsCalibrated(), 1);
    expectRepaintedAndModified();
    // Uncalibrating forgets the resolution.
    wnd.SetCalibrated(0);
    list->GetResolution(&x, &y);
    EXPECT_EQ(x, 0.0);
}

TEST_F(GraphicWnd, WithAccessDisabledNothingChanges) {
    CProbeLine* line = Add({CVector(10, 10), CVector(50, 30)});
    CGraphicItemList* list = wnd.GetVectorItemList();
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
    list->GetMagnification(&x, &y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(list->IsModified(), 0);
    EXPECT_EQ(wnd.ForcedType(), 0);
    EXPECT_EQ(wnd.GetSymbolLibrary(), nullptr);
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_TRUE(parent.Events().empty());
    // The types to draw still change.
    wnd.SetTypesToDraw(0x0001);
    EXPECT_EQ(list->GetTypesToDraw(), 0x0001);

    wnd.EnableAccess(1);
    wnd.SetModified(1);
    EXPECT_EQ(wnd.IsModified(), 1);
    delete library;
    GlobalFree(block);
}

} // namespace
} // namespace vellum::test
