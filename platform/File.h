#pragma once
// CFile: a binary file on disk, read and written through the framework's calls.
// Failures throw CFileException with the cause and the errno value.

#include <vellum/platform/Exceptions.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <cstdint>
#include <cstdio>

namespace vellum {

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens the file or throws CFileException.
    CFile(const char* path, UINT openFlags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file; on failure returns FALSE and fills error when given.
    virtual BOOL Open(const char* path, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buf, UINT count);
    virtual void Write(const void* buf, UINT count);
    virtual std::uint64_t Seek(std::int64_t offset, UINT from);
    virtual std::uint64_t GetPosition() const;
    virtual std::uint64_t GetLength() const;
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors, for clean-up paths.
    virtual void Abort();

    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }
    const CString& GetFilePath() const { return m_strFileName; }

protected:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;

private:
    std::FILE* m_stream = nullptr;
};

} // namespace vellum
