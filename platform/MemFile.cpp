#include <vellum/platform/MemFile.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vellum {

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : m_nGrowBytes(growBytes) {
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() {
    Release();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
    Release();
    m_lpBuffer = buffer;
    m_nBufferSize = size;
    m_nFileSize = size;
    m_nPosition = 0;
    m_nGrowBytes = growBytes;
    m_bAutoDelete = false;
}

BYTE* CMemFile::Detach() {
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
    return buffer;
}

// A memory file has no path to open.
BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
    if (error)
        *error = CFileException(CFileException::generic, ENOTSUP, CString());
    return FALSE;
}

UINT CMemFile::Read(void* buf, UINT count) {
    if (m_nPosition >= m_nFileSize || count == 0)
        return 0;
    const std::uint64_t available = m_nFileSize - m_nPosition;
    const UINT got = available < count ? static_cast<UINT>(available) : count;
    std::memcpy(buf, m_lpBuffer + m_nPosition, got);
    m_nPosition += got;
    return got;
}

void CMemFile::Write(const void* buf, UINT count) {
    if (count == 0)
        return;
    const std::uint64_t end = m_nPosition + count;
    if (end > m_nBufferSize)
        GrowFile(end);
    // Writing after a seek beyond the end leaves zeros in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, buf, count);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from) {
    const std::int64_t base = from == begin     ? 0
                              : from == current ? static_cast<std::int64_t>(m_nPosition)
                                                : static_cast<std::int64_t>(m_nFileSize);
    const std::int64_t target = base + offset;
    if (target < 0)
        throw CFileException(CFileException::badSeek, EINVAL, CString());
    m_nPosition = static_cast<std::uint64_t>(target);
    return m_nPosition;
}

void CMemFile::SetLength(std::uint64_t length) {
    if (length > m_nBufferSize)
        GrowFile(length);
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    m_nFileSize = length;
    if (m_nPosition > length)
        m_nPosition = length;
}

void CMemFile::Close() {
    Release();
}

void CMemFile::Abort() {
    Release();
}

void CMemFile::GrowFile(std::uint64_t newSize) {
    if (m_nGrowBytes == 0)
        throw CMemoryException();
    // Whole grow steps, as the framework's memory file takes them; a file that keeps
    // growing takes at least half its size again, so that writing n bytes copies O(n).
    const std::uint64_t wanted = std::max(newSize, m_nBufferSize + m_nBufferSize / 2);
    const std::uint64_t capacity = (wanted + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* grown = nullptr;
    if (m_bAutoDelete) {
        grown = static_cast<BYTE*>(std::realloc(m_lpBuffer, capacity));
    } else {
        // A caller's buffer is never reallocated or freed: the contents move to our own.
        grown = static_cast<BYTE*>(std::malloc(capacity));
        if (grown && m_nFileSize)
            std::memcpy(grown, m_lpBuffer, m_nFileSize);
    }
    if (!grown)
        throw CMemoryException();
    m_lpBuffer = grown;
    m_nBufferSize = capacity;
    m_bAutoDelete = true;
}

void CMemFile::Release() {
    if (m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
}

} // namespace vellum
