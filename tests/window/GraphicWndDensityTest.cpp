#include "support/GreyBitmap.h"
#include "support/TempSettings.h"
#include "window/WindowTesting.h"

#include <vellum/density/GrDensityArea.h>
#include <vellum/density/GrDensityLine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellum::test {
namespace {

using Items = std::vector<CGraphicItem*>;
using Lines = std::vector<std::string>;

class GraphicWndDensity : public ::testing::Test {
protected:
    void Drag(int action, CPoint from, CPoint to) {
        wnd.SetVectorAction(action);
        wnd.LButtonDown(0, from);
        wnd.MouseMove(0, to);
        wnd.LButtonUp(0, to);
    }

    TempSettings settings;
    CLiveItemCheck check;
    CFakeWnd parent;
    CTestGraphicWnd wnd{&parent};
};

TEST_F(GraphicWndDensity, ActionsEightAndNineDrawDensityItemsOfClassFour) {
    Drag(CGraphicWnd::actionDensityLine, CPoint(10, 20), CPoint(60, 20));
    Drag(CGraphicWnd::actionDensityArea, CPoint(5, 5), CPoint(30, 25));
    const Items items = GroupItems(*wnd.GetVectorItemList(), CGraphicItem::classDensity);
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
    EXPECT_EQ(wnd.GetVectorAction(), CGraphicWnd::actionSelect);
}

TEST_F(GraphicWndDensity, SetBitmapGathersTheDensityItemsThenRepaints) {
    auto bitmap = GreyBitmap(70, 30, 8, std::vector<unsigned>(70 * 30, 77));
    Drag(CGraphicWnd::actionDensityLine, CPoint(10, 20), CPoint(60, 20));
    Drag(CGraphicWnd::actionDensityArea, CPoint(5, 5), CPoint(30, 25));
    const Items items = GroupItems(*wnd.GetVectorItemList(), CGraphicItem::classDensity);
    parent.ClearEvents();
    wnd.SetBitmap(&bitmap);
    auto* line = static_cast<CGrDensityLine*>(items[0]);
    EXPECT_EQ(line->IsInitialised(), 1);
    EXPECT_EQ(line->GetHistogram()->GetPixelCount(), 50u);
    EXPECT_EQ(line->GetHistogram()->GetPeakIntensity(), 77u);
    EXPECT_EQ(static_cast<CGrDensityArea*>(items[1])->GetHistogram()->GetMeanValue(), 77.0);
    EXPECT_EQ(parent.Events(), (Lines{"Invalidate erase 1", "UpdateWindow"}));

    // Frozen, the window leaves the items alone.
    wnd.EnableAccess(0);
    wnd.SetBitmap(nullptr);
    EXPECT_EQ(line->GetHistogram()->GetPixelCount(), 50u);
}

} // namespace
} // namespace vellum::test
