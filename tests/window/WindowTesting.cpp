#include "window/WindowTesting.h"

namespace vellum::test {

std::vector<CVector> Nodes(CGraphicItem* item) {
    std::vector<CVector> nodes;
    for (int i = 0; i < item->GetNodeCount(); ++i)
        nodes.push_back(item->GetNode(i));
    return nodes;
}

std::vector<CGraphicItem*> GroupItems(CGraphicItemList& list, WORD key) {
    std::vector<CGraphicItem*> items;
    CObject* group = nullptr;
    if (!list.Lookup(key, group) || !group)
        return items;
    auto* entries = static_cast<CGrItemList*>(group);
    for (POSITION pos = entries->GetHeadPosition(); pos;)
        items.push_back(static_cast<CGraphicItem*>(entries->GetNext(pos)));
    return items;
}

int ItemCount(CGraphicItemList& list) {
    int count = 0;
    for (POSITION pos = list.GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        list.GetNextAssoc(pos, key, group);
        count += static_cast<int>(static_cast<CGrItemList*>(group)->GetCount());
    }
    return count;
}

} // namespace vellum::test
