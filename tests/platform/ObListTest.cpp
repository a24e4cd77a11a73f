#include <vellum/platform/Exceptions.h>
#include <vellum/platform/ObList.h>

#include <gtest/gtest.h>

#include <vector>

using namespace vellum;

namespace {

// A plain element; the containers hold it without owning it.
class Item : public CObject {};

std::vector<CObject*> Forward(const CObList& list) {
    std::vector<CObject*> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

std::vector<CObject*> Backward(const CObList& list) {
    std::vector<CObject*> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        items.push_back(list.GetPrev(pos));
    return items;
}

// Checks both walks, so that a broken next or prev link is caught.
void ExpectList(const CObList& list, const std::vector<CObject*>& expected) {
    EXPECT_EQ(list.GetCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(Forward(list), expected);
    EXPECT_EQ(Backward(list), std::vector<CObject*>(expected.rbegin(), expected.rend()));
}

} // namespace

TEST(ObListTest, AddAndInsertAtBothEndsAndInTheMiddle) {
    Item a, b, c, d, e, f, g;
    CObList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    const POSITION posC = list.InsertBefore(nullptr, &c); // into an empty list
    const POSITION posA = list.InsertBefore(posC, &a);    // before the head
    list.InsertAfter(posA, &b);                           // in the middle
    const POSITION posE = list.InsertAfter(posC, &e);     // after the tail
    list.InsertBefore(posE, &d);                          // in the middle
    list.InsertBefore(nullptr, &f);                       // null: at the head
    list.InsertAfter(nullptr, &g);                        // null: at the tail
    ExpectList(list, {&f, &a, &b, &c, &d, &e, &g});
    EXPECT_EQ(list.GetHead(), &f);
    EXPECT_EQ(list.GetTail(), &g);
    EXPECT_EQ(list.GetAt(posC), &c);
}

TEST(ObListTest, RemoveAtHeadMiddleAndTail) {
    Item a, b, c, d, e;
    CObList list;
    const POSITION posA = list.AddTail(&a);
    list.AddTail(&b);
    const POSITION posC = list.AddTail(&c);
    list.AddTail(&d);
    const POSITION posE = list.AddTail(&e);

    list.RemoveAt(posC);
    ExpectList(list, {&a, &b, &d, &e});
    list.RemoveAt(posA);
    ExpectList(list, {&b, &d, &e});
    list.RemoveAt(posE);
    ExpectList(list, {&b, &d});
    EXPECT_EQ(list.RemoveHead(), &b);
    list.AddHead(&a);
    EXPECT_EQ(list.RemoveTail(), &d);
    ExpectList(list, {&a});
    EXPECT_EQ(list.RemoveTail(), &a);
    ExpectList(list, {});

    // The list is usable again after being emptied.
    list.AddTail(&c);
    list.AddHead(&b);
    ExpectList(list, {&b, &c});
}

TEST(ObListTest, MisuseThrows) {
    CObList list;
    const CObList& view = list;
    EXPECT_THROW(list.GetHead(), CInvalidArgException);
    EXPECT_THROW(view.GetTail(), CInvalidArgException);
    EXPECT_THROW(list.RemoveHead(), CInvalidArgException);
    EXPECT_THROW(list.RemoveTail(), CInvalidArgException);

    Item a;
    list.AddTail(&a);
    POSITION end = nullptr;
    EXPECT_THROW(list.GetNext(end), CInvalidArgException);
    EXPECT_THROW(view.GetPrev(end), CInvalidArgException);
    EXPECT_THROW(list.GetAt(nullptr), CInvalidArgException);
    EXPECT_THROW(list.SetAt(nullptr, &a), CInvalidArgException);
    EXPECT_THROW(list.RemoveAt(nullptr), CInvalidArgException);
    EXPECT_THROW(list.AddTail(static_cast<CObList*>(nullptr)), CInvalidArgException);
    EXPECT_EQ(list.GetCount(), 1);
}
