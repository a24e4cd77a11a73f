#pragma once
// CObList: the framework's doubly linked list of CObject pointers, walked through POSITION
// values. The list does not own its elements: removing an element or destroying the list
// never deletes the object it points to. Elements may be null.
//
// A POSITION is a node of this list; it stays valid until that node is removed. Passing a
// null POSITION where a node is required, or asking an empty list for its head or tail, throws
// CInvalidArgException.

#include <vellum/platform/Object.h>

#include <cstdint>

namespace vellum {

class CObList : public CObject {
    DECLARE_DYNAMIC(CObList)

public:
    // blockSize is accepted for compatibility with framework code; nodes are allocated one at
    // a time, so that the sanitizer build can see a stale POSITION being used.
    explicit CObList(int blockSize = 10);
    ~CObList() override;
    CObList(const CObList&) = delete;
    CObList& operator=(const CObList&) = delete;

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0 ? TRUE : FALSE; }

    CObject*& GetHead();
    CObject* GetHead() const;
    CObject*& GetTail();
    CObject* GetTail() const;

    POSITION AddHead(CObject* newElement);
    POSITION AddTail(CObject* newElement);
    // Add every element of newList, keeping its order, in front of or after this list's
    // elements. newList may be this list.
    void AddHead(const CObList* newList);
    void AddTail(const CObList* newList);

    // Remove the first or last node and return its element.
    CObject* RemoveHead();
    CObject* RemoveTail();
    void RemoveAll();

    // Null when the list is empty.
    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Return the element at position and move position to the next or previous node, or to
    // null past the end.
    CObject*& GetNext(POSITION& position);
    CObject* GetNext(POSITION& position) const;
    CObject*& GetPrev(POSITION& position);
    CObject* GetPrev(POSITION& position) const;

    CObject*& GetAt(POSITION position);
    CObject* GetAt(POSITION position) const;
    void SetAt(POSITION position, CObject* newElement);
    void RemoveAt(POSITION position);

    // Insert next to position and return the new node's position. A null position inserts
    // before the head or after the tail respectively.
    POSITION InsertBefore(POSITION position, CObject* newElement);
    POSITION InsertAfter(POSITION position, CObject* newElement);

    // The first node holding searchValue, searching from the head or from the node after
    // startAfter; null when there is none.
    POSITION Find(CObject* searchValue, POSITION startAfter = nullptr) const;
    // The node at a zero-based index; null when the index is out of range.
    POSITION FindIndex(int index) const;

    // Grows with every change that the list's own operations make (adding, removing,
    // SetAt), so that a cache of its contents can tell that it is out of date. An element
    // replaced through the reference that GetNext, GetPrev, GetAt, GetHead or GetTail hands
    // out is not counted: use SetAt where such a cache may exist.
    std::uint64_t GetChangeCount() const { return m_nChanges; }

private:
    struct Node {
        Node* next;
        Node* prev;
        CObject* data;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* ToNode(POSITION position);
    Node* NewNode(Node* prev, Node* next, CObject* data);
    Node* CheckedHead() const;
    Node* CheckedTail() const;

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    std::uint64_t m_nChanges = 0;
};

} // namespace vellum
