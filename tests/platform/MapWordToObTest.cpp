#include "support/CountedObject.h"

#include <vellum/platform/Exceptions.h>
#include <vellum/platform/MapWordToOb.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace vellum;

namespace {

using Item = vellum::test::CountedObject;

using Entries = std::vector<std::pair<WORD, CObject*>>;

Entries Walk(const CMapWordToOb& map) {
    Entries entries;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key = 0;
        CObject* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        entries.emplace_back(key, value);
    }
    return entries;
}

std::vector<WORD> Keys(const CMapWordToOb& map) {
    std::vector<WORD> keys;
    for (const auto& entry : Walk(map))
        keys.push_back(entry.first);
    return keys;
}

const std::vector<WORD> kOneBitKeys = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x0020,
                                       0x0040, 0x0080, 0x0100, 0x0200, 0x0400, 0x0800,
                                       0x1000, 0x2000, 0x4000, 0x8000};

} // namespace

TEST(MapWordToObTest, OneBitKeysInAscendingOrder) {
    Item item;
    CMapWordToOb map;
    for (WORD key : kOneBitKeys)
        map.SetAt(key, &item);
    EXPECT_EQ(map.GetCount(), 16);
    // Buckets 0, 1, 2, 4, 8, 9, 13, 15 and 16; the latest key of a bucket comes first.
    EXPECT_EQ(Keys(map),
              (std::vector<WORD>{0x0008, 0x0004, 0x0002, 0x0001, 0x1000, 0x0010, 0x2000, 0x0020,
                                 0x4000, 0x0040, 0x8000, 0x0080, 0x0800, 0x0400, 0x0200, 0x0100}));
}

TEST(MapWordToObTest, OneBitKeysInDescendingOrder) {
    Item item;
    CMapWordToOb map;
    for (auto it = kOneBitKeys.rbegin(); it != kOneBitKeys.rend(); ++it)
        map.SetAt(*it, &item);
    EXPECT_EQ(Keys(map),
              (std::vector<WORD>{0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x1000, 0x0020, 0x2000,
                                 0x0040, 0x4000, 0x0080, 0x8000, 0x0800, 0x0400, 0x0200, 0x0100}));
}

TEST(MapWordToObTest, ReplacingAValueKeepsItsPlace) {
    Item a, b, c;
    CMapWordToOb map;
    map.SetAt(0x0001, &a);
    map.SetAt(0x0002, &a);
    map.SetAt(0x0003, &a);
    map.SetAt(0x0002, &b);
    map[0x0001] = &c;
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_EQ(Walk(map), (Entries{{0x0003, &a}, {0x0002, &b}, {0x0001, &c}}));

    CObject* found = nullptr;
    EXPECT_EQ(map.Lookup(0x0002, found), TRUE);
    EXPECT_EQ(found, &b);
}

TEST(MapWordToObTest, LookupAndIndexing) {
    Item a;
    CMapWordToOb map;
    CObject* value = &a;
    EXPECT_EQ(map.Lookup(0x0042, value), FALSE);
    EXPECT_EQ(value, &a); // untouched when missing

    // Indexing a missing key adds it with a null value, which Lookup tells from a missing key.
    EXPECT_EQ(map[0x0042], nullptr);
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_EQ(map.Lookup(0x0042, value), TRUE);
    EXPECT_EQ(value, nullptr);
    map[0x0042] = &a;
    EXPECT_EQ(map.Lookup(0x0042, value), TRUE);
    EXPECT_EQ(value, &a);
    EXPECT_EQ(map.GetCount(), 1);

    // Keys sharing a bucket stay apart.
    map.SetAt(0x0043, nullptr);
    EXPECT_EQ(map.Lookup(0x0042, value), TRUE);
    EXPECT_EQ(value, &a);
    EXPECT_EQ(map.Lookup(0x0044, value), FALSE);
}

TEST(MapWordToObTest, RemovingKeysUnlinksThem) {
    Item item;
    CMapWordToOb map;
    for (WORD key : {0x0001, 0x0002, 0x0004, 0x0008, 0x1000, 0x0010})
        map.SetAt(key, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0008, 0x0004, 0x0002, 0x0001, 0x0010, 0x1000}));

    EXPECT_EQ(map.RemoveKey(0x0004), TRUE); // middle of a chain
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0008, 0x0002, 0x0001, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x0008), TRUE); // front of a chain
    EXPECT_EQ(map.RemoveKey(0x0001), TRUE); // end of a chain
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0002, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x0001), FALSE);
    EXPECT_EQ(map.RemoveKey(0x0022), FALSE); // an empty bucket
    EXPECT_EQ(map.GetCount(), 3);
    CObject* value = nullptr;
    EXPECT_EQ(map.Lookup(0x0004, value), FALSE);

    // A key added again goes to the front of its chain.
    map.SetAt(0x0001, &item);
    map.SetAt(0x1000, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0001, 0x0002, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x1000), TRUE);
    map.SetAt(0x1000, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0001, 0x0002, 0x1000, 0x0010}));

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_EQ(map.RemoveKey(0x0002), FALSE);
    map.SetAt(0x0002, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0002}));
}

TEST(MapWordToObTest, SmallestAndLargestKeys) {
    Item a, b;
    CMapWordToOb map;
    map.SetAt(0xFFFF, &a); // bucket 15
    map.SetAt(0x0000, &b); // bucket 0
    map.SetAt(0x0200, &a); // bucket 15
    map.SetAt(0x0100, &a); // bucket 16, the last
    map.SetAt(0x000F, &a); // bucket 0
    EXPECT_EQ(Walk(map),
              (Entries{{0x000F, &a}, {0x0000, &b}, {0x0200, &a}, {0xFFFF, &a}, {0x0100, &a}}));
    CObject* value = nullptr;
    EXPECT_EQ(map.Lookup(0x0000, value), TRUE);
    EXPECT_EQ(value, &b);
    EXPECT_EQ(map.RemoveKey(0xFFFF), TRUE);
    EXPECT_EQ(map.RemoveKey(0x0000), TRUE);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x000F, 0x0200, 0x0100}));
}

TEST(MapWordToObTest, EveryKeyOnce) {
    CMapWordToOb map;
    for (unsigned key = 0; key <= 0xFFFF; ++key)
        map.SetAt(static_cast<WORD>(key), nullptr);
    EXPECT_EQ(map.GetCount(), 65536);
    const std::vector<WORD> keys = Keys(map);
    ASSERT_EQ(keys.size(), 65536u);
    EXPECT_EQ(std::set<WORD>(keys.begin(), keys.end()).size(), 65536u);
    // Bucket 0 ends at 0xFF0F (0xFF0 = 17 * 240) and comes first; bucket 16 starts at 0x0100
    // and comes last.
    EXPECT_EQ(keys.front(), 0xFF0F);
    EXPECT_EQ(keys[1], 0xFF0E);
    EXPECT_EQ(keys.back(), 0x0100);
}

TEST(MapWordToObTest, RemovingTheCurrentEntryWhileIterating) {
    Item item;
    CMapWordToOb map;
    for (WORD key : kOneBitKeys)
        map.SetAt(key, &item);
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key = 0;
        CObject* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(value, &item);
        EXPECT_EQ(map.RemoveKey(key), TRUE);
        ++visited;
    }
    EXPECT_EQ(visited, 16);
    EXPECT_TRUE(map.IsEmpty());

    POSITION end = nullptr;
    WORD key = 0;
    CObject* value = nullptr;
    EXPECT_THROW(map.GetNextAssoc(end, key, value), CInvalidArgException);
}

TEST(MapWordToObTest, HashTableSize) {
    Item item;
    CMapWordToOb map(32);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    // With 7 buckets 0x0080 shares bucket 1 with 0x0010 and 0x0070 comes first; with 17 the
    // three keys lie in buckets 1, 7 and 8.
    map.SetAt(0x0010, &item); // bucket 1
    map.SetAt(0x0080, &item); // bucket 1
    map.SetAt(0x0070, &item); // bucket 0
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0070, 0x0080, 0x0010}));

    EXPECT_THROW(map.InitHashTable(17), CInvalidArgException);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    map.RemoveAll();
    EXPECT_THROW(map.InitHashTable(0), CInvalidArgException);
    map.InitHashTable(17);
    map.SetAt(0x0010, &item);
    map.SetAt(0x0080, &item);
    map.SetAt(0x0070, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0010, 0x0070, 0x0080}));
}

TEST(MapWordToObTest, DoesNotOwnItsValuesAndKnowsItsClass) {
    const CMapWordToOb map;
    EXPECT_TRUE(map.IsKindOf(RUNTIME_CLASS(CMapWordToOb)));
    EXPECT_TRUE(map.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ(map.GetRuntimeClass()->m_lpszClassName, "CMapWordToOb");
    EXPECT_EQ(map.GetSize(), 0);
    EXPECT_EQ(map.GetStartPosition(), nullptr);

    int destroyed = 0;
    Item a(&destroyed), b(&destroyed);
    {
        CMapWordToOb owner;
        owner.SetAt(1, &a);
        owner.SetAt(2, &b);
        EXPECT_EQ(owner.RemoveKey(1), TRUE);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 0);
}
