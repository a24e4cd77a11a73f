#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "window/WindowTesting.h"

#include <vellum/Graphics/GraphicArc.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <vector>

namespace vellum::test {
namespace {

using Items = std::vector<CGraphicItem*>;

// The window creates distances, angles and arcs as the user draws them.
class MeasurementCreation : public ::testing::Test {
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
    Items Group(WORD key) { return GroupItems(*wnd.GetVectorItemList(), key); }

    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope hostScope{host};
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
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
    EXPECT_EQ(Nodes(distance), (std::vector<CVector>{{10, 10}, {90, 10}, {90, 50}}));
    EXPECT_EQ(distance->GetDistanceStr(), "30.00 mm"); // 120 pixels at 4 per millimetre
    EXPECT_EQ(distance->GetDrag(), 0);
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
    EXPECT_EQ(Nodes(angle), (std::vector<CVector>{{100, 20}, {20, 20}, {20, 60}, {20, 100}}));
    EXPECT_FALSE(angle->HasSharedVertex()); // node 3 was dragged on to (20, 60)
    CRecordingDC dc;
    angle->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(angle->GetAngleStr(), "90.0\xB0 (270.0\xB0)");
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
}

TEST_F(MeasurementCreation, AnArcFollowsTheDragAndJoinsTheDrawings) {
    wnd.SetVectorAction(CGraphicWnd::actionArc);
    Play({{d, 10, 10, 1}, {m, 30, 30, 2}, {m, 50, 90, 2}, {u, 50, 90, 0}});
    ASSERT_EQ(Group(0x0020).size(), 1u);
    auto* arc = dynamic_cast<CGraphicArc*>(Group(0x0020)[0]);
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->GetControlPoint(1), CVector(10, 50));
    EXPECT_EQ(arc->GetControlPoint(2), CVector(30, 90));
    EXPECT_EQ(arc->GetControlPoint(3), CVector(50, 90));
}

TEST_F(MeasurementCreation, CalibratingOneDistanceReachesEveryMeasurementThroughTheList) {
    wnd.SetVectorAction(CGraphicWnd::actionDistance);
    Play({{d, 0, 0, 1}, {m, 100, 0, 3}, {u, 100, 0, 4}, {w, 100, 0, 0}});
    wnd.SetVectorAction(CGraphicWnd::actionDistance);
    Play({{d, 0, 10, 1}, {m, 0, 60, 3}, {u, 0, 60, 4}, {w, 0, 60, 0}});
    Items measured = Group(0x0008);
    ASSERT_EQ(measured.size(), 2u);
    auto* first = static_cast<CGrPolyDist*>(measured[0]);
    auto* second = static_cast<CGrPolyDist*>(measured[1]);
    EXPECT_EQ(second->GetDistanceStr(), "50 Pixels");

    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_ACTUAL_VALUE, "25 mm");
        user.OK();
    });
    ASSERT_EQ(first->Calibrate(), 1);
    double rx = 0, ry = 0;
    first->GetResolution(&rx, &ry);
    wnd.SetResolution(rx, ry);
    wnd.SetCalibrated(1);
    EXPECT_EQ(first->GetDistanceStr(), "25.00 mm");
    EXPECT_EQ(second->GetDistanceStr(), "12.50 mm");
    // A new distance starts calibrated.
    wnd.SetVectorAction(CGraphicWnd::actionDistance);
    Play({{d, 0, 0, 1}, {m, 0, 8, 3}});
    EXPECT_EQ(static_cast<CGrPolyDist*>(wnd.GetActiveItem())->GetDistanceStr(), "2.00 mm");
}

} // namespace
} // namespace vellum::test
