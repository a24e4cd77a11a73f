#include <vellum/platform/File.h>

#include <cerrno>

namespace vellum {

namespace {
const char* StdioMode(UINT flags) {
    const bool write = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    const bool create = (flags & CFile::modeCreate) != 0;
    const bool truncate = create && (flags & CFile::modeNoTruncate) == 0;
    if (!write)
        return "rb";
    if (truncate)
        return (flags & CFile::modeReadWrite) ? "w+b" : "wb";
    return "r+b";
}
} // namespace

CFile::CFile(const char* path, UINT openFlags) {
    CFileException error(CFileException::none, 0, CString());
    if (!Open(path, openFlags, &error))
        throw error;
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const char* path, UINT openFlags, CFileException* error) {
    Abort();
    m_strFileName = path;
    m_stream = std::fopen(path, StdioMode(openFlags));
    // Creating without truncating: open the existing file, or make a new one.
    if (!m_stream && errno == ENOENT && (openFlags & modeCreate) && (openFlags & modeNoTruncate))
        m_stream = std::fopen(path, "w+b");
    if (m_stream)
        return TRUE;
    const int osError = errno;
    if (error)
        *error = CFileException(CFileException::CauseFromErrno(osError), osError, m_strFileName);
    return FALSE;
}

UINT CFile::Read(void* buf, UINT count) {
    if (!m_stream)
        throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const std::size_t got = std::fread(buf, 1, count, m_stream);
    if (got < count && std::ferror(m_stream))
        ThrowLastError();
    return static_cast<UINT>(got);
}

void CFile::Write(const void* buf, UINT count) {
    if (!m_stream)
        throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
    if (std::fwrite(buf, 1, count, m_stream) != count)
        ThrowLastError();
}

std::uint64_t CFile::Seek(std::int64_t offset, UINT from) {
    if (!m_stream)
        throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (std::fseek(m_stream, static_cast<long>(offset), whence) != 0)
        ThrowLastError();
    return GetPosition();
}

std::uint64_t CFile::GetPosition() const {
    if (!m_stream)
        throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const long position = std::ftell(m_stream);
    if (position < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetLength() const {
    const std::uint64_t position = GetPosition();
    std::fseek(m_stream, 0, SEEK_END);
    const std::uint64_t length = GetPosition();
    std::fseek(m_stream, static_cast<long>(position), SEEK_SET);
    return length;
}

void CFile::Flush() {
    if (m_stream && std::fflush(m_stream) != 0)
        ThrowLastError();
}

void CFile::Close() {
    if (!m_stream)
        return;
    std::FILE* stream = m_stream;
    m_stream = nullptr;
    if (std::fclose(stream) != 0)
        ThrowLastError();
}

void CFile::Abort() {
    if (m_stream)
        std::fclose(m_stream);
    m_stream = nullptr;
}

void CFile::ThrowLastError() const {
    const int osError = errno;
    throw CFileException(CFileException::CauseFromErrno(osError), osError, m_strFileName);
}

} // namespace vellum
