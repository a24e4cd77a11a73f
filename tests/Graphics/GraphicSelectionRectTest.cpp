#include "support/ArchiveBytes.h"

#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/backends/recording/RecordingDC.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

std::string Corners(const CGraphicRect& rect) {
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += "(" + std::to_string(rect.GetCorner(i).x) + "," +
                std::to_string(rect.GetCorner(i).y) + ")";
    return text;
}

TEST(GraphicSelectionRect, ChangesOnlyByStartAndEndAndIsNoRectangleAtRunTime) {
    CGraphicSelectionRect selection;
    CVector start(10, 20), end(40, 5);
    selection.SetStart(&start);
    selection.SetEnd(&end, 0);
    for (int node : {-3, -1, 0, 1, 2, 3, 4, 5})
        selection.Move(7, 9, node);
    EXPECT_EQ(Corners(selection),
              "(10.000000,20.000000)(10.000000,5.000000)(40.000000,5.000000)(40.000000,20.000000)");

    EXPECT_FALSE(selection.IsKindOf(RUNTIME_CLASS(CGraphicRect)));
    EXPECT_TRUE(selection.IsKindOf(RUNTIME_CLASS(CGraphicItem)));
    EXPECT_EQ(RUNTIME_CLASS(CGraphicSelectionRect)->m_pBaseClass, RUNTIME_CLASS(CGraphicItem));
}

TEST(GraphicSelectionRect, StoresAnEmptyBodyAndReadsBackAtTheOrigin) {
    CGraphicSelectionRect selection;
    CVector start(10, 20), end(40, 5);
    selection.SetStart(&start);
    selection.SetEnd(&end, 0);
    const Bytes bytes = Store([&](CArchive& ar) {
        ar.WriteObject(&selection);
        ar.WriteObject(&selection);
    });
    Bytes expected;
    AppendNewClass(expected, "CGraphicSelectionRect");
    AppendWord(expected, 2); // the same object again: its index
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
        ASSERT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CGraphicSelectionRect));
        EXPECT_EQ(ar.ReadObject(nullptr), object.get());
        EXPECT_EQ(Corners(*static_cast<CGraphicSelectionRect*>(object.get())),
                  Corners(CGraphicSelectionRect()));
    });
    EXPECT_EQ(Corners(CGraphicSelectionRect()),
              "(0.000000,0.000000)(0.000000,0.000000)(0.000000,0.000000)(0.000000,0.000000)");
}

TEST(GraphicSelectionRect, DrawsTheOutlineDotted) {
    CGraphicSelectionRect selection;
    CVector start(10, 20), end(40, 5);
    selection.SetStart(&start);
    selection.SetEnd(&end, 0);
    selection.SetLineWidth(5);
    selection.SetFocus(-1);
    CRecordingDC dc;
    selection.Draw(&dc, 2.0, CGraphicItem::drawNoNodes, 0, 1.0);
    const std::vector<std::string> expected = {
        "SelectPen 2/1/0x0000FF00",
        "SetBkMode 1",
        "Polyline (20,40)-(20,10)-(80,10)-(80,40)-(20,40) pen 2/1/0x0000FF00 rop 13",
        "SelectPen 0/1/0x00000000",
        "SetBkMode 2",
    };
    EXPECT_EQ(dc.Lines(), expected);

    selection.SetDrag(1);
    CRecordingDC dragged;
    selection.Draw(&dragged, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dragged.DrawingLines(),
              std::vector<std::string>{
                  "Polyline (10,20)-(10,5)-(40,5)-(40,20)-(10,20) pen 0/2/0x00000000 rop 13"});
}

} // namespace
} // namespace vellum::test
