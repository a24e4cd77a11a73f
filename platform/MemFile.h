#pragma once
// CMemFile: a file held in memory. It either owns a buffer that grows in steps of growBytes,
// or is attached to a caller's buffer, which it does not free; an attached file with a grow
// step of 0 cannot grow, and writing past its end throws CMemoryException.

#include <vellum/platform/File.h>

namespace vellum {

class CMemFile : public CFile {
public:
    explicit CMemFile(UINT growBytes = 1024);
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    // Takes the caller's buffer as the file's contents (size bytes long).
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Gives up the buffer and empties the file. A buffer that the file allocated itself is
    // malloc'd memory: the caller frees it with std::free.
    BYTE* Detach();

    BOOL Open(const char* path, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buf, UINT count) override;
    void Write(const void* buf, UINT count) override;
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    std::uint64_t GetPosition() const override { return m_nPosition; }
    std::uint64_t GetLength() const override { return m_nFileSize; }
    void SetLength(std::uint64_t length);
    void Flush() override {}
    void Close() override;
    void Abort() override;

private:
    void GrowFile(std::uint64_t newSize);
    void Release();

    BYTE* m_lpBuffer = nullptr;
    std::uint64_t m_nBufferSize = 0;
    std::uint64_t m_nFileSize = 0;
    std::uint64_t m_nPosition = 0;
    UINT m_nGrowBytes;
    bool m_bAutoDelete = true; // the buffer was allocated here and is freed here
};

} // namespace vellum
