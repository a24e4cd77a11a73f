#include <vellum/platform/MapWordToOb.h>

#include <vellum/platform/Exceptions.h>

#include <new>

namespace vellum {

IMPLEMENT_DYNAMIC(CMapWordToOb, CObject)

CMapWordToOb::CMapWordToOb(int /*blockSize*/) {}

CMapWordToOb::~CMapWordToOb() {
    RemoveAll();
}

CMapWordToOb::Assoc* CMapWordToOb::Find(WORD key) const {
    if (m_buckets.empty())
        return nullptr;
    for (Assoc* assoc = m_buckets[BucketOf(key)]; assoc != nullptr; assoc = assoc->next)
        if (assoc->key == key)
            return assoc;
    return nullptr;
}

// The front of the first non-empty chain from bucket on, or null.
CMapWordToOb::Assoc* CMapWordToOb::FirstFrom(UINT bucket) const {
    for (; bucket < m_buckets.size(); ++bucket)
        if (m_buckets[bucket] != nullptr)
            return m_buckets[bucket];
    return nullptr;
}

BOOL CMapWordToOb::Lookup(WORD key, CObject*& value) const {
    const Assoc* const assoc = Find(key);
    if (assoc == nullptr)
        return FALSE;
    value = assoc->value;
    return TRUE;
}

void CMapWordToOb::SetAt(WORD key, CObject* newValue) {
    (*this)[key] = newValue;
}

CObject*& CMapWordToOb::operator[](WORD key) {
    if (Assoc* const assoc = Find(key))
        return assoc->value;
    if (m_buckets.empty()) {
        try {
            m_buckets.assign(m_hashSize, nullptr);
        } catch (const std::bad_alloc&) {
            throw CMemoryException();
        }
    }
    Assoc*& front = m_buckets[BucketOf(key)];
    front = new Assoc{front, key, nullptr};
    ++m_count;
    return front->value;
}

BOOL CMapWordToOb::RemoveKey(WORD key) {
    if (m_buckets.empty())
        return FALSE;
    for (Assoc** link = &m_buckets[BucketOf(key)]; *link != nullptr; link = &(*link)->next) {
        Assoc* const assoc = *link;
        if (assoc->key == key) {
            *link = assoc->next;
            delete assoc;
            --m_count;
            return TRUE;
        }
    }
    return FALSE;
}

void CMapWordToOb::RemoveAll() {
    for (Assoc* assoc : m_buckets) {
        while (assoc != nullptr) {
            Assoc* const next = assoc->next;
            delete assoc;
            assoc = next;
        }
    }
    std::vector<Assoc*>().swap(m_buckets);
    m_count = 0;
}

POSITION CMapWordToOb::GetStartPosition() const {
    return reinterpret_cast<POSITION>(FirstFrom(0));
}

void CMapWordToOb::GetNextAssoc(POSITION& position, WORD& key, CObject*& value) const {
    if (position == nullptr)
        throw CInvalidArgException();
    const Assoc* const assoc = reinterpret_cast<const Assoc*>(position);
    Assoc* const next = assoc->next != nullptr ? assoc->next : FirstFrom(BucketOf(assoc->key) + 1);
    key = assoc->key;
    value = assoc->value;
    position = reinterpret_cast<POSITION>(next);
}

void CMapWordToOb::InitHashTable(UINT hashSize) {
    if (hashSize == 0 || m_count != 0)
        throw CInvalidArgException();
    std::vector<Assoc*>().swap(m_buckets);
    m_hashSize = hashSize;
}

} // namespace vellum
