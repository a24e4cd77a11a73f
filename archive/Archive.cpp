#include <vellum/archive/Archive.h>

#include <vellum/archive/ClassRegistry.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/File.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace vellum {

namespace {
constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr WORD kMaxClassNameLength = 64;
// Strings are read in pieces so that a damaged length allocates no more than the data holds.
constexpr DWORD kStringChunk = 4096;

static_assert(std::endian::native == std::endian::little,
              "the archive copies values in little-endian byte order");
} // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufSize, void* buf)
    : m_pFile(file), m_nMode(mode), m_nBufSize(bufSize > 0 ? static_cast<UINT>(bufSize) : 4096) {
    if (buf) {
        m_pBuf = static_cast<BYTE*>(buf);
    } else {
        m_ownBuffer.resize(m_nBufSize);
        m_pBuf = m_ownBuffer.data();
    }
    if (IsLoading())
        m_loadArray.push_back({nullptr, nullptr}); // index 0: the null pointer
}

CArchive::~CArchive() {
    if (m_pFile && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (...) {
            // A destructor cannot report the failure; Close reports it to callers that ask.
        }
    }
}

void CArchive::Close() {
    if (m_pFile && IsStoring())
        Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_pFile = nullptr;
}

void CArchive::Flush() {
    if (m_pFile && IsStoring() && m_nCur > 0) {
        const UINT count = m_nCur;
        m_nCur = 0;
        m_pFile->Write(m_pBuf, count);
    }
}

void CArchive::RequireStoring() const {
    if (!IsStoring())
        Fail(CArchiveException::readOnly);
}

void CArchive::RequireLoading() const {
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
}

void CArchive::Fail(CArchiveException::Cause cause) const {
    throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath() : CString());
}

void CArchive::PutBytes(const void* data, UINT count) {
    RequireStoring();
    const auto* bytes = static_cast<const BYTE*>(data);

    while (count > 0) {
        if (m_nCur == m_nBufSize)
            Flush();
        const UINT piece = std::min(count, m_nBufSize - m_nCur);
        std::memcpy(m_pBuf + m_nCur, bytes, piece);
        m_nCur += piece;
        bytes += piece;
        count -= piece;
    }
}

UINT CArchive::Read(void* buf, UINT count) {
    RequireLoading();
    auto* bytes = static_cast<BYTE*>(buf);
    UINT done = 0;
    while (done < count) {
        if (m_nCur == m_nMax) {
            if (!m_pFile)
                break;
            m_nCur = 0;
            m_nMax = m_pFile->Read(m_pBuf, m_nBufSize);
            if (m_nMax == 0)
                break;
        }
        const UINT piece = std::min(count - done, m_nMax - m_nCur);
        std::memcpy(bytes + done, m_pBuf + m_nCur, piece);
        m_nCur += piece;
        done += piece;
    }
    return done;
}

void CArchive::GetBytes(void* data, UINT count) {
    if (Read(data, count) != count)
        Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buf, UINT count) {
    PutBytes(buf, count);
}

// Length, then the characters: one byte below 255, 0xFF and a WORD below 0xFFFE, else
// 0xFF, 0xFFFF and a DWORD.
CArchive& CArchive::operator<<(const CString& value) {
    RequireStoring();
    const auto length = static_cast<DWORD>(value.GetLength());
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    PutBytes(value.GetString(), length);
    return *this;
}

// A wide string is marked by 0xFF 0xFFFE, after which its length follows in the same form.
UINT CArchive::ReadStringLength(int& charSize) {
    charSize = 1;
    BYTE byteLength;
    *this >> byteLength;
    if (byteLength < 0xFF)
        return byteLength;
    WORD wordLength;
    *this >> wordLength;
    if (wordLength == 0xFFFE) {
        charSize = 2;
        *this >> byteLength;
        if (byteLength < 0xFF)
            return byteLength;
        *this >> wordLength;
    }
    if (wordLength < 0xFFFF)
        return wordLength;
    DWORD dwordLength;
    *this >> dwordLength;
    return dwordLength;
}

CArchive& CArchive::operator>>(CString& value) {
    RequireLoading();
    int charSize = 1;
    const UINT length = ReadStringLength(charSize);
    const std::uint64_t byteCount = static_cast<std::uint64_t>(length) * charSize;
    std::string bytes;
    for (std::uint64_t done = 0; done < byteCount;) {
        const auto piece =
            static_cast<UINT>(std::min<std::uint64_t>(kStringChunk, byteCount - done));
        bytes.resize(static_cast<std::size_t>(done + piece));
        GetBytes(bytes.data() + done, piece);
        done += piece;
    }
    if (charSize == 1) {
        value = CString(std::move(bytes));
    } else {
        std::u16string wide(length, u'\0');
        std::memcpy(wide.data(), bytes.data(), bytes.size());
        value = FromUtf16(wide);
    }
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount() {
    WORD count;
    *this >> count;
    if (count != 0xFFFF)
        return count;
    DWORD bigCount;
    *this >> bigCount;
    return bigCount;
}

// An index below 0x7FFF fits the WORD tag; from 0x7FFF on, the tag 0x7FFF announces a DWORD.
void CArchive::WriteIndexTag(DWORD index, DWORD flag) {
    if (index < kBigObjectTag) {
        *this << static_cast<WORD>((flag ? kClassTag : 0) | index);
    } else {
        *this << kBigObjectTag << static_cast<DWORD>(flag | index);
    }
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
    RequireStoring();
    if (const DWORD* index = m_storeMap.Find(cls)) {
        WriteIndexTag(*index, kBigClassTag);
        return;
    }
    const auto nameLength = static_cast<WORD>(std::strlen(cls->m_lpszClassName));
    *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema) << nameLength;
    PutBytes(cls->m_lpszClassName, nameLength);
    m_storeMap.Set(cls, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* object) {
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    if (const DWORD* index = m_storeMap.Find(object)) {
        WriteIndexTag(*index, 0);
        return;
    }
    const CRuntimeClass* cls = object->GetRuntimeClass();
    if (!cls->IsSerializable())
        Fail(CArchiveException::badClass);
    WriteClass(cls);
    // The object takes its index before its body, so the body may refer back to it.
    m_storeMap.Set(object, m_nMapCount++);
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema,
                                         DWORD* objectTag) {
    RequireLoading();
    WORD tag;
    *this >> tag;
    DWORD fullTag;
    if (tag == kBigObjectTag) {
        *this >> fullTag;
    } else {
        fullTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
    }
    if (!(fullTag & kBigClassTag)) {
        if (!objectTag)
            Fail(CArchiveException::badIndex);
        *objectTag = fullTag;
        return nullptr;
    }

    const CRuntimeClass* cls = nullptr;
    UINT storedSchema = 0;
    if (tag == kNewClassTag) {
        WORD wordSchema;
        WORD nameLength;
        *this >> wordSchema >> nameLength;
        if (nameLength >= kMaxClassNameLength)
            Fail(CArchiveException::badClass);
        char name[kMaxClassNameLength];
        GetBytes(name, nameLength);
        cls = CClassRegistry::Instance().Find(std::string_view(name, nameLength));
        if (!cls || !cls->IsSerializable())
            Fail(CArchiveException::badClass);
        storedSchema = wordSchema;
        if ((cls->m_wSchema & ~VERSIONABLE_SCHEMA) != storedSchema) {
            if (!(cls->m_wSchema & VERSIONABLE_SCHEMA))
                Fail(CArchiveException::badSchema);
            // A versionable class accepts another schema and can ask for it while loading.
            m_schemaMap.Set(cls, storedSchema);
        }
        m_loadArray.push_back({cls, nullptr});
    } else {
        const DWORD classIndex = fullTag & ~kBigClassTag;
        if (classIndex == 0 || classIndex >= m_loadArray.size() || !m_loadArray[classIndex].cls)
            Fail(CArchiveException::badIndex);
        cls = m_loadArray[classIndex].cls;
        const DWORD* stored = m_schemaMap.Find(cls);
        storedSchema = stored ? *stored : (cls->m_wSchema & ~VERSIONABLE_SCHEMA);
    }

    if (requested && !cls->IsDerivedFrom(requested))
        Fail(CArchiveException::badClass);
    if (schema)
        *schema = storedSchema;
    else
        m_nObjectSchema = storedSchema;
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
    RequireLoading();
    UINT schema = 0;
    DWORD objectTag = 0;
    const CRuntimeClass* cls = ReadClass(requested, &schema, &objectTag);
    if (!cls) {
        // A reference to an object read before (0 is the null pointer).
        if (objectTag >= m_loadArray.size())
            Fail(CArchiveException::badIndex);
        CObject* object = m_loadArray[objectTag].object;
        if (objectTag != 0 && !object)
            Fail(CArchiveException::badIndex); // the index of a class, not of an object
        if (object && requested && !object->IsKindOf(requested))
            Fail(CArchiveException::badClass);
        return object;
    }

    if (m_nDepth >= maxObjectDepth)
        Fail(CArchiveException::generic);
    CObject* object = cls->CreateObject();
    if (!object)
        throw CMemoryException();
    // The object takes its index before its body is read, so the body may refer back to it.
    const std::size_t index = m_loadArray.size();
    m_loadArray.push_back({nullptr, object});
    const UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    ++m_nDepth;
    try {
        object->Serialize(*this);
    } catch (...) {
        // Nobody holds the object yet: it goes, and later references to it are bad.
        --m_nDepth;
        m_loadArray[index].object = nullptr;
        m_nObjectSchema = savedSchema;
        delete object;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = savedSchema;
    return object;
}

UINT CArchive::GetObjectSchema() {
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

} // namespace vellum
