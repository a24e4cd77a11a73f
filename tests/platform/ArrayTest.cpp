#include <vellum/platform/Array.h>
#include <vellum/platform/String.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace vellum;

namespace {

template <class TYPE> std::vector<TYPE> Contents(const CArray<TYPE>& array) {
    return std::vector<TYPE>(array.GetData(), array.GetData() + array.GetSize());
}

} // namespace

TEST(ArrayTest, AddAndIndexedAccess) {
    CArray<int> array;
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.Add(10), 0);
    EXPECT_EQ(array.Add(20), 1);
    EXPECT_EQ(array.Add(30), 2);
    EXPECT_EQ(array.GetCount(), 3);
    EXPECT_EQ(array.GetUpperBound(), 2);
    EXPECT_FALSE(array.IsEmpty());

    array.SetAt(1, 21);
    array[2] += 1;
    array.ElementAt(0) = 11;
    EXPECT_EQ(array.GetAt(0), 11);
    EXPECT_EQ(array.GetAt(1), 21);
    const CArray<int>& view = array;
    EXPECT_EQ(view[2], 31);
    EXPECT_EQ(view.ElementAt(1), 21);

    // The elements are contiguous and GetData sees every change.
    int* data = array.GetData();
    EXPECT_EQ(data + 1, &array[1]);
    EXPECT_EQ(data + 2, &array.ElementAt(2));
    data[1] = 99;
    EXPECT_EQ(array.GetAt(1), 99);
}

TEST(ArrayTest, OutOfRangeIndexesThrow) {
    CArray<int> array;
    const CArray<int>& view = array;
    EXPECT_THROW(array.GetAt(0), CInvalidArgException);
    EXPECT_THROW(array[0], CInvalidArgException);

    array.SetSize(3);
    for (int bad : {-1, 3, 1000}) {
        EXPECT_THROW(array.GetAt(bad), CInvalidArgException) << bad;
        EXPECT_THROW(view.GetAt(bad), CInvalidArgException) << bad;
        EXPECT_THROW(array.SetAt(bad, 1), CInvalidArgException) << bad;
        EXPECT_THROW(array.ElementAt(bad), CInvalidArgException) << bad;
        EXPECT_THROW(view.ElementAt(bad), CInvalidArgException) << bad;
        EXPECT_THROW(array[bad], CInvalidArgException) << bad;
        EXPECT_THROW(view[bad], CInvalidArgException) << bad;
    }
    EXPECT_NO_THROW(array.GetAt(2));
    EXPECT_NO_THROW(array.GetAt(0));

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

TEST(ArrayTest, SetSizeValueInitialisesAndShrinks) {
    CArray<CString> names;
    names.SetSize(2);
    EXPECT_TRUE(names[0].IsEmpty());
    names[1] = "kept";
    names.SetSize(4);
    EXPECT_EQ(names.GetSize(), 4);
    EXPECT_EQ(names[1], "kept");
    EXPECT_TRUE(names[3].IsEmpty());
    names.SetSize(2);
    EXPECT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[1], "kept");

    CArray<double> values;
    values.Add(1.5);
    values.SetSize(0);
    values.SetSize(3);
    EXPECT_EQ(Contents(values), (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST(ArrayTest, SetAtGrowFillsTheGap) {
    CArray<int> array;
    array.Add(7);
    array.SetAtGrow(4, 9);
    EXPECT_EQ(Contents(array), (std::vector<int>{7, 0, 0, 0, 9}));
    array.SetAtGrow(2, 5); // inside: plain store, no growth
    EXPECT_EQ(Contents(array), (std::vector<int>{7, 0, 5, 0, 9}));

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

TEST(ArrayTest, GrowStepDecidesWhenStorageMoves) {
    // A step of 10: the first element reserves room for ten, the eleventh for ten more.
    CArray<int> stepped;
    stepped.SetSize(0, 10);
    stepped.Add(0);
    const int* first = stepped.GetData();
    for (int i = 1; i < 10; ++i)
        stepped.Add(i);
    EXPECT_EQ(stepped.GetData(), first);
    stepped.Add(10);
    const int* second = stepped.GetData();
    EXPECT_NE(second, first);
    for (int i = 11; i < 20; ++i)
        stepped.Add(i);
    EXPECT_EQ(stepped.GetData(), second);
    stepped.Add(20);
    EXPECT_NE(stepped.GetData(), second);
    EXPECT_EQ(stepped.GetSize(), 21);
    EXPECT_EQ(stepped[20], 20);

    // The default step is at least 4 elements.
    CArray<int> plain;
    plain.Add(0);
    const int* small = plain.GetData();
    for (int i = 1; i < 4; ++i)
        plain.Add(i);
    EXPECT_EQ(plain.GetData(), small);
    plain.Add(4);
    EXPECT_NE(plain.GetData(), small);

    // At 800 elements the default step is 100.
    CArray<int> large;
    large.SetSize(800);
    large.FreeExtra();
    large.Add(1);
    const int* grown = large.GetData();
    large.SetSize(900);
    EXPECT_EQ(large.GetData(), grown);
    large.Add(2);
    EXPECT_NE(large.GetData(), grown);
    EXPECT_EQ(large[900], 2);
}

TEST(ArrayTest, FreeExtraKeepsContents) {
    CArray<CString> names;
    names.SetSize(0, 100);
    names.Add("a");
    names.Add("b");
    names.Add("c");
    const CString* roomy = names.GetData();
    names.Add("d"); // still within the reserved hundred
    EXPECT_EQ(names.GetData(), roomy);
    names.RemoveAt(3);

    names.FreeExtra();
    EXPECT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0], "a");
    EXPECT_EQ(names[1], "b");
    EXPECT_EQ(names[2], "c");
    // Without spare room the next element moves the storage.
    const CString* tight = names.GetData();
    names.Add("d");
    EXPECT_NE(names.GetData(), tight);
    EXPECT_EQ(names[3], "d");
    EXPECT_EQ(names[0], "a");

    CArray<int> empty;
    empty.FreeExtra();
    EXPECT_EQ(empty.GetSize(), 0);
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
    EXPECT_THROW(array.GetAt(0), CInvalidArgException);
}

TEST(ArrayTest, InsertArrayCopyAndAppend) {
    CArray<int> source;
    source.Add(1);
    source.Add(2);
    CArray<int> target;
    target.Add(10);
    target.Add(20);
    target.InsertAt(1, &source);
    EXPECT_EQ(Contents(target), (std::vector<int>{10, 1, 2, 20}));
    target.InsertAt(6, &source);
    EXPECT_EQ(Contents(target), (std::vector<int>{10, 1, 2, 20, 0, 0, 1, 2}));
    target.InsertAt(0, &target);
    EXPECT_EQ(target.GetSize(), 16);
    EXPECT_EQ(target[7], 2);
    EXPECT_EQ(target[8], 10);

    EXPECT_EQ(source.Append(source), 2);
    EXPECT_EQ(Contents(source), (std::vector<int>{1, 2, 1, 2}));
    CArray<int> empty;
    EXPECT_EQ(source.Append(empty), 4);
    EXPECT_EQ(source.GetSize(), 4);

    target.Copy(source);
    EXPECT_EQ(Contents(target), (std::vector<int>{1, 2, 1, 2}));
    target.Copy(target);
    EXPECT_EQ(Contents(target), (std::vector<int>{1, 2, 1, 2}));
    target.Copy(empty);
    EXPECT_EQ(target.GetSize(), 0);
}

TEST(ArrayTest, CopiesAreIndependentAndMovesTransfer) {
    CArray<CString> original;
    original.Add("x");
    original.Add("y");
    CArray<CString> copy(original);
    copy[0] = "changed";
    EXPECT_EQ(original[0], "x");
    CArray<CString> assigned;
    assigned.Add("old");
    assigned = original;
    EXPECT_EQ(assigned.GetSize(), 2);
    EXPECT_EQ(assigned[1], "y");

    const CString* storage = original.GetData();
    CArray<CString> moved(std::move(original));
    EXPECT_EQ(moved.GetData(), storage);
    EXPECT_EQ(moved.GetSize(), 2);
    CArray<CString> target;
    target = std::move(moved);
    EXPECT_EQ(target.GetData(), storage);
    EXPECT_EQ(target[1], "y");
}
