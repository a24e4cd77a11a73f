#include <vellum/platform/ObList.h>

#include <vellum/platform/Exceptions.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CObList, CObject)

CObList::CObList(int /*blockSize*/) {}

CObList::~CObList() {
    RemoveAll();
}

CObList::Node* CObList::ToNode(POSITION position) {
    if (position == nullptr)
        throw CInvalidArgException();
    return reinterpret_cast<Node*>(position);
}

// Links a new node between prev and next, either of which may be null at an end.
CObList::Node* CObList::NewNode(Node* prev, Node* next, CObject* data) {
    Node* node = new Node{next, prev, data};
    if (prev != nullptr)
        prev->next = node;
    else
        m_head = node;
    if (next != nullptr)
        next->prev = node;
    else
        m_tail = node;
    ++m_count;
    ++m_nChanges;
    return node;
}

CObList::Node* CObList::CheckedHead() const {
    if (m_head == nullptr)
        throw CInvalidArgException();
    return m_head;
}

CObList::Node* CObList::CheckedTail() const {
    if (m_tail == nullptr)
        throw CInvalidArgException();
    return m_tail;
}

CObject*& CObList::GetHead() {
    return CheckedHead()->data;
}
CObject* CObList::GetHead() const {
    return CheckedHead()->data;
}
CObject*& CObList::GetTail() {
    return CheckedTail()->data;
}
CObject* CObList::GetTail() const {
    return CheckedTail()->data;
}

POSITION CObList::AddHead(CObject* newElement) {
    return ToPosition(NewNode(nullptr, m_head, newElement));
}

POSITION CObList::AddTail(CObject* newElement) {
    return ToPosition(NewNode(m_tail, nullptr, newElement));
}

// Both walks take exactly the original count of elements, so adding a list to itself stops
// before reaching the nodes it has just added.
void CObList::AddHead(const CObList* newList) {
    if (newList == nullptr)
        throw CInvalidArgException();
    Node* node = newList->m_tail;
    for (int remaining = newList->m_count; remaining > 0; --remaining) {
        Node* const prev = node->prev;
        AddHead(node->data);
        node = prev;
    }
}

void CObList::AddTail(const CObList* newList) {
    if (newList == nullptr)
        throw CInvalidArgException();
    Node* node = newList->m_head;
    for (int remaining = newList->m_count; remaining > 0; --remaining) {
        Node* const next = node->next;
        AddTail(node->data);
        node = next;
    }
}

CObject* CObList::RemoveHead() {
    CObject* const element = CheckedHead()->data;
    RemoveAt(ToPosition(m_head));
    return element;
}

CObject* CObList::RemoveTail() {
    CObject* const element = CheckedTail()->data;
    RemoveAt(ToPosition(m_tail));
    return element;
}

void CObList::RemoveAll() {
    Node* node = m_head;
    while (node != nullptr) {
        Node* const next = node->next;
        delete node;
        node = next;
    }
    m_head = nullptr;
    m_tail = nullptr;
    m_count = 0;
    ++m_nChanges;
}

POSITION CObList::GetHeadPosition() const {
    return ToPosition(m_head);
}
POSITION CObList::GetTailPosition() const {
    return ToPosition(m_tail);
}

CObject*& CObList::GetNext(POSITION& position) {
    Node* const node = ToNode(position);
    position = ToPosition(node->next);
    return node->data;
}

CObject* CObList::GetNext(POSITION& position) const {
    Node* const node = ToNode(position);
    position = ToPosition(node->next);
    return node->data;
}

CObject*& CObList::GetPrev(POSITION& position) {
    Node* const node = ToNode(position);
    position = ToPosition(node->prev);
    return node->data;
}

CObject* CObList::GetPrev(POSITION& position) const {
    Node* const node = ToNode(position);
    position = ToPosition(node->prev);
    return node->data;
}

CObject*& CObList::GetAt(POSITION position) {
    return ToNode(position)->data;
}
CObject* CObList::GetAt(POSITION position) const {
    return ToNode(position)->data;
}

void CObList::SetAt(POSITION position, CObject* newElement) {
    ToNode(position)->data = newElement;
    ++m_nChanges;
}

void CObList::RemoveAt(POSITION position) {
    Node* const node = ToNode(position);
    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        m_head = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    else
        m_tail = node->prev;
    delete node;
    --m_count;
    ++m_nChanges;
}

POSITION CObList::InsertBefore(POSITION position, CObject* newElement) {
    if (position == nullptr)
        return AddHead(newElement);
    Node* const node = ToNode(position);
    return ToPosition(NewNode(node->prev, node, newElement));
}

POSITION CObList::InsertAfter(POSITION position, CObject* newElement) {
    if (position == nullptr)
        return AddTail(newElement);
    Node* const node = ToNode(position);
    return ToPosition(NewNode(node, node->next, newElement));
}

POSITION CObList::Find(CObject* searchValue, POSITION startAfter) const {
    Node* node = startAfter == nullptr ? m_head : ToNode(startAfter)->next;
    for (; node != nullptr; node = node->next)
        if (node->data == searchValue)
            return ToPosition(node);
    return nullptr;
}

POSITION CObList::FindIndex(int index) const {
    if (index < 0 || index >= m_count)
        return nullptr;
    Node* node = m_head;
    for (int i = 0; i < index; ++i)
        node = node->next;
    return ToPosition(node);
}

} // namespace vellum
