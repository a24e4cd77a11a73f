// The hit index changes nothing that a click sees: a list's walk with and without it visits
// the same items in the same order, for every registered kind and kinds hitting beyond nodes.
#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/archive/ClassRegistry.h>

#include <algorithm>
#include <random>

namespace vellum::test {
namespace {

// A polyline with a label far from its nodes, moved by writing it directly.
class CLabelledPolyLine : public CGrPolyLine {
public:
    int HitTest(CVector* point, double zoom) override {
        const POINT p = *point;
        if (p.x == m_label.x && p.y == m_label.y)
            return hitLabel;
        return CGrPolyLine::HitTest(point, zoom);
    }
    void Move(double dx, double dy, int node) override {
        if (node == hitLabel)
            m_label = CVector(m_label.x + dx, m_label.y + dy);
        else
            CGrPolyLine::Move(dx, dy, node);
    }
    CVector m_label{700, 300};
};

// A line that moves its own end by hand, without the base operations.
class CHandMovedLine : public CGraphicLine {
public:
    void Move(double dx, double dy, int) override { m_aEnds[1].x += dx + dy; }
};

TEST(GrHitIndex, HitBoundsAreTheReachOfTheHitTest) {
    struct Row {
        bool line;
        Points nodes;
        int gap;
        BOOL known;
        CRect bounds;
    };
    const Row rows[] = {
        {true, {{0, 0}, {100, 20}}, 5, TRUE, {-10, -10, 110, 30}}, // node squares: twice the gap
        {true, {{0, 0}, {100, 20}}, 0, TRUE, {0, 0, 0, 0}},
        {true, {{0, 0}, {100, 20}}, -1, FALSE, {}},
        {true, {{0, 0}, {6e8, 0}}, 5, FALSE, {}},
        {false, {{0, 0}, {100, 0}}, 5, TRUE, {-11, -11, 111, 11}}, // segment box +1, gap twice
        {false, {{50, 50}}, 5, TRUE, {-10, -10, 60, 60}}, // the unset second node is the origin
        {false, {{0.5, -0.5}, {9.4, 30.6}}, 2, TRUE, {-3, -5, 13, 35}}, // rounded nodes
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        std::unique_ptr<CGraphicItem> item;
        if (row.line)
            item = Placed<CGraphicLine>(row.nodes, 0);
        else
            item = Placed<CGrPolyLine>(row.nodes);
        item->SetGap(row.gap);
        CRect bounds(1, 2, 3, 4);
        EXPECT_EQ(item->GetHitBounds(&bounds), row.known);
        if (row.known) {
            EXPECT_EQ(bounds, row.bounds);
        }
    }
    // Derived kinds, and the base, do not know.
    CRect bounds;
    EXPECT_FALSE(CLabelledPolyLine().GetHitBounds(&bounds));
    EXPECT_FALSE(CHandMovedLine().GetHitBounds(&bounds));
    EXPECT_FALSE(CGraphicItem().GetHitBounds(&bounds));
}

// One list and its items.
struct Scene {
    std::unique_ptr<CGraphicItemList> list = std::make_unique<CGraphicItemList>();
    std::vector<CGraphicItem*> items;
};

// Places an item as the window does; kinds that cannot take more nodes keep what they have.
void Place(CGraphicItem* item, std::mt19937& random, const std::vector<CVector>& hotspots) {
    std::uniform_real_distribution<double> coordinate(-50, 450), step(-40, 40);
    CVector at(coordinate(random), coordinate(random));
    if (!hotspots.empty() && random() % 3 == 0)
        at = hotspots[random() % hotspots.size()];
    try {
        item->SetStart(&at);
        const int more = item->AcceptMoreNodes() ? 1 + static_cast<int>(random() % 4) : 1;
        for (int n = 0; n < more; ++n) {
            at = CVector(at.x + step(random), at.y + step(random));
            item->SetEnd(&at, item->AcceptMoreNodes() ? 1 : 0);
        }
    } catch (const CException&) {
    }
}

Scene MakeScene(unsigned seed) {
    std::mt19937 random(seed);
    Scene scene;
    std::vector<const CRuntimeClass*> kinds;
    for (const CRuntimeClass* cls : CClassRegistry::Instance().Classes())
        if (cls->IsDerivedFrom(RUNTIME_CLASS(CGraphicItem)) && cls->IsSerializable())
            kinds.push_back(cls);
    const WORD classes[] = {0x0001, 0x0008, 0x0010, 0x0020, 0x0004};
    std::vector<CVector> hotspots;
    const int count = 150 + static_cast<int>(random() % 150);
    for (int i = 0; i < count; ++i) {
        CGraphicItem* item;
        const unsigned pick = random() % 10;
        if (pick < 4)
            item = new CGraphicLine;
        else if (pick < 7)
            item = new CGrPolyLine;
        else if (pick == 7)
            item = new CLabelledPolyLine;
        else if (pick == 8)
            item = new CHandMovedLine;
        else
            item = static_cast<CGraphicItem*>(kinds[random() % kinds.size()]->CreateObject());
        Place(item, random, hotspots);
        if (random() % 8 == 0)
            item->SetGap(static_cast<int>(random() % 12));
        item->SetClass(classes[random() % 5]);
        if (item->GetNodeCount() > 0)
            hotspots.push_back(item->GetNode(0));
        scene.list->AddItem(item->GetClass(), item);
        scene.items.push_back(item);
    }
    return scene;
}

// The items a click cycle visits, each with the more flag that came with it.
using Visits = std::vector<std::pair<CGraphicItem*, int>>;
Visits Cycle(CGraphicItemList& list, CVector point, double zoom) {
    Visits visited;
    int more = 0;
    CGraphicItem* hit = list.HitTest(&point, more, zoom);
    for (int guard = 0; guard < 1000; ++guard) {
        visited.emplace_back(hit, more);
        if (!more)
            break;
        hit = list.GetNextHit(&point, more, zoom);
    }
    return visited;
}

// Nodes, a pixel either side of their squares' edges at the widest tolerance, segment
// middles, and anywhere.
std::vector<CVector> Probes(Scene& scene, std::mt19937& random) {
    std::vector<CVector> points;
    std::uniform_real_distribution<double> anywhere(-80, 520);
    for (int i = 0; i < 40; ++i)
        points.emplace_back(anywhere(random), anywhere(random));
    for (int i = 0; i < 25; ++i) {
        CGraphicItem* item = scene.items[random() % scene.items.size()];
        const int n = item->GetNodeCount();
        if (n == 0)
            continue;
        const CVector a = item->GetNode(static_cast<int>(random() % n));
        const CVector b = item->GetNode(static_cast<int>(random() % n));
        const double reach = 2 * item->GetGap();
        points.push_back(a);
        points.emplace_back((a.x + b.x) / 2, (a.y + b.y) / 2);
        for (double d : {-reach - 1, -reach, reach - 1, reach, reach + 1})
            points.emplace_back(a.x + d, a.y + (random() % 2 ? d : 0));
    }
    points.emplace_back(700, 300); // the labels
    return points;
}

void ExpectSameWalks(Scene& scene, std::mt19937& random, const char* after) {
    for (double zoom : {0.1, 1.0, 2.5}) {
        for (const CVector& point : Probes(scene, random)) {
            scene.list->UseHitIndex(TRUE);
            const Visits indexed = Cycle(*scene.list, point, zoom);
            scene.list->UseHitIndex(FALSE);
            const Visits plain = Cycle(*scene.list, point, zoom);
            ASSERT_EQ(indexed, plain)
                << after << " at (" << point.x << ", " << point.y << ") zoom " << zoom;
        }
    }
}

// The list stored and read back; its items listed anew in the order of the walk.
void Reload(Scene& scene) {
    scene.list = ListFromBytes(StoreObject(scene.list.get()));
    ASSERT_NE(scene.list, nullptr);
    scene.list->SetTypesToDraw(0xFFFF);
    scene.items.clear();
    for (POSITION pos = scene.list->GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        scene.list->GetNextAssoc(pos, key, group);
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION at = items->GetHeadPosition(); at;)
            scene.items.push_back(static_cast<CGraphicItem*>(items->GetNext(at)));
    }
}

TEST(GrHitIndex, IndexedWalkEqualsPlainWalk) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed * 7919);
        Scene scene = MakeScene(seed);
        scene.list->SetTypesToDraw(seed % 2 ? 0xFFFF : 0x0029);
        ExpectSameWalks(scene, random, "as made");

        scene.list->MoveItems(13.5, -7.25);
        ExpectSameWalks(scene, random, "after MoveItems");
        CVector centre(200, 200);
        scene.list->RotateItems(0.4, &centre);
        ExpectSameWalks(scene, random, "after RotateItems");
        scene.list->FlipHorizontal(220);
        ExpectSameWalks(scene, random, "after FlipHorizontal");

        // Single items edited as the window edits them: a node dragged, a body moved, a
        // label moved, an end moved by hand, a gap changed, a new last node.
        for (int edit = 0; edit < 8; ++edit) {
            CGraphicItem* item = scene.items[random() % scene.items.size()];
            const int nodes = std::max(1, item->GetNodeCount());
            const int codes[] = {1 + static_cast<int>(random() % nodes), -1, -2};
            item->Move(31, -17, codes[random() % 3]);
            if (edit % 4 == 0)
                item->SetGap(static_cast<int>(random() % 9));
            if (edit % 5 == 0 && item->AcceptMoreNodes()) {
                CVector end(random() % 400, random() % 400);
                item->SetEnd(&end, 1);
            }
            ExpectSameWalks(scene, random, "after an item edit");
        }

        for (int d = 0; d < 40; ++d) {
            const std::size_t at = random() % scene.items.size();
            ASSERT_EQ(scene.list->DeleteItemItem(scene.items[at], 0xFFFF), 1);
            scene.items.erase(scene.items.begin() + static_cast<std::ptrdiff_t>(at));
        }
        ExpectSameWalks(scene, random, "after deletions");

        Reload(scene);
        ExpectSameWalks(scene, random, "after a reload");
    }
}

// A click cycle that the index answers resumes where it stopped, also after the group
// changed between two clicks of the cycle.
TEST(GrHitIndex, CycleResumesAcrossAChange) {
    CGraphicItemList list;
    std::vector<CGraphicItem*> stack;
    for (int i = 0; i < 2 * CGrItemList::minIndexedItems; ++i) {
        auto* line = NewLine(CVector(i % 2 ? 0 : 1000, 0), CVector(i % 2 ? 100 : 1100, 0));
        list.AddItem(0x0020, line);
        stack.push_back(line);
    }
    CVector point(50, 1);
    int more = 0;
    EXPECT_EQ(list.HitTest(&point, more, 1.0), stack[1]);
    EXPECT_EQ(more, 1);
    EXPECT_EQ(list.GetNextHit(&point, more, 1.0), stack[3]);
    stack[5]->Move(0, 500, -1); // no longer under the point
    EXPECT_EQ(list.GetNextHit(&point, more, 1.0), stack[7]);
    EXPECT_EQ(more, 1);
}

} // namespace
} // namespace vellum::test
