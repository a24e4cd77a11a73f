#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicFreeDraw.h>

namespace vellum::test {
namespace {

void ExpectNear(CVector actual, CVector expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

Points BoxCorners(const CGraphicFreeDraw& item) {
    return {item.GetBoxCorner(0), item.GetBoxCorner(1), item.GetBoxCorner(2), item.GetBoxCorner(3)};
}

class GraphicFreeDraw : public ::testing::Test {
    TempSettings settings;
};

TEST_F(GraphicFreeDraw, TheBoxGrowsWithTheStrokeAndNeverShrinks) {
    auto item = Placed<CGraphicFreeDraw>({CVector(10, 10)});
    EXPECT_EQ(BoxCorners(*item), (Points{{10, 10}, {10, 11}, {11, 11}, {11, 10}}));
    CVector a(30, 5), b(20, 40);
    item->SetEnd(&a, 1);
    item->SetEnd(&b, 1);
    EXPECT_EQ(BoxCorners(*item), (Points{{10, 5}, {10, 40}, {30, 40}, {30, 5}}));
    CVector c(15, 15);
    item->SetEnd(&c, 0); // replaces (20, 40); the box keeps what it had
    EXPECT_EQ(Nodes(*item), (Points{{10, 10}, {30, 5}, {15, 15}}));
    EXPECT_EQ(BoxCorners(*item), (Points{{10, 5}, {10, 40}, {30, 40}, {30, 5}}));
    EXPECT_EQ(item->GetLabel().GetNode(0), CVector(15, 15)); // the label follows the pen
}

// A box from (0, 0) to (100, 50) around a stroke through its corners and middle.
std::unique_ptr<CGraphicFreeDraw> Box() {
    return Placed<CGraphicFreeDraw>({CVector(0, 0), CVector(100, 50), CVector(50, 25)});
}

TEST_F(GraphicFreeDraw, StretchingKeepsTheOppositeSideAndARefusesBoxesUnderTwenty) {
    struct Row {
        int handle;
        double dx, dy;
        CVector c0, c2; // the box after the drag, with the stroke's first and second points
    };
    const Row rows[] = {
        {7, -80, 0, {0, 0}, {20, 50}},   {7, -85, 0, {0, 0}, {100, 50}},
        {5, 85, 0, {0, 0}, {100, 50}},   {5, 80, 9, {80, 0}, {100, 50}},
        {3, 20, 10, {0, 0}, {120, 60}},  {1, -10, 20, {-10, 20}, {100, 50}},
        {1, 10, 31, {0, 0}, {100, 50}},  {2, 10, 10, {10, 0}, {100, 60}},
        {4, 10, 10, {0, 10}, {110, 50}}, {6, 5, -30, {0, 0}, {100, 20}},
        {6, 5, -31, {0, 0}, {100, 50}},  {8, 5, 30, {0, 30}, {100, 50}},
        {0, 5, 5, {0, 0}, {100, 50}},    {9, 5, 5, {0, 0}, {100, 50}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "handle " << row.handle << " by " << row.dx << "," << row.dy);
        auto item = Box();
        item->Move(row.dx, row.dy, row.handle);
        EXPECT_EQ(BoxCorners(*item),
                  (Points{row.c0, {row.c0.x, row.c2.y}, row.c2, {row.c2.x, row.c0.y}}));
        ExpectNear(item->GetNode(0), row.c0);
        ExpectNear(item->GetNode(1), row.c2);
    }
    auto item = Box();
    item->Move(-80, 0, 7); // the middle point keeps its place in the box: scaled by 0.2
    ExpectNear(item->GetNode(2), CVector(10, 25));
}

TEST_F(GraphicFreeDraw, HandlesAreCornersThenEdgeMiddlesAndTheLabelIsHitFirst) {
    auto item = Box();
    struct Row {
        CVector point;
        int pntInNode;
        int hit;
    };
    const Row rows[] = {
        {{0, 0}, 1, 1},    {{0, 25}, 5, 5},    {{0, 50}, 2, 2},  {{50, 50}, 6, 6},
        {{100, 50}, 3, 3}, {{100, 25}, 7, 7},  {{100, 0}, 4, 4}, {{50, 0}, 8, 8},
        {{4, 4}, 1, 1},    {{5, 5}, 0, -1},    {{-5, -5}, 1, 1}, {{-6, 0}, 0, -1},
        {{60, 30}, 0, -1}, {{200, 200}, 0, 0},
    };
    for (const Row& row : rows) {
        CVector p = row.point;
        EXPECT_EQ(item->PntInNode(&p, 1.0), row.pntInNode) << p.x << "," << p.y;
        EXPECT_EQ(item->HitTest(&p, 1.0), row.hit) << p.x << "," << p.y;
    }
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CVector corner(100, 50);
    item->PntInNode(&corner, 1.0);
    item->SetOwnCursor(); // no focus: nothing
    item->SetFocus(-1);
    item->SetOwnCursor();
    CVector edge(50, 0);
    item->PntInNode(&edge, 1.0);
    item->SetOwnCursor();
    CVector inside(60, 30);
    item->PntInNode(&inside, 1.0);
    item->SetOwnCursor();
    EXPECT_EQ(host.Cursors(), (std::vector<UINT>{IDC_SIZENWSE, IDC_SIZENS, IDC_SIZEALL}));
}

TEST_F(GraphicFreeDraw, DrawsTheStrokeTheHandlesAndTheLabelWhichMovesAlone) {
    auto item = Box();
    CRecordingDC plain;
    item->Draw(&plain, 1.0, 0, 0, 1.0);
    EXPECT_EQ(plain.LinesNamed("TextOut").size(), 0u); // an empty label draws nothing
    EXPECT_EQ(plain.LinesNamed("FillSolidRect").size(), 0u);
    EXPECT_EQ(plain.LinesNamed("LineTo").size(), 2u);
    item->SetFocus(-1);
    CRecordingDC focused;
    item->Draw(&focused, 1.0, 0, 0, 1.0);
    const auto squares = focused.LinesNamed("FillSolidRect");
    ASSERT_EQ(squares.size(), 8u); // the eight handles, not the three stroke points
    EXPECT_NE(squares[1].find("(-3,22)-(3,28)"), std::string::npos) << squares[1];

    item->GetLabel().SetText("Nota");
    CRecordingDC labelled;
    item->Draw(&labelled, 1.0, 0, 0, 1.0);
    EXPECT_EQ(labelled.LinesNamed("TextOut").size(), 1u);
    const CRect label = item->GetLabelRect();
    CVector inLabel(label.left + 1, label.top + 1);
    EXPECT_EQ(item->HitTest(&inLabel, 1.0), CGraphicItem::hitLabel);
    const CVector anchor = item->GetLabel().GetNode(0);
    item->Move(5, 6, CGraphicItem::hitLabel);
    EXPECT_EQ(item->GetLabel().GetNode(0), CVector(anchor.x + 5, anchor.y + 6));
    EXPECT_EQ(item->GetNode(0), CVector(0, 0));
    item->Move(10, 20, CGraphicItem::hitBody);
    EXPECT_EQ(item->GetNode(0), CVector(10, 20));
    EXPECT_EQ(item->GetBoxCorner(2), CVector(110, 70));
    EXPECT_EQ(item->GetLabel().GetNode(0), CVector(anchor.x + 5, anchor.y + 6));
}

TEST_F(GraphicFreeDraw, StoresTheStrokeTheLabelAndTheBoxAndReadsThemBack) {
    auto item = Placed<CGraphicFreeDraw>({CVector(1, 2), CVector(3, 4)});
    item->GetLabel().SetText("ab");
    const Bytes stored = StoreObject(item.get());
    const Bytes base = Store([&](CArchive& ar) { item->CGraphicItem::Serialize(ar); });
    const Bytes label = Store([&](CArchive& ar) { item->GetLabel().Serialize(ar); });
    Bytes expected;
    AppendNewClass(expected, "CGraphicFreeDraw");
    expected.insert(expected.end(), base.begin(), base.end());
    AppendDword(expected, 1);
    expected.insert(expected.end(), label.begin(), label.end());
    for (double v : {1.0, 2.0, 1.0, 4.0, 3.0, 4.0, 3.0, 2.0})
        AppendDouble(expected, v);
    EXPECT_EQ(stored, expected);
    const auto loaded = LoadObject<CGraphicFreeDraw>(stored);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->GetLabelRect().IsRectEmpty());
    EXPECT_EQ(StoreObject(loaded.get()), stored);
}

TEST_F(GraphicFreeDraw, PropertiesSetTextColourAndWidth) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    auto item = Box();
    host.AddScript([](CScriptedUser& user) {
        user.Type(24275, "Frattura");
        user.Tab(2);
        user.Type(24259, "3");
        user.OK();
    });
    EXPECT_EQ(item->Properties(nullptr, 0), 1);
    EXPECT_EQ(item->GetLabel().Text(), "Frattura");
    EXPECT_EQ(item->GetLineWidth(), 3.0);
    host.AddScript([](CScriptedUser& user) { user.Cancel(); });
    EXPECT_EQ(item->Properties(nullptr, 0), 0);
}

} // namespace
} // namespace vellum::test
