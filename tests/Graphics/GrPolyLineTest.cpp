#include "support/ArchiveBytes.h"

#include <vellum/Graphics/GrPolyLine.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace vellum::test {
namespace {

TEST(GrPolyLine, GrowsNodeByNodeAsTheWindowCreatesIt) {
    CGrPolyLine poly;
    EXPECT_EQ(poly.AcceptMoreNodes(), 1);
    EXPECT_EQ(poly.GetNodeCount(), 0);
    CVector p0(0, 0), p1(3, 4), p2(3, 10), moving(1, 1);
    poly.SetStart(&p0);
    EXPECT_EQ(poly.GetNodeCount(), 1);
    EXPECT_EQ(poly.GetLength(), 0.0); // a single node has no length
    poly.SetEnd(&moving, 1);          // opens the second node
    poly.SetEnd(&p1, 0);              // the rubber band follows the mouse
    poly.SetEnd(&p2, 1);              // a click adds the third
    EXPECT_EQ(poly.GetNodeCount(), 3);
    EXPECT_DOUBLE_EQ(poly.GetLength(), 11.0);
    EXPECT_TRUE(poly.GetNode(1) == p1);
    // Growing past the initial two elements keeps every node.
    for (int i = 0; i < 7; ++i) {
        CVector p(3, 10 + i + 1);
        poly.SetEnd(&p, 1);
    }
    EXPECT_EQ(poly.GetNodeCount(), 10);
    EXPECT_DOUBLE_EQ(poly.GetLength(), 18.0);
    EXPECT_TRUE(poly.GetNode(0) == p0);
}

TEST(GrPolyLine, StoresOnlyTheBaseFields) {
    CGrPolyLine poly;
    CVector p0(1, 2), p1(5, 6);
    poly.SetStart(&p0);
    poly.SetEnd(&p1, 1);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &poly; });
    Bytes expected;
    AppendNewClass(expected, "CGrPolyLine");
    AppendDword(expected, 2);
    AppendWord(expected, 2);
    for (double v : {1.0, 2.0, 5.0, 6.0})
        AppendDouble(expected, v);
    AppendWord(expected, 0x0020);
    AppendDword(expected, 0x0000FF00);
    AppendDouble(expected, 1.0);
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
        auto* back = dynamic_cast<CGrPolyLine*>(object.get());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetNodeCount(), 2);
        EXPECT_DOUBLE_EQ(back->GetLength(), std::sqrt(32.0));
    });
}

} // namespace
} // namespace vellum::test
