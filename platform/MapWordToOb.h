#pragma once
// CMapWordToOb: the framework's hash map from WORD keys to CObject pointers. The map does not
// own its values. Values may be null.
//
// The iteration order is part of the contract, since stored data depends on it: key k lives in
// bucket (k >> 4) % GetHashTableSize() (17 unless InitHashTable says otherwise), a new key goes
// to the front of its bucket's chain while a replaced value keeps its key's place, and an
// iteration visits the buckets in ascending order and each chain from front to back.

#include <vellum/platform/Object.h>

#include <vector>

namespace vellum {

class CMapWordToOb : public CObject {
    DECLARE_DYNAMIC(CMapWordToOb)

public:
    // blockSize is accepted for compatibility with framework code; entries are allocated one
    // at a time.
    explicit CMapWordToOb(int blockSize = 10);
    ~CMapWordToOb() override;
    CMapWordToOb(const CMapWordToOb&) = delete;
    CMapWordToOb& operator=(const CMapWordToOb&) = delete;

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0 ? TRUE : FALSE; }

    // TRUE and the key's value when the key is present; FALSE and value untouched otherwise.
    BOOL Lookup(WORD key, CObject*& value) const;
    void SetAt(WORD key, CObject* newValue);
    // The key's value, after adding the key with a null value when it was missing.
    CObject*& operator[](WORD key);
    // FALSE when the key was not present.
    BOOL RemoveKey(WORD key);
    void RemoveAll();

    // Null when the map is empty.
    POSITION GetStartPosition() const;
    // The entry at position, moving position to the next entry or to null after the last one.
    // The entry just returned may be removed without disturbing the iteration. Throws
    // CInvalidArgException for a null position.
    void GetNextAssoc(POSITION& position, WORD& key, CObject*& value) const;

    UINT GetHashTableSize() const { return m_hashSize; }
    // Sets the number of buckets. Only allowed while the map is empty; throws
    // CInvalidArgException when it is not, or for a size of 0.
    void InitHashTable(UINT hashSize);

private:
    struct Assoc {
        Assoc* next;
        WORD key;
        CObject* value;
    };

    UINT BucketOf(WORD key) const { return (static_cast<UINT>(key) >> 4) % m_hashSize; }
    Assoc* Find(WORD key) const;
    Assoc* FirstFrom(UINT bucket) const;

    std::vector<Assoc*> m_buckets; // allocated at the first insertion
    UINT m_hashSize = 17;
    int m_count = 0;
};

} // namespace vellum
