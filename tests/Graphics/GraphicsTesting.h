#pragma once
// What the tests of graphic items share: items placed as the window places them, objects
// stored and read back, lists read from files.

#include "support/ItemBytes.h"
#include "support/ScriptedUiHost.h"
#include "support/TempSettings.h"
#include "support/TextTesting.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/ui/Resource.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vellum::test {

using Lines = std::vector<std::string>;
using Points = std::vector<CVector>;

// An item, made from args, started at the first point and given each further point as a new
// node (add 1) or as the end that follows the mouse (add 0).
template <class Item, class... Args>
std::unique_ptr<Item> Placed(const Points& points, int add = 1, Args&... args) {
    auto item = std::make_unique<Item>(args...);
    auto point = points.begin();
    CVector start = *point;
    item->SetStart(&start);
    for (++point; point != points.end(); ++point) {
        CVector next = *point;
        item->SetEnd(&next, add);
    }
    return item;
}

// A base item with the given nodes, appended as the window appends them.
inline std::unique_ptr<CGraphicItem> ItemWith(const std::vector<CVector>& nodes) {
    auto item = std::make_unique<CGraphicItem>();
    for (CVector p : nodes)
        item->SetEnd(&p, 1);
    return item;
}

inline Points Nodes(CGraphicItem& item) {
    Points nodes;
    for (int i = 0; i < item.GetNodeCount(); ++i)
        nodes.push_back(item.GetNode(i));
    return nodes;
}

inline CGraphicLine* NewLine(CVector a, CVector b, WORD cls = 0x0020,
                             COLORREF colour = RGB(0, 255, 0)) {
    auto* line = Placed<CGraphicLine>({a, b}, 0).release();
    line->SetClass(cls);
    line->SetColor(colour);
    return line;
}

inline Bytes StoreObject(CObject* object) {
    return Store([&](CArchive& ar) { ar << object; });
}

// The object stored in bytes, read back; null when it is of another class.
template <class T> std::unique_ptr<T> LoadObject(const Bytes& bytes) {
    CObject* object = nullptr;
    Load(bytes, [&](CArchive& ar) { ar >> object; });
    std::unique_ptr<CObject> owned(object);
    if (!dynamic_cast<T*>(object))
        return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(owned.release()));
}

// The list that CGraphicItemList::FromFile reads from a file holding bytes; the file is named
// after the test, as tests run side by side.
inline std::unique_ptr<CGraphicItemList> ListFromBytes(const Bytes& bytes) {
    const std::string path = ::testing::TempDir() + "vellum-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             ".vla";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::unique_ptr<CGraphicItemList> list(CGraphicItemList::FromFile(path.c_str()));
    std::remove(path.c_str());
    return list;
}

} // namespace vellum::test
