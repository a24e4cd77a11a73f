// Drawing with the mouse on the real image view: the items that reach the list, the action
// that returns to select, and the exclusive-or rubber band in the view's pixels.

#include "ViewerTesting.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/window/GraphicWnd.h>

#include <QAction>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

using W = CGraphicWnd;

std::vector<CVector> Nodes(CGraphicItem* item) {
    std::vector<CVector> nodes;
    for (int i = 0; i < item->GetNodeCount(); ++i)
        nodes.push_back(item->GetNode(i));
    return nodes;
}

// The view's pixel as 0xRRGGBB.
QRgb Pixel(viewer::ImageView& view, int x, int y) {
    return view.Backing().pixel(x, y) & 0xFFFFFFu;
}

TEST(ViewerDrawing, ALineFromOneDragAtZoomTwo) {
    ViewerFixture viewer;
    viewer.Window().VectorActionFor(W::actionLine)->trigger();
    Mouse(&viewer.View(), QEvent::MouseButtonPress, QPoint(20, 20));
    Mouse(&viewer.View(), QEvent::MouseMove, QPoint(61, 41));
    // The rubber band is the image in inverse under a black pen: 255 - 60 on every channel,
    // and the image elsewhere.
    EXPECT_EQ(Pixel(viewer.View(), 40, 30), 0xC3C3C3u);
    EXPECT_EQ(Pixel(viewer.View(), 40, 34), 0x3C3C3Cu);
    Mouse(&viewer.View(), QEvent::MouseButtonRelease, QPoint(61, 41));

    const std::vector<CGraphicItem*> items = Items(*viewer.Window().List());
    ASSERT_EQ(items.size(), 1u);
    ASSERT_TRUE(items[0]->IsKindOf(RUNTIME_CLASS(CGraphicLine)));
    // View points at zoom 2 become image points by truncation: (61, 41) is (30, 20).
    EXPECT_EQ(Nodes(items[0]), (std::vector<CVector>{{10, 10}, {30, 20}}));
    // The finished line is painted in the default green over the repainted image.
    EXPECT_EQ(Pixel(viewer.View(), 40, 30), 0x00FF00u);
    EXPECT_TRUE(viewer.Window().isWindowModified());
    // The window put the action back to select, and so did the toolbar.
    EXPECT_EQ(viewer.View().Graphic().GetVectorAction(), W::actionSelect);
    EXPECT_TRUE(viewer.Window().VectorActionFor(W::actionSelect)->isChecked());
    EXPECT_FALSE(viewer.Window().VectorActionFor(W::actionLine)->isChecked());
}

TEST(ViewerDrawing, APolylineNodeByNodeEndsWithADoubleClick) {
    ViewerFixture viewer;
    viewer.Window().VectorActionFor(W::actionPolyLine)->trigger();
    QWidget* view = &viewer.View();
    // The first segment with a drag; each further node begins with a move and is fixed by a
    // click at least 3 image pixels from where it began.
    Drag(view, QPoint(10, 10), QPoint(50, 10));
    Mouse(view, QEvent::MouseMove, QPoint(50, 12));
    Mouse(view, QEvent::MouseMove, QPoint(50, 60));
    Click(view, QPoint(50, 60));
    EXPECT_TRUE(viewer.Window().VectorActionFor(W::actionPolyLine)->isChecked());
    EXPECT_TRUE(Items(*viewer.Window().List()).empty());
    Mouse(view, QEvent::MouseMove, QPoint(52, 60));
    Mouse(view, QEvent::MouseMove, QPoint(121, 61));
    DoubleClick(view, QPoint(121, 61));

    const std::vector<CGraphicItem*> items = Items(*viewer.Window().List());
    ASSERT_EQ(items.size(), 1u);
    ASSERT_TRUE(items[0]->IsKindOf(RUNTIME_CLASS(CGrPolyLine)));
    EXPECT_EQ(Nodes(items[0]), (std::vector<CVector>{{5, 5}, {25, 5}, {25, 30}, {60, 30}}));
    EXPECT_TRUE(viewer.Window().VectorActionFor(W::actionSelect)->isChecked());

    // A drag on the polyline's first segment moves it by whole image pixels.
    Drag(view, QPoint(30, 10), QPoint(30, 30));
    EXPECT_EQ(Nodes(items[0]), (std::vector<CVector>{{5, 15}, {25, 15}, {25, 40}, {60, 40}}));
}

} // namespace
} // namespace vellum::test
