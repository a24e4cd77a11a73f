#include "Graphics/GraphicsTesting.h"
#include "support/Files.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/platform/GlobalMemory.h>

#include <algorithm>

namespace vellum::test {
namespace {

// A line that records what the list hands down to it and counts its live instances.
class CProbeLine : public CGraphicLine {
public:
    CProbeLine() { ++s_live; }
    ~CProbeLine() override { --s_live; }
    void SetMagnification(double mx, double my) override {
        calls.push_back("mag " + std::to_string(mx) + " " + std::to_string(my));
    }
    void SetResolution(double rx, double ry) override {
        calls.push_back("res " + std::to_string(rx) + " " + std::to_string(ry));
    }
    void Move(double dx, double dy, int node) override {
        calls.push_back("move " + std::to_string(node));
        CGraphicLine::Move(dx, dy, node);
    }
    Lines calls;
    static inline int s_live = 0;
};

Bytes BlockBytes(void* block) {
    const auto* data = static_cast<const BYTE*>(GlobalLock(block));
    Bytes bytes(data, data + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

Bytes LineBody(double x1, double y1, double x2, double y2) {
    std::unique_ptr<CGraphicLine> line(NewLine({x1, y1}, {x2, y2}));
    return Store([&](CArchive& ar) { line->Serialize(ar); });
}

// A list of groups, the first of key 0x0020 with a count of items: the first a new line.
Bytes ListWithLines(WORD groups, WORD items) {
    Bytes bytes;
    AppendNewClass(bytes, "CGraphicItemList");
    AppendWord(bytes, groups);
    AppendWord(bytes, 0x0020);
    AppendNewClass(bytes, "CGrItemList");
    AppendWord(bytes, items);
    AppendNewClass(bytes, "CGraphicLine");
    const Bytes body = LineBody(1, 1, 9, 9);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

void AppendListTail(Bytes& out) {
    AppendDword(out, 1); // list tag
    AppendDword(out, 0); // calibrated
    for (double v : {0.0, 0.0, 1.0, 1.0})
        AppendDouble(out, v);
}

// The colours of the pens the items drew with, in drawing order.
Lines PenOrder(CGraphicItemList& list) {
    CRecordingDC dc;
    list.Draw(&dc, 1.0, 0, 0, 1.0);
    Lines pens;
    for (const std::string& line : dc.LinesNamed("SelectPen"))
        if (line != "SelectPen 0/1/0x00000000") // the previous pen selected back
            pens.push_back(line.substr(line.rfind('/') + 1));
    return pens;
}

TEST(GrItmlst, ItemsOfOneClassShareAGroupAndTheirClassRecord) {
    CGraphicItemList list;
    Bytes empty;
    AppendNewClass(empty, "CGraphicItemList");
    AppendWord(empty, 0);
    AppendListTail(empty);
    EXPECT_EQ(BlockBytes(list.GetGlobalHandle()), empty);

    list.AddItem(0x0020, NewLine({1, 1}, {9, 9}));
    list.AddItem(0x0020, NewLine({5, 6}, {7, 8}));
    // Class 1 and list 2, key, class 3 and group 4, class 5 and the first line 6.
    Bytes expected = ListWithLines(1, 2);
    AppendWord(expected, 0x8005); // a new object of class 5
    const Bytes second = LineBody(5, 6, 7, 8);
    expected.insert(expected.end(), second.begin(), second.end());
    AppendDword(expected, 1); // group tag
    Append(expected, {0x00}); // empty name
    AppendListTail(expected);
    EXPECT_EQ(BlockBytes(list.GetGlobalHandle()), expected);
}

TEST(GrItmlst, ListsRoundTripAndReloadingReversesKeysThatShareABucket) {
    // 0x0001 and 0x0002 share bucket 0, the newest key first: a reload reverses them, and a
    // second reload gives the first bytes back.
    CGraphicItemList list;
    list.AddItem(0x0001, NewLine({0, 0}, {9, 9}, 0x0001, 0x01));
    list.AddItem(0x0002, NewLine({0, 0}, {9, 9}, 0x0002, 0x02));
    EXPECT_EQ(PenOrder(list), (Lines{"0x00000002", "0x00000001"}));
    auto poly = Placed<CGrPolyLine>({{10, 10}, {20, 15}, {30, 5}});
    poly->SetClass(0x0008);
    list.AddItem(0x0008, poly.release());
    list.SetCalibrated(1);
    list.SetResolution(3.5, 4.5);
    list.SetMagnification(1.25, 1.5);
    const Bytes stored = BlockBytes(list.GetGlobalHandle());
    const auto once = ListFromBytes(stored);
    ASSERT_NE(once, nullptr);
    double x = 0, y = 0;
    once->GetResolution(&x, &y);
    EXPECT_EQ(CVector(x, y), CVector(3.5, 4.5));
    once->SetTypesToDraw(0x0003);
    EXPECT_EQ(PenOrder(*once), (Lines{"0x00000001", "0x00000002"}));
    const auto twice = ListFromBytes(BlockBytes(once->GetGlobalHandle()));
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(BlockBytes(twice->GetGlobalHandle()), stored);
}

TEST(GrItmlst, GroupsAreWalkedInTheMapsOrder) {
    CGraphicItemList list;
    // Bucket 2, then bucket 0 (twice), then bucket 1: the walk is 0x0008, 0x0001, 0x0010,
    // 0x0020, the newest key first within a bucket.
    list.AddItem(0x0020, NewLine({0, 0}, {9, 9}, 0x0020, 0x20));
    list.AddItem(0x0001, NewLine({0, 0}, {9, 9}, 0x0001, 0x01));
    list.AddItem(0x0010, NewLine({0, 0}, {9, 9}, 0x0010, 0x10));
    list.AddItem(0x0008, NewLine({0, 0}, {9, 9}, 0x0008, 0x08));
    list.AddItem(0x0001, NewLine({0, 0}, {9, 9}, 0x0001, 0x11)); // the tail of its group
    EXPECT_EQ(PenOrder(list),
              (Lines{"0x00000008", "0x00000001", "0x00000011", "0x00000010", "0x00000020"}));
    // The masked draw goes by ascending bit instead, and only single-bit keys.
    list.AddItem(0x8000, NewLine({0, 0}, {9, 9}, 0x8000, 0x80));
    list.AddItem(0x0003, NewLine({0, 0}, {9, 9}, 0x0003, 0x03));
    list.SetTypesToDraw(0x8001);
    EXPECT_EQ(PenOrder(list), (Lines{"0x00000001", "0x00000011", "0x00000080"}));
    list.SetTypesToDraw(0xFFFE);
    EXPECT_EQ(PenOrder(list), (Lines{"0x00000008", "0x00000010", "0x00000020", "0x00000080"}));
}

TEST(GrItmlst, RepeatedHitsCycleThroughOverlappingItems) {
    CGraphicItemList list;
    CGraphicLine* a = NewLine({0, 50}, {100, 50}, 0x0008);
    CGraphicLine* b = NewLine({50, 0}, {50, 100}, 0x0020);
    CGraphicLine* c = NewLine({0, 0}, {100, 100}, 0x0020);
    CGraphicLine* elsewhere = NewLine({200, 200}, {300, 200}, 0x0020);
    list.AddItem(0x0020, b);
    list.AddItem(0x0008, a); // bucket 0 comes before bucket 2
    list.AddItem(0x0020, elsewhere);
    list.AddItem(0x0020, c);
    // Each item hit, with the more flag that came with it.
    using Hit = std::pair<CGraphicItem*, int>;
    int more = -1;
    const auto first = [&](CVector p) { return Hit(list.HitTest(&p, more, 1.0), more); };
    const auto next = [&](CVector p) { return Hit(list.GetNextHit(&p, more, 1.0), more); };
    const CVector centre(50, 50), lonely(250, 201);
    EXPECT_EQ(first(centre), Hit(a, 1));
    EXPECT_EQ(next(centre), Hit(b, 1));
    EXPECT_EQ(next(centre), Hit(c, 0));
    EXPECT_EQ(next(centre), Hit(nullptr, 0));
    EXPECT_EQ(first(lonely), Hit(elsewhere, 0));
    EXPECT_EQ(next(lonely), Hit(nullptr, 0));

    // An item outside the mask is never hit, though an unmasked list draws it.
    list.SetTypesToDraw(0x0020);
    EXPECT_EQ(first(centre), Hit(b, 1));
    EXPECT_EQ(list.IsVisible(a), 0);

    // Deleting the item the cursor points at ends the cycle.
    list.SetTypesToDraw(0xFFFF);
    ASSERT_EQ(first(centre), Hit(a, 1));
    EXPECT_EQ(list.DeleteItemItem(b, 0x0020), 1);
    EXPECT_EQ(next(centre), Hit(nullptr, 0));
}

TEST(GrItmlst, LoadingDropsNullEntriesAndNullGroups) {
    Bytes bytes = ListWithLines(2, 3);
    AppendWord(bytes, 0x0000); // a null entry
    AppendWord(bytes, 0x8005);
    const Bytes body = LineBody(1, 1, 9, 9);
    bytes.insert(bytes.end(), body.begin(), body.end());
    AppendDword(bytes, 1);
    Append(bytes, {0});
    AppendWord(bytes, 0x0010);
    AppendWord(bytes, 0x0000); // a null group
    AppendListTail(bytes);
    const auto list = ListFromBytes(bytes);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 1);
    CObject* group = nullptr;
    EXPECT_FALSE(list->Lookup(0x0010, group));
    ASSERT_TRUE(list->Lookup(0x0020, group));
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetCount(), 2);
    EXPECT_EQ(list->GetTypesToDraw(), 0x0039);
}

TEST(GrItmlst, ItemsGetWhatTheListIsGivenAndAreDeletedOnceFound) {
    CGraphicItemList list;
    list.SetResolution(2.0, 3.0);
    auto* probe = new CProbeLine;
    list.AddItem(0x0020, probe);
    EXPECT_EQ(probe->calls, (Lines{"res 2.000000 3.000000", "mag 1.000000 1.000000"}));
    probe->calls.clear();
    list.SetMagnification(0.0, 2.0);
    list.SetCalibrated(1);
    list.SetCalibrated(0);
    EXPECT_EQ(probe->calls,
              (Lines{"mag 1.000000 2.000000", "mag 1.000000 1.000000", "res 0.000000 0.000000"}));

    probe->calls.clear();
    list.MoveItems(3, 4);
    list.RotateItems(0.0, nullptr);
    list.FlipHorizontal(100);
    EXPECT_EQ(probe->calls, Lines{"move -1"});

    // Deleting finds the item, under any key of the mask, or leaves it alone.
    auto* kept = new CProbeLine;
    auto* twice = new CProbeLine;
    list.AddItem(0x0020, kept);
    list.AddItem(0x0020, twice);
    list.AddItem(0x0008, twice); // the same item under two keys
    CProbeLine stranger;
    EXPECT_EQ(list.DeleteItemItem(&stranger, 0xFFFF), 0);
    EXPECT_EQ(list.DeleteItemItem(kept, 0x0008), 0);
    EXPECT_EQ(list.DeleteItemItem(kept, 0x0400), 0);
    EXPECT_EQ(CProbeLine::s_live, 4);
    EXPECT_EQ(list.DeleteItemItem(twice, 0xFFFF), 1);
    EXPECT_EQ(CProbeLine::s_live, 3);
    CObject* group = nullptr;
    ASSERT_TRUE(list.Lookup(0x0008, group)); // an emptied group stays
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetCount(), 0);
    EXPECT_EQ(list.DeleteItemItem(kept, 0x0020), 1);
    EXPECT_EQ(CProbeLine::s_live, 2);
}

// A line in group 0x0020, then group 0x0008 refers back to it and the data ends; a failed
// load is logged once, a missing file never reaches the list.
TEST(GrItmlst, DamagedStreamsAreLoggedAndNeverShareOwnershipBadly) {
    Bytes shared = ListWithLines(2, 1);
    AppendDword(shared, 1);
    Append(shared, {0});
    AppendWord(shared, 0x0008);
    AppendWord(shared, 0x8003); // a second group
    AppendWord(shared, 2);
    AppendWord(shared, 0x0006); // the line read before
    const std::string log = ::testing::TempDir() + "vellum-list-errors.log";
    std::remove(log.c_str());
    {
        ScopedEnv logTo("VELLUM_LOG", log.c_str());
        EXPECT_EQ(ListFromBytes(shared), nullptr);
        EXPECT_EQ(CGraphicItemList::FromFile("/nonexistent/list.vla"), nullptr);
    }
    const std::string logged = ReadFileBytes(log);
    std::remove(log.c_str());
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1);
    EXPECT_NE(logged.find("\t17000\t.\\Graphics\\GrItmlst\t1685\t"), std::string::npos);

    // The same stream completed: the line stands in both groups and is deleted once; a
    // repeated key replaces the earlier group, which is deleted.
    AppendWord(shared, 0x0006);
    AppendDword(shared, 1);
    Append(shared, {0});
    AppendListTail(shared);
    const auto list = ListFromBytes(shared);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 2);
}

} // namespace
} // namespace vellum::test
