#pragma once
// Helpers for tests that check archives byte for byte.

#include <vellum/archive/Archive.h>
#include <vellum/platform/MemFile.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace vellum::test {

using Bytes = std::vector<BYTE>;

// Runs write on a storing archive over a memory file and returns the bytes written.
inline Bytes Store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// Runs read on a loading archive over a copy of bytes.
inline void Load(Bytes bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The cause of the archive exception that the action throws; none when it throws none.
template <class F> CArchiveException::Cause CauseOf(F&& action) {
    try {
        action();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

// Little-endian byte builders for expected streams.
inline void Append(Bytes& out, std::initializer_list<int> values) {
    for (int v : values)
        out.push_back(static_cast<BYTE>(v));
}
inline void AppendWord(Bytes& out, WORD v) { Append(out, {v & 0xFF, v >> 8}); }
inline void AppendDword(Bytes& out, DWORD v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}
inline void AppendDouble(Bytes& out, double v) {
    BYTE raw[8];
    std::memcpy(raw, &v, 8);
    out.insert(out.end(), raw, raw + 8);
}
inline void AppendText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}
// The new-class record: tag 0xFFFF, schema 1, name length, name.
inline void AppendNewClass(Bytes& out, const std::string& name) {
    AppendWord(out, 0xFFFF);
    AppendWord(out, 1);
    AppendWord(out, static_cast<WORD>(name.size()));
    AppendText(out, name);
}

} // namespace vellum::test
