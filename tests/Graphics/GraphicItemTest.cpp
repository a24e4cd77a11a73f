#include "support/ArchiveBytes.h"

#include <vellum/Graphics/GraphicItem.h>
#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>

namespace vellum::test {
namespace {

// A base item with the given nodes, appended as the window appends them.
std::unique_ptr<CGraphicItem> ItemWith(std::initializer_list<std::pair<double, double>> nodes) {
    auto item = std::make_unique<CGraphicItem>();
    for (const auto& [x, y] : nodes) {
        CVector p(x, y);
        item->SetEnd(&p, 1);
    }
    return item;
}

int Hit(CGraphicItem& item, double x, double y, double zoom = 1.0) {
    CVector p(x, y);
    return item.HitTest(&p, zoom);
}

int NodeAt(CGraphicItem& item, double x, double y, double zoom) {
    CVector p(x, y);
    return item.PntInNode(&p, zoom);
}

void ExpectRect(const CRect& r, LONG l, LONG t, LONG rt, LONG b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

TEST(GraphicItem, NodeToleranceFollowsZoomWithinLimits) {
    auto item = ItemWith({{10, 10}, {60, 60}});
    // Zoom 2: h = 2, the square 8 <= x < 12.
    EXPECT_EQ(NodeAt(*item, 8, 8, 2.0), 1);
    EXPECT_EQ(NodeAt(*item, 11.4, 11.4, 2.0), 1);
    EXPECT_EQ(NodeAt(*item, 7.6, 10, 2.0), 1); // rounds to 8
    EXPECT_EQ(NodeAt(*item, 7.4, 10, 2.0), 0);
    EXPECT_EQ(NodeAt(*item, 12, 10, 2.0), 0);
    EXPECT_EQ(NodeAt(*item, 10, 12, 2.0), 0);
    // Zoom 0.1: 50 pixels, capped at twice the gap.
    EXPECT_EQ(NodeAt(*item, 19.4, 10, 0.1), 1);
    EXPECT_EQ(NodeAt(*item, 20, 10, 0.1), 0);
    EXPECT_EQ(NodeAt(*item, 0, 0, 0.1), 1);
    // Zoom 100: never below one pixel.
    EXPECT_EQ(NodeAt(*item, 9, 10, 100.0), 1);
    EXPECT_EQ(NodeAt(*item, 10, 10, 100.0), 1);
    EXPECT_EQ(NodeAt(*item, 11, 10, 100.0), 0);
    // The first node found wins, and nodes are numbered from 1.
    EXPECT_EQ(NodeAt(*item, 60, 61, 1.0), 2);
}

TEST(GraphicItem, HitTestPrefersNodesThenTheDoublyEnlargedBounds) {
    auto item = ItemWith({{0, 0}, {20, 0}});
    EXPECT_EQ(Hit(*item, 20, 0), 2);
    EXPECT_EQ(Hit(*item, 10, 0), -1);
    // Bounds (-1, -1, 21, 1), enlarged twice by the gap: -11 <= y < 11.
    EXPECT_EQ(Hit(*item, 10, 10), -1);
    EXPECT_EQ(Hit(*item, 10, -11), -1);
    EXPECT_EQ(Hit(*item, 10, 11), 0);
    EXPECT_EQ(Hit(*item, 30, 0), -1);
    EXPECT_EQ(Hit(*item, 31, 0), 0);
}

TEST(GraphicItem, BoundsUniteSegmentsAndWidenDegenerateOnes) {
    auto flat = ItemWith({{0, 5}, {10, 5}});
    ExpectRect(flat->GetBoundsRect(0), -1, 4, 11, 6);
    ExpectRect(flat->GetBoundsRect(1), -6, -1, 16, 11);

    auto bent = ItemWith({{0, 0}, {10, 10}, {20, 5}});
    ExpectRect(bent->GetBoundsRect(0), 0, 0, 20, 10);
    ExpectRect(bent->GetBoundsRect(1), -5, -5, 25, 15);

    auto reversed = ItemWith({{10, 10}, {0.6, 2.4}}); // normalised, rounded to (1, 2)
    ExpectRect(reversed->GetBoundsRect(0), 1, 2, 10, 10);

    auto single = ItemWith({{7, 7}});
    ExpectRect(single->GetBoundsRect(1), 0, 0, 0, 0);
}

TEST(GraphicItem, CenterPointTruncatesTowardZero) {
    auto item = ItemWith({{-3, -3}, {-10, -10}});
    // Bounds (-15, -15, 2, 2): (-13 / 2) is -6, not -7.
    const CVector centre = item->GetCenterPoint();
    EXPECT_EQ(centre.x, -6.0);
    EXPECT_EQ(centre.y, -6.0);
}

TEST(GraphicItem, MoveScaleFlipAndRotateTheNodes) {
    auto item = ItemWith({{0, 0}, {10, 0}, {10, 10}});
    item->Move(3, 4, 2);
    EXPECT_TRUE(item->GetNode(0) == CVector(0, 0));
    EXPECT_TRUE(item->GetNode(1) == CVector(13, 4));
    item->Move(3, 4, -1);
    EXPECT_TRUE(item->GetNode(0) == CVector(3, 4));
    EXPECT_TRUE(item->GetNode(2) == CVector(13, 14));
    item->Move(1, 1, 0); // not a node number
    item->Move(1, 1, 4);
    EXPECT_TRUE(item->GetNode(0) == CVector(3, 4));

    item->Scale(0, 2, nullptr);
    item->Scale(2, -1, nullptr);
    EXPECT_TRUE(item->GetNode(1) == CVector(16, 8));
    CVector centre(3, 4);
    item->Scale(2, 3, &centre);
    EXPECT_TRUE(item->GetNode(0) == CVector(3, 4));
    EXPECT_TRUE(item->GetNode(1) == CVector(29, 16));
    EXPECT_TRUE(item->GetNode(2) == CVector(23, 34));

    auto flip = ItemWith({{30, 7}, {-5, 8}});
    flip->FlipHorizontal(100);
    EXPECT_TRUE(flip->GetNode(0) == CVector(170, 7));
    EXPECT_TRUE(flip->GetNode(1) == CVector(205, 8));

    // About the default centre (5, 0): counter-clockwise on screen by a quarter turn.
    auto turn = ItemWith({{0, 0}, {10, 0}});
    turn->Rotate(PI / 2, nullptr);
    EXPECT_NEAR(turn->GetNode(0).x, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(0).y, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(1).x, 5.0, 1e-9);
    EXPECT_NEAR(turn->GetNode(1).y, -5.0, 1e-9);
}

TEST(GraphicItem, PntInNodeLinesFindsTheFirstSegmentBody) {
    auto path = ItemWith({{0, 0}, {100, 0}, {100, 100}});
    CVector onFirst(50, 3), onSecond(103, 50), between(50, 50), corner(100, 0);
    EXPECT_EQ(path->PntInNodeLines(&onFirst, 1.0), 0);
    EXPECT_EQ(path->PntInNodeLines(&onSecond, 1.0), 1);
    EXPECT_EQ(path->PntInNodeLines(&between, 1.0), -1);
    EXPECT_EQ(path->PntInNodeLines(&corner, 1.0), -1); // node hits do not count
}

TEST(GraphicItem, StoresItsFieldsAfterTheClassRecord) {
    auto item = ItemWith({{1.5, -2}, {3, 4}});
    item->SetClass(0x0008);
    item->SetColor(0x00112233);
    item->SetLineWidth(3.0);
    const Bytes bytes = Store([&](CArchive& ar) { ar << item.get(); });
    Bytes expected;
    AppendNewClass(expected, "CGraphicItem");
    AppendDword(expected, 2);
    AppendWord(expected, 2);
    for (double v : {1.5, -2.0, 3.0, 4.0})
        AppendDouble(expected, v);
    AppendWord(expected, 0x0008);
    AppendDword(expected, 0x00112233);
    AppendDouble(expected, 3.0);
    EXPECT_EQ(bytes, expected);
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
        EXPECT_EQ(static_cast<CGraphicItem*>(object.get())->GetLineWidth(), 3.0);
    });
}

TEST(GraphicItem, VersionOneBodyIsReadAndWrittenBackAsVersionTwo) {
    Bytes versionOne;
    AppendDword(versionOne, 1);
    AppendWord(versionOne, 1);
    AppendDouble(versionOne, 5.0);
    AppendDouble(versionOne, 6.0);
    AppendWord(versionOne, 0x0010);
    AppendDword(versionOne, 0x000000FF);
    AppendDword(versionOne, 0xCAFEF00D); // the field version 2 dropped
    AppendDouble(versionOne, 2.0);
    AppendText(versionOne, "!");

    CGraphicItem item;
    Load(versionOne, [&](CArchive& ar) {
        item.Serialize(ar);
        BYTE next;
        ar >> next;
        EXPECT_EQ(next, '!'); // exactly the version-1 body was consumed
    });
    EXPECT_EQ(item.GetFormatVersion(), 2);
    EXPECT_EQ(item.GetColor(), 0x000000FFu);
    EXPECT_EQ(item.GetLineWidth(), 2.0);

    Bytes versionTwo(versionOne.begin(), versionOne.end() - 1);
    versionTwo[0] = 2;
    versionTwo.erase(versionTwo.end() - 12, versionTwo.end() - 8);
    EXPECT_EQ(Store([&](CArchive& ar) { item.Serialize(ar); }), versionTwo);
}

TEST(GraphicItem, DamagedNodeCountFailsAtTheEndOfTheData) {
    Bytes bytes;
    AppendDword(bytes, 2);
    AppendWord(bytes, 0xFFFF);
    AppendDword(bytes, 0xFFFFFFFF);
    AppendDouble(bytes, 1.0);
    CGraphicItem item;
    EXPECT_EQ(CauseOf([&] { Load(bytes, [&](CArchive& ar) { item.Serialize(ar); }); }),
              CArchiveException::endOfFile);
}

} // namespace
} // namespace vellum::test
