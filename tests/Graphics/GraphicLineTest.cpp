#include "support/ArchiveBytes.h"

#include <vellum/Graphics/GraphicLine.h>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace vellum::test {
namespace {

std::unique_ptr<CGraphicLine> LineFrom(double x1, double y1, double x2, double y2) {
    auto line = std::make_unique<CGraphicLine>();
    CVector start(x1, y1), end(x2, y2);
    line->SetStart(&start);
    line->SetEnd(&end, 0);
    return line;
}

int Hit(CGraphicLine& line, double x, double y, double zoom) {
    CVector p(x, y);
    return line.HitTest(&p, zoom);
}

TEST(GraphicLine, HitTestMeasuresDistanceToTheSegment) {
    const auto ownedLine = LineFrom(0, 0, 100, 0);
    CGraphicLine& line = *ownedLine;
    EXPECT_EQ(Hit(line, 50, 4.4, 1.0), -1);
    EXPECT_EQ(Hit(line, 50, 5, 1.0), 0);  // outside the box, and the distance equals t
    EXPECT_EQ(Hit(line, 103, 0, 1.0), 2); // the end node
    EXPECT_EQ(Hit(line, -2, 1, 1.0), 1);  // the start node
    EXPECT_EQ(Hit(line, 106, 0, 1.0), 0);
    EXPECT_EQ(Hit(line, 104, 0, 1.0), 2);
    EXPECT_EQ(Hit(line, 50, -4.6, 1.0), -1); // rounds to -5, the box's top edge
    EXPECT_EQ(Hit(line, 50, 9, 0.5), -1);    // tolerance 10 image pixels
    EXPECT_EQ(Hit(line, 50, 10, 0.5), 0);

    // A diagonal: the box alone would accept the corner, the distance does not.
    const auto ownedDiagonal = LineFrom(0, 0, 100, 100);
    CGraphicLine& diagonal = *ownedDiagonal;
    EXPECT_EQ(Hit(diagonal, 50, 53, 1.0), -1);
    EXPECT_EQ(Hit(diagonal, 90, 10, 1.0), 0);
}

TEST(GraphicLine, KeepsTwoNodesWhateverIsAdded) {
    CGraphicLine line;
    EXPECT_EQ(line.GetNodeCount(), 2);
    CVector p(4, 5);
    line.SetStart(&p);
    EXPECT_TRUE(line.GetStart() == p);
    EXPECT_TRUE(line.GetEnd() == p);
    CVector q(8, 9);
    line.SetEnd(&q, 1);
    line.CheckNodeArray();
    EXPECT_EQ(line.GetNodeCount(), 2);
    EXPECT_TRUE(line.GetStart() == p);
    EXPECT_TRUE(line.GetNode(1) == q);
    EXPECT_EQ(line.AcceptMoreNodes(), 0);

    // The base operations act on the two ends.
    line.Move(1, 1, 2);
    EXPECT_TRUE(line.GetEnd() == CVector(9, 10));
    line.FlipHorizontal(10);
    EXPECT_TRUE(line.GetStart() == CVector(16, 5));
}

TEST(GraphicLine, StoresBaseFieldsTagAndEnds) {
    const auto ownedLine = LineFrom(1, 2, 3, 4);
    CGraphicLine& line = *ownedLine;
    const Bytes bytes = Store([&](CArchive& ar) { line.Serialize(ar); });
    Bytes expected;
    AppendDword(expected, 2);     // format version
    AppendWord(expected, 0);      // empty node array
    AppendWord(expected, 0x0020); // class
    AppendDword(expected, 0x0000FF00);
    AppendDouble(expected, 1.0);
    AppendDword(expected, 1); // line tag
    for (double v : {1.0, 2.0, 3.0, 4.0})
        AppendDouble(expected, v);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), 20u + 4u + 32u);

    // A NaN end point reads as 0.0.
    Bytes damaged = bytes;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(damaged.data() + 24 + 16, &nan, 8);
    Load(damaged, [](CArchive& ar) {
        std::unique_ptr<CGraphicLine> back(new CGraphicLine);
        back->Serialize(ar);
        EXPECT_TRUE(back->GetStart() == CVector(1, 2));
        EXPECT_TRUE(back->GetEnd() == CVector(0, 4));
        EXPECT_EQ(back->GetNodeCount(), 2);
    });
}

} // namespace
} // namespace vellum::test
