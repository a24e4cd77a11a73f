#include <vellum/platform/Exceptions.h>
#include <vellum/platform/MapWordToOb.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace vellum;

namespace {

// A plain element; the containers hold it without owning it.
class Item : public CObject {};

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

} // namespace

TEST(MapWordToObTest, OneBitKeysWalkedInBucketOrderAndRemovedWhileWalking) {
    Item item;
    CMapWordToOb map;
    for (int bit = 0; bit < 16; ++bit)
        map.SetAt(static_cast<WORD>(1u << bit), &item);
    EXPECT_EQ(map.GetCount(), 16);
    // Buckets 0, 1, 2, 4, 8, 9, 13, 15 and 16; the latest key of a bucket comes first.
    EXPECT_EQ(Keys(map),
              (std::vector<WORD>{0x0008, 0x0004, 0x0002, 0x0001, 0x1000, 0x0010, 0x2000, 0x0020,
                                 0x4000, 0x0040, 0x8000, 0x0080, 0x0800, 0x0400, 0x0200, 0x0100}));

    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key = 0;
        CObject* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(map.RemoveKey(key), TRUE); // false for a key visited twice
    }
    EXPECT_TRUE(map.IsEmpty()); // none skipped
    POSITION end = nullptr;
    WORD key = 0;
    CObject* value = nullptr;
    EXPECT_THROW(map.GetNextAssoc(end, key, value), CInvalidArgException);
}

TEST(MapWordToObTest, ReplacingAValueKeepsItsPlaceAndRemovingKeysUnlinksThem) {
    Item item, b, c;
    CMapWordToOb map;
    for (WORD key : {0x0001, 0x0002, 0x0004, 0x0008, 0x1000, 0x0010})
        map.SetAt(key, &item);
    map.SetAt(0x0002, &b);
    map[0x0001] = &c;
    EXPECT_EQ(Walk(map), (Entries{{0x0008, &item},
                                  {0x0004, &item},
                                  {0x0002, &b},
                                  {0x0001, &c},
                                  {0x0010, &item},
                                  {0x1000, &item}}));
    CObject* found = nullptr;
    EXPECT_EQ(map.Lookup(0x0002, found), TRUE);
    EXPECT_EQ(found, &b);

    EXPECT_EQ(map.RemoveKey(0x0004), TRUE); // middle of a chain
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0008, 0x0002, 0x0001, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x0008), TRUE); // front of a chain
    EXPECT_EQ(map.RemoveKey(0x0001), TRUE); // end of a chain
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0002, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x0001), FALSE);
    EXPECT_EQ(map.RemoveKey(0x0022), FALSE); // an empty bucket
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_EQ(map.Lookup(0x0004, found), FALSE);

    // A key added again goes to the front of its chain.
    map.SetAt(0x0001, &item);
    map.SetAt(0x1000, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0001, 0x0002, 0x0010, 0x1000}));
    EXPECT_EQ(map.RemoveKey(0x1000), TRUE);
    map.SetAt(0x1000, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0001, 0x0002, 0x1000, 0x0010}));
}

TEST(MapWordToObTest, HashTableSize) {
    Item item;
    CMapWordToOb map(32);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    // With 7 buckets 0x0080 shares bucket 1 with 0x0010 and 0x0070 comes first.
    map.SetAt(0x0010, &item); // bucket 1
    map.SetAt(0x0080, &item); // bucket 1
    map.SetAt(0x0070, &item); // bucket 0
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0070, 0x0080, 0x0010}));

    EXPECT_THROW(map.InitHashTable(17), CInvalidArgException);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    // Emptied key by key, the map still holds its 7 buckets: a new size must replace them.
    for (WORD key : {0x0010, 0x0080, 0x0070})
        EXPECT_EQ(map.RemoveKey(key), TRUE);
    EXPECT_THROW(map.InitHashTable(0), CInvalidArgException);
    map.InitHashTable(17); // the keys now lie in buckets 1, 7 and 8
    map.SetAt(0x0010, &item);
    map.SetAt(0x0080, &item);
    map.SetAt(0x0070, &item);
    EXPECT_EQ(Keys(map), (std::vector<WORD>{0x0010, 0x0070, 0x0080}));
}
