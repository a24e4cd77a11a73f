// The kinds of item the window creates apart from lines and polylines.

#include "support/ArchiveBytes.h"
#include "support/GreyBitmap.h"
#include "support/TextTesting.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicArc.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/density/GrDensityArea.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Items = std::vector<CGraphicItem*>;
using Lines = std::vector<std::string>;

// Actions 12 and 14 from press to release, then a press with action 0 (a corner or the body
// of a rectangle; anywhere for a selection, which it removes) and the right button's menu.
TEST_F(WindowTest, RectanglesAndSelectionsFromPressToMenu) {
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
        CFakeWnd view;
        CTestGraphicWnd rect(&view);
        rect.ForceNewItemType(c.forced);
        rect.SetVectorAction(c.action);
        rect.LButtonDown(0, CPoint(10, 10));
        CGraphicItem* item = rect.GetActiveItem();
        ASSERT_NE(item, nullptr);
        const bool selection = c.action == 14;
        EXPECT_STREQ(item->GetRuntimeClass()->m_lpszClassName,
                     selection ? "CGraphicSelectionRect" : "CGraphicRect");
        rect.MouseMove(0, c.to);
        EXPECT_EQ(rect.State(), CGraphicWnd::stateDraggingEnd);
        rect.LButtonUp(0, c.to);
        auto corners = [&] {
            std::string text;
            for (const CVector& v : Nodes(item))
                text += (text.empty() ? "" : " ") + std::to_string(int(v.x)) + "," +
                        std::to_string(int(v.y));
            return text;
        };
        EXPECT_EQ(corners(), c.drawn);
        const WORD group = c.forced ? c.forced : 0x0020;
        EXPECT_EQ(GroupItems(*rect.GetVectorItemList(), group), Items{item});
        EXPECT_EQ(rect.GetVectorAction(), selection ? 14 : 0);

        const std::size_t menus = host.Menus().size();
        EXPECT_EQ(rect.RButtonDown(0, CPoint(10, 12)), 1);
        ASSERT_EQ(host.Menus().size(), menus + 1);
        EXPECT_EQ(host.Menus().back().texts,
                  std::vector<CString>{CString(selection ? "Taglia immagine" : "Propiet\xE0...")});
        EXPECT_EQ(host.Menus().back().commands, std::vector<UINT>{selection ? 49501u : 49500u});

        rect.SetVectorAction(CGraphicWnd::actionSelect);
        rect.LButtonDown(0, CPoint(c.drag[0], c.drag[1]));
        rect.MouseMove(0, CPoint(c.drag[2], c.drag[3]));
        rect.LButtonUp(0, CPoint(c.drag[2], c.drag[3]));
        EXPECT_EQ(ItemCount(*rect.GetVectorItemList()), *c.moved ? 1 : 0);
        EXPECT_EQ(*c.moved ? corners() : "", c.moved); // a removed item is not read
    }
}

class GraphicWndText : public WindowTest {
protected:
    // Action 5 dragged from one view point to another, the editor answered by script.
    CGraphicText* DrawTextBox(CPoint from, CPoint to, CScriptedUiHost::Script script) {
        host.AddScript(std::move(script));
        Drag(CGraphicWnd::actionText, from, to);
        return dynamic_cast<CGraphicText*>(wnd.GetActiveItem());
    }
};

TEST_F(GraphicWndText, ActionFiveDrawsATextBoxAndOpensItsEditorOnRelease) {
    CRecordingDC dc;
    wnd.Draw(&dc, 0, CGraphicText::flagRightAligned); // the editor gets the last draw flags
    const CWnd* sheetParent = nullptr;
    CGraphicText* text = DrawTextBox(CPoint(10, 10), CPoint(60, 30), [&](CScriptedUser& user) {
        sheetParent = user.Sheet().GetParent();
        // The box is in the list already while its editor is open.
        EXPECT_EQ(Group(0x0010).size(), 1u);
        user.Type(IDC_TEXT, "Propriet\xE0 perch\xE9");
        user.OK();
    });
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(sheetParent, &wnd);
    EXPECT_EQ(Group(0x0010), Items{text});
    EXPECT_EQ(text->GetText(), "Propriet\xE0 perch\xE9");
    // Right-aligned text is anchored at the right: the corners were exchanged.
    EXPECT_EQ(text->GetCorner(0), CVector(60, 10));
    EXPECT_EQ(text->GetCorner(2), CVector(10, 30));
    EXPECT_EQ(text->GetFontSize(), 10); // no saved default: the default font
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.IsModified(), 1);

    // A click opens no editor and leaves the new box waiting.
    wnd.SetVectorAction(CGraphicWnd::actionText);
    Click(CPoint(100, 100));
    EXPECT_EQ(host.DialogsRun(), 1);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
    EXPECT_EQ(ItemCount(*wnd.GetVectorItemList()), 1);
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
    EXPECT_EQ(text->GetCorner(0), CVector(10, 10)); // left-aligned: not exchanged
    EXPECT_EQ(text->GetFont().m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(text->GetFontSize(), 24);
    EXPECT_EQ(text->GetFont().GetColor(), RGB(255, 0, 255));
    EXPECT_EQ(text->GetColor(), RGB(255, 0, 255));
    // Cancelled, the empty box stays in the list.
    EXPECT_EQ(Group(0x0040), Items{text});
}

class MeasurementCreation : public WindowTest {
protected:
    // Mouse events, each with the state it leaves: down, move, up and double click.
    using Handler = void (CGraphicWnd::*)(UINT, CPoint);
    static constexpr Handler d = &CGraphicWnd::LButtonDown, m = &CGraphicWnd::MouseMove,
                             u = &CGraphicWnd::LButtonUp, w = &CGraphicWnd::LButtonDoubleClick;
    struct Event {
        Handler handler;
        int x, y;
        int state;
    };
    void Play(const std::vector<Event>& events) {
        for (const Event& e : events) {
            (wnd.*e.handler)(0, CPoint(e.x, e.y));
            EXPECT_EQ(wnd.State(), e.state) << e.x << "," << e.y;
        }
    }
};

TEST_F(MeasurementCreation, ADistanceIsDrawnNodeByNodeAndReadsInTheListsUnits) {
    wnd.SetResolution(4, 4);
    wnd.SetCalibrated(1);
    wnd.SetVectorAction(CGraphicWnd::actionDistance);
    Play({{d, 10, 10, 1},
          {m, 50, 10, 3},
          {u, 11, 12, 3}, // 2.2 pixels from the node placed last: ignored
          {m, 90, 10, 3},
          {u, 90, 10, 4},
          {m, 90, 40, 3}, // a new node
          {m, 90, 50, 3},
          {u, 90, 50, 4},
          {w, 90, 50, 0}});
    ASSERT_EQ(Group(0x0008).size(), 1u);
    auto* distance = dynamic_cast<CGrPolyDist*>(Group(0x0008)[0]);
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(Nodes(distance), (Points{{10, 10}, {90, 10}, {90, 50}}));
    EXPECT_EQ(distance->GetDistanceStr(), "30.00 mm"); // 120 pixels at 4 per millimetre
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.IsModified(), 1);
    // The label started at the last node.
    EXPECT_EQ(distance->GetLabel().GetNode(0), CVector(90, 50));
}

TEST_F(MeasurementCreation, AnAngleFinishesByItselfAtItsFourthNode) {
    wnd.SetVectorAction(CGraphicWnd::actionAngle);
    Play({{d, 100, 20, 1},
          {m, 60, 20, 3},
          {u, 20, 20, 4}, // the first line: (100, 20) to (20, 20)
          {m, 20, 20, 3}, // the pointer leaves from there: the vertex is shared
          {u, 20, 20, 3}, // released on the node just placed: nothing
          {m, 20, 60, 3},
          {u, 20, 60, 4},
          {m, 20, 80, 3},
          {m, 20, 100, 3},
          {u, 20, 100, 0}}); // the fourth node: finished, no double click needed
    ASSERT_EQ(Group(0x0008).size(), 1u);
    auto* angle = dynamic_cast<CGrAngle*>(Group(0x0008)[0]);
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(Nodes(angle), (Points{{100, 20}, {20, 20}, {20, 60}, {20, 100}}));
    EXPECT_FALSE(angle->HasSharedVertex()); // node 3 was dragged on to (20, 60)
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
}

TEST_F(MeasurementCreation, AnArcFollowsTheDragAndJoinsTheDrawings) {
    wnd.SetVectorAction(CGraphicWnd::actionArc);
    Play({{d, 10, 10, 1}, {m, 30, 30, 2}, {m, 50, 90, 2}, {u, 50, 90, 0}});
    ASSERT_EQ(Group(0x0020).size(), 1u);
    auto* arc = dynamic_cast<CGraphicArc*>(Group(0x0020)[0]);
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->GetControlPoint(0), CVector(10, 10));
    EXPECT_EQ(arc->GetControlPoint(3), CVector(50, 90));
}

TEST_F(WindowTest, ActionsEightAndNineDrawDensityItemsThatSetBitmapGathers) {
    auto bitmap = GreyBitmap(70, 30, 8, std::vector<unsigned>(70 * 30, 77));
    Drag(CGraphicWnd::actionDensityLine, CPoint(10, 20), CPoint(60, 20));
    Drag(CGraphicWnd::actionDensityArea, CPoint(5, 5), CPoint(30, 25));
    const Items items = Group(CGraphicItem::classDensity);
    ASSERT_EQ(items.size(), 2u);
    auto* line = dynamic_cast<CGrDensityLine*>(items[0]);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetEnd(), CVector(60, 20));
    // The graph box sits at the line's end while it is drawn.
    EXPECT_EQ(line->GetProfile()->GetCorner(0), CVector(60, 20));
    EXPECT_EQ(line->GetProfile()->GetCorner(2), CVector(460, 220));
    auto* area = dynamic_cast<CGrDensityArea*>(items[1]);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetCorner(2), CVector(30, 25));

    parent.ClearEvents();
    wnd.SetBitmap(&bitmap);
    EXPECT_EQ(line->IsInitialised(), 1);
    EXPECT_EQ(line->GetHistogram()->GetPixelCount(), 50u);
    EXPECT_EQ(line->GetHistogram()->GetPeakIntensity(), 77u);
    EXPECT_EQ(area->GetHistogram()->GetMeanValue(), 77.0);
    EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));
    // Frozen, the window leaves the items alone.
    wnd.EnableAccess(0);
    wnd.SetBitmap(nullptr);
    EXPECT_EQ(line->GetHistogram()->GetPixelCount(), 50u);
}

TEST_F(WindowTest, AFreehandStrokeAddsAPointEveryOtherMoveAndEndsOnRelease) {
    wnd.SetVectorAction(CGraphicWnd::actionFreeDraw);
    wnd.LButtonDown(0, CPoint(10, 10));
    wnd.MouseMove(0, CPoint(12, 10)); // the second point
    wnd.MouseMove(0, CPoint(14, 11)); // follows, then waits for the next point
    wnd.MouseMove(0, CPoint(16, 13)); // a new point
    wnd.MouseMove(0, CPoint(18, 16));
    auto* stroke = dynamic_cast<CGraphicFreeDraw*>(wnd.GetActiveItem());
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(Nodes(stroke), (Points{CVector(10, 10), CVector(14, 11), CVector(18, 16)}));
    wnd.LButtonUp(0, CPoint(19, 18));
    EXPECT_EQ(Nodes(stroke), (Points{CVector(10, 10), CVector(14, 11), CVector(19, 18)}));
    EXPECT_EQ(Group(0x0020), Items{stroke});
    EXPECT_EQ(stroke->GetDrag(), 0);
}

// A calibrated window at 20 pixels per millimetre whose library holds the symbol "Croce" of
// group "Segni": one line over 100 × 50 pixels, 10 × 5 mm.
class GraphicWndSymbol : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        wnd.SetCalibrated(1);
        wnd.SetResolution(20.0, 20.0);
        auto* library = new CGraphicItemList;
        library->AddSymbolGroup("Segni");
        auto* symbol = new CGraphicSymbol;
        symbol->AddItem(NewItem<CGraphicLine>({CVector(0, 0), CVector(100, 50)}));
        symbol->Normalize();
        symbol->SetName("Croce");
        symbol->SetSize(10.0, 5.0);
        library->AddSymbolToGroup("Segni", symbol);
        wnd.SetSymbolLibrary(library);
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
};

TEST_F(GraphicWndSymbol, AChosenSymbolIsPlacedByAMoveOrAPressAndCancellingChoosesNothing) {
    ChooseFirstSymbol();
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateSymbolChosen);
    auto* symbol = dynamic_cast<CGraphicSymbol*>(wnd.GetActiveItem());
    ASSERT_NE(symbol, nullptr);
    EXPECT_STREQ(symbol->GetName(), "Croce");

    wnd.MouseMove(0, CPoint(300, 200)); // starts and centres it where the pointer is
    // 10 × 5 mm at 20 pixels per millimetre: 200 × 100 pixels about the pointer.
    EXPECT_EQ(symbol->GetCorner(0), CVector(200, 150));
    EXPECT_EQ(symbol->GetCorner(2), CVector(400, 250));
    wnd.LButtonUp(0, CPoint(300, 200));
    EXPECT_EQ(Group(0x0001), Items{symbol});
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

    ChooseFirstSymbol(); // a press places the next one
    auto* next = static_cast<CGraphicSymbol*>(wnd.GetActiveItem());
    wnd.LButtonDown(0, CPoint(40, 50));
    EXPECT_EQ(wnd.State(), CGraphicWnd::stateStarted);
    EXPECT_EQ(wnd.GetLastNewItem(), next);
    EXPECT_EQ(next->GetCorner(0), CVector(40, 50));

    wnd.LButtonUp(0, CPoint(40, 50));
    Click(CPoint(500, 500)); // gives the unplaced symbol up
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
    EXPECT_EQ(Nodes(items[0]), (Points{CVector(10, 20), CVector(50, 40)}));
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

} // namespace
} // namespace vellum::test
