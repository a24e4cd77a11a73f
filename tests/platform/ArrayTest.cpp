#include <vellum/platform/Array.h>
#include <vellum/platform/String.h>

#include <gtest/gtest.h>

#include <vector>

using namespace vellum;

namespace {

template <class TYPE> std::vector<TYPE> Contents(const CArray<TYPE>& array) {
    return std::vector<TYPE>(array.GetData(), array.GetData() + array.GetSize());
}

} // namespace

TEST(ArrayTest, OutOfRangeIndexesThrow) {
    CArray<int> array;
    const CArray<int>& view = array;
    EXPECT_THROW(array.GetAt(0), CInvalidArgException);
    EXPECT_THROW(array[0], CInvalidArgException);

    array.SetSize(3);
    for (int bad : {-1, 3}) {
        EXPECT_THROW(view.GetAt(bad), CInvalidArgException) << bad;
        EXPECT_THROW(array.SetAt(bad, 1), CInvalidArgException) << bad;
        EXPECT_THROW(array[bad], CInvalidArgException) << bad;
    }
    EXPECT_NO_THROW(array.GetAt(2));

    EXPECT_THROW(array.SetSize(-1), CInvalidArgException);
    EXPECT_THROW(array.SetAtGrow(-1, 5), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(-1, 5), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(0, 5, 0), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(0, nullptr), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(-1), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(3), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(1, 3), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(0, -1), CInvalidArgException);
    // A failed call changes nothing.
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 0, 0}));
}

TEST(ArrayTest, AddSetAndSetAtGrowFillingTheGap) {
    CArray<int> array;
    EXPECT_EQ(array.Add(7), 0);
    EXPECT_EQ(array.Add(2), 1);
    array.SetAt(1, 5);
    array[1] += 1;
    array.SetAtGrow(4, 9);
    EXPECT_EQ(Contents(array), (std::vector<int>{7, 6, 0, 0, 9}));
    EXPECT_EQ(array.GetUpperBound(), 4);
    array.SetAtGrow(2, 5); // inside: plain store, no growth
    EXPECT_EQ(Contents(array), (std::vector<int>{7, 6, 5, 0, 9}));

    // An element of the array itself survives the move of the storage while growing.
    CArray<CString> names;
    names.Add("first");
    names.FreeExtra();
    names.SetAtGrow(100, names[0]);
    EXPECT_EQ(names.GetSize(), 101);
    EXPECT_EQ(names[100], "first");
    names.Add(names[100]);
    EXPECT_EQ(names[101], "first");
}

TEST(ArrayTest, InsertAndRemove) {
    CArray<int> array;
    array.InsertAt(0, 3); // into an empty array
    array.InsertAt(0, 1); // at the head
    array.InsertAt(1, 2); // in the middle
    array.InsertAt(3, 4); // at the end
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 3, 4}));
    array.InsertAt(2, 9, 3);
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 9, 9, 9, 3, 4}));
    array.InsertAt(9, 8, 2); // beyond the end: the gap is value-initialised
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 9, 9, 9, 3, 4, 0, 0, 8, 8}));
    array.FreeExtra();
    array.InsertAt(0, array[6]); // an element of the array itself, while the storage moves
    EXPECT_EQ(array[0], 4);
    EXPECT_EQ(array[7], 4);

    array.RemoveAt(0);
    array.RemoveAt(2, 3);
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 3, 4, 0, 0, 8, 8}));
    array.RemoveAt(6, 2); // the tail
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 3, 4, 0, 0}));
    array.RemoveAt(6, 0); // nothing, at the end
    EXPECT_EQ(array.GetSize(), 6);
    array.RemoveAll();
    EXPECT_EQ(array.GetSize(), 0);
}
