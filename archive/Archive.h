#pragma once
// CArchive: the little-endian stream of typed values and tagged objects in which everything
// the library persists is stored, byte for byte as the framework's object archive writes it.
//
// Objects and classes share one index table: index 0 is the null pointer, and each class or
// object takes the next index the first time it appears. A new class is written as the tag
// 0xFFFF and its name; later objects of it as 0x8000 | class index; an object written again as
// its index. Once an index reaches 0x7FFF the tag 0x7FFF introduces a 32-bit form.

#include <vellum/platform/Exceptions.h>
#include <vellum/platform/Object.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <vellum/archive/IndexMap.h>

#include <cstring>
#include <vector>

namespace vellum {

class CFile;

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // Deepest nesting of objects that a loading archive accepts: well beyond any real
    // structure, and far short of exhausting the stack on a damaged stream.
    static constexpr int maxObjectDepth = 256;

    CArchive(CFile* file, UINT mode, int bufSize = 4096, void* buf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // Writes what is buffered to the file and detaches from it.
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();
    void Flush();

    // Raw bytes, no length. Read returns how many bytes were there.
    UINT Read(void* buf, UINT count);
    void Write(const void* buf, UINT count);

    CArchive& operator<<(BYTE value) { return Put(value); }
    CArchive& operator<<(WORD value) { return Put(value); }
    CArchive& operator<<(std::int16_t value) { return Put(value); }
    CArchive& operator<<(std::int32_t value) { return Put(value); }
    CArchive& operator<<(DWORD value) { return Put(value); }
    CArchive& operator<<(float value) { return Put(value); }
    CArchive& operator<<(double value) { return Put(value); }
    CArchive& operator<<(const CString& value);
    CArchive& operator<<(const CObject* object) {
        WriteObject(object);
        return *this;
    }

    CArchive& operator>>(BYTE& value) { return Get(value); }
    CArchive& operator>>(WORD& value) { return Get(value); }
    CArchive& operator>>(std::int16_t& value) { return Get(value); }
    CArchive& operator>>(std::int32_t& value) { return Get(value); }
    CArchive& operator>>(DWORD& value) { return Get(value); }
    CArchive& operator>>(float& value) { return Get(value); }
    CArchive& operator>>(double& value) { return Get(value); }
    CArchive& operator>>(CString& value);
    CArchive& operator>>(CObject*& object) {
        object = ReadObject(nullptr);
        return *this;
    }

    // Counts of map and list entries: a WORD below 0xFFFF, else 0xFFFF and a DWORD.
    void WriteCount(DWORD count);
    DWORD ReadCount();

    void WriteObject(const CObject* object);
    // Reads an object; with requested set, the stored class must be it or derive from it.
    // A new object belongs to the caller; when its Serialize throws it is deleted.
    CObject* ReadObject(const CRuntimeClass* requested);

    void WriteClass(const CRuntimeClass* cls);
    // Reads a class tag. For an object reference it returns null and stores the reference in
    // objectTag (without objectTag that is a bad index).
    const CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, UINT* schema = nullptr,
                                   DWORD* objectTag = nullptr);

    // The index the next new class or object will take: it grows when ReadObject creates an
    // object and stays when it returns one read before.
    DWORD GetMapCount() const {
        return IsLoading() ? static_cast<DWORD>(m_loadArray.size()) : m_nMapCount;
    }

    // The schema stored for the object being loaded; a second call gives (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

private:
    struct LoadEntry {
        const CRuntimeClass* cls; // set for a class entry
        CObject* object;          // set for an object entry
    };

    void RequireStoring() const;
    void RequireLoading() const;
    [[noreturn]] void Fail(CArchiveException::Cause cause) const;
    // Values go straight into the buffer while they fit; the file is reached only when the
    // buffer is full (storing) or empty (loading).
    template <class T> CArchive& Put(T value) {
        if (IsStoring() && m_nBufSize - m_nCur >= sizeof value) {
            std::memcpy(m_pBuf + m_nCur, &value, sizeof value);
            m_nCur += sizeof value;
        } else {
            PutBytes(&value, sizeof value);
        }
        return *this;
    }
    template <class T> CArchive& Get(T& value) {
        if (IsLoading() && m_nMax - m_nCur >= sizeof value) {
            std::memcpy(&value, m_pBuf + m_nCur, sizeof value);
            m_nCur += sizeof value;
        } else {
            RequireLoading();
            GetBytes(&value, sizeof value);
        }
        return *this;
    }
    void PutBytes(const void* data, UINT count);
    void GetBytes(void* data, UINT count);
    UINT ReadStringLength(int& charSize);
    void WriteIndexTag(DWORD index, DWORD flag);

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_ownBuffer;
    BYTE* m_pBuf;
    UINT m_nBufSize;
    UINT m_nCur = 0; // next byte to read or write in the buffer
    UINT m_nMax = 0; // loading: bytes held in the buffer

    DWORD m_nMapCount = 1;
    CIndexMap m_storeMap; // classes and objects written, with their indexes
    std::vector<LoadEntry> m_loadArray;
    CIndexMap m_schemaMap; // classes read with another schema than their own
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nDepth = 0;
};

} // namespace vellum
