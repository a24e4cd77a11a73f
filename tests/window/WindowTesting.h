#pragma once
// A window that opens its protected state to the tests, items that count their instances and
// record what the window asks of them, and a fixture with the window, its view and a user.

#include "support/FakeWnd.h"
#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/window/GraphicWnd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {

class CTestGraphicWnd : public CGraphicWnd {
public:
    using CGraphicWnd::CGraphicWnd;
    using CGraphicWnd::GetItemBoundsRect;
    using CGraphicWnd::InvalidateItemArea;
    using CGraphicWnd::OffsetZoom;
    using CGraphicWnd::TrackMousePointer;

    int State() const { return m_nState; }
    void SetState(int state) { m_nState = state; }
    CRect OldArea() const { return m_rcOldArea; }
    CPoint MoveDisplacement() const { return m_ptMoveDisplacement; }
    double RotationAngle() const { return m_dRotationAngle; }
    int PlacedNodes() const { return m_nPlacedNodes; }
    CVector LastNode() const { return m_vLastNode; }
    LONG LastDrawFlags() const { return m_nLastDrawFlags; }
    int OwnsList() const { return m_bOwnsList; }
    WORD ForcedType() const { return m_wForcedType; }
    // A new item started at v by the host's own means, as a chosen symbol is.
    void StartHeldItem(CGraphicItem* item, CVector v, int state) {
        HoldNewItem(item);
        item->SetStart(&v);
        m_vLastNode = v;
        m_nPlacedNodes = 1;
        m_pLastNewItem = item;
        m_nState = state;
    }
};

// Records the window's calls that tests follow, and counts live instances.
template <class Base> class CProbe : public Base {
public:
    CProbe() { ++s_live; }
    ~CProbe() override { --s_live; }
    void SetFocus(int focus) override {
        calls.push_back("focus " + std::to_string(focus));
        Base::SetFocus(focus);
    }
    void SetDrag(int drag) override {
        calls.push_back("drag " + std::to_string(drag));
        Base::SetDrag(drag);
    }
    void SetOwnCursor() override { calls.push_back("cursor"); }
    int Properties(CWnd* parent, LONG flags) override {
        propertiesParent = parent;
        calls.push_back("properties " + std::to_string(flags));
        return propertiesAnswer;
    }
    void OnRegionalSettingsChanged(CRegionalSettings&) override { calls.push_back("units"); }

    std::vector<std::string> calls;
    CWnd* propertiesParent = nullptr;
    int propertiesAnswer = 1;
    static inline int s_live = 0;
};

using CProbeLine = CProbe<CGraphicLine>;
using CProbeSelectionRect = CProbe<CGraphicSelectionRect>;

// A fixture member declared before the window: when it goes, after the window and the lists,
// no probe item may be alive.
class CLiveItemCheck {
public:
    CLiveItemCheck() { CProbeLine::s_live = CProbeSelectionRect::s_live = 0; }
    ~CLiveItemCheck() {
        EXPECT_EQ(CProbeLine::s_live, 0) << "a line was leaked or kept";
        EXPECT_EQ(CProbeSelectionRect::s_live, 0) << "a selection rectangle was leaked or kept";
    }
};

// A line or polyline with its nodes, class 0x0020.
template <class Item = CProbeLine> Item* NewItem(std::initializer_list<CVector> nodes) {
    auto* item = new Item;
    auto node = nodes.begin();
    CVector start = *node;
    item->SetStart(&start);
    for (++node; node != nodes.end(); ++node) {
        CVector next = *node;
        item->SetEnd(&next, item->AcceptMoreNodes());
    }
    return item;
}

using Points = std::vector<CVector>;
Points Nodes(CGraphicItem* item);
// The items of the list's group of class key, head to tail.
std::vector<CGraphicItem*> GroupItems(CGraphicItemList& list, WORD key);
int ItemCount(CGraphicItemList& list);

// A window over a list of its own in a host view, with no user defaults (new items are green
// and one pixel wide) and a scripted user; no probe item may outlive it.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { AddLibraryResources(); }

    template <class Item = CProbeLine> Item* Add(std::initializer_list<CVector> nodes) {
        Item* item = NewItem<Item>(nodes);
        wnd.GetVectorItemList()->AddItem(item->GetClass(), item);
        return item;
    }
    std::vector<CGraphicItem*> Group(WORD key) { return GroupItems(*wnd.GetVectorItemList(), key); }
    void Click(CPoint point) {
        wnd.LButtonDown(0, point);
        wnd.LButtonUp(0, point);
    }
    // A press, one move and a release with the action chosen first.
    void Drag(int action, CPoint from, CPoint to) {
        wnd.SetVectorAction(action);
        wnd.LButtonDown(0, from);
        wnd.MouseMove(0, to);
        wnd.LButtonUp(0, to);
    }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope hostScope{host};
    CLiveItemCheck check; // declared before the window: checks once the window is gone
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

} // namespace vellum::test
