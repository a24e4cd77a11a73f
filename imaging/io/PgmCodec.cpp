// Binary PGM (P5) files: the header is parsed byte by byte, and the samples are read straight
// into the bitmap's rows, the file's first (top) row into the bitmap's last.

#include <vellum/imaging/io/ImageCodecs.h>
#include <vellum/imaging/io/ImageFile.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vellum::imageio {

namespace {

// The header after "P5": the bytes it consumes are counted, so that the data left for the
// samples is known before anything is allocated.
class PgmHeaderReader {
public:
    // Reads the first byte after the magic.
    PgmHeaderReader(std::FILE* file, const char* path) : m_file(file), m_path(path) { Advance(); }

    // Reads white space and comments, then a decimal number; values above limit are refused.
    std::uint64_t Number(const char* name, std::uint64_t limit) {
        bool separated = false;
        for (;;) {
            if (IsSpace(m_next)) {
                separated = true;
                Advance();
            } else if (m_next == '#') {
                separated = true;
                while (m_next != '\n' && m_next != '\r' && m_next != EOF)
                    Advance();
            } else {
                break;
            }
        }
        if (m_next == EOF)
            ThrowFormat(m_path, std::string("the PGM header ends before the ") + name);
        if (!separated)
            ThrowFormat(m_path, std::string("no white space before the PGM ") + name);
        if (m_next < '0' || m_next > '9')
            ThrowFormat(m_path, std::string("the PGM ") + name + " is not a number");
        std::uint64_t value = 0;
        while (m_next >= '0' && m_next <= '9') {
            // Stops growing past the limit, so that no run of digits can overflow.
            if (value <= limit)
                value = value * 10 + static_cast<std::uint64_t>(m_next - '0');
            Advance();
        }
        if (value > limit)
            ThrowFormat(m_path, std::string("the PGM ") + name + " is larger than " +
                                    std::to_string(limit));
        return value;
    }

    // The single white-space byte between the maxval and the samples.
    void RasterSeparator() {
        if (m_next == EOF)
            ThrowFormat(m_path, "the PGM header ends after the maxval");
        if (!IsSpace(m_next))
            ThrowFormat(m_path, "no white space after the PGM maxval");
    }

    // Bytes consumed so far, the separator after the maxval included.
    std::uint64_t Consumed() const { return m_consumed; }

private:
    static bool IsSpace(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    void Advance() {
        errno = 0;
        m_next = std::getc(m_file);
        if (m_next == EOF) {
            if (std::ferror(m_file))
                ThrowIo(m_path, errno);
        } else {
            ++m_consumed;
        }
    }

    std::FILE* m_file;
    const char* m_path;
    int m_next = EOF; // the byte after those consumed, or EOF at the end of the file
    std::uint64_t m_consumed = 0;
};

// Throws unless every sample of the rows is at most maxval (16-bit samples little-endian).
void CheckSamples(const char* path, const BYTE* row, std::size_t bytes, int bytesPerSample,
                  unsigned maxval) {
    for (std::size_t i = 0; i < bytes; i += static_cast<std::size_t>(bytesPerSample)) {
        const unsigned value = bytesPerSample == 2 ? row[i] | (unsigned{row[i + 1]} << 8) : row[i];
        if (value > maxval)
            ThrowFormat(path, "PGM sample value " + std::to_string(value) +
                                  " is larger than the maxval " + std::to_string(maxval));
    }
}

} // namespace

std::unique_ptr<struct_LEAD_Bitmap> LoadPgm(std::FILE* file, const char* path,
                                            std::uint64_t remaining) {
    PgmHeaderReader header(file, path);
    // Sides up to 32 bits are read whole, so that the size check reports them as written.
    const auto width = header.Number("width", UINT32_MAX);
    const auto height = header.Number("height", UINT32_MAX);
    const auto maxval = header.Number("maxval", 65535);
    header.RasterSeparator();
    CheckDimensions(path, "PGM", width, height);
    if (maxval == 0)
        ThrowFormat(path, "the PGM maxval is 0");

    const int bytesPerSample = maxval > 255 ? 2 : 1;
    const std::uint64_t needed = width * height * static_cast<std::uint64_t>(bytesPerSample);
    const std::uint64_t left = remaining - header.Consumed();
    if (needed > left)
        ThrowFormat(path, "PGM pixel data needs " + std::to_string(needed) + " bytes but only " +
                              std::to_string(left) + " remain in the file");

    auto bitmap =
        MakeGreyBitmap(static_cast<int>(width), static_cast<int>(height), bytesPerSample * 8);
    const auto lineBytes = static_cast<std::size_t>(bitmap->BytesPerLine());
    // The file's first row is the image's top row, which the toolkit numbers last.
    for (auto row = static_cast<std::size_t>(bitmap->Height); row-- > 0;) {
        BYTE* line = bitmap->Data.data() + row * lineBytes;
        errno = 0;
        if (std::fread(line, 1, lineBytes, file) != lineBytes) {
            if (std::ferror(file))
                ThrowIo(path, errno);
            ThrowFormat(path, "the PGM pixel data ends early");
        }
        if (bytesPerSample == 2)
            for (std::size_t i = 0; i < lineBytes; i += 2)
                std::swap(line[i], line[i + 1]);
        CheckSamples(path, line, lineBytes, bytesPerSample, static_cast<unsigned>(maxval));
    }
    return bitmap;
}

void SavePgm(std::FILE* file, const char* path, const struct_LEAD_Bitmap& bitmap) {
    const bool wide = bitmap.BytesPerSample() == 2;
    const std::string header = "P5\n" + std::to_string(bitmap.Width) + " " +
                               std::to_string(bitmap.Height) + "\n" + (wide ? "65535" : "255") +
                               "\n";
    const auto lineBytes = static_cast<std::size_t>(bitmap.BytesPerLine());
    std::vector<BYTE> swapped(wide ? lineBytes : 0);
    errno = 0;
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size())
        ThrowIo(path, errno);
    for (auto row = static_cast<std::size_t>(bitmap.Height); row-- > 0;) {
        const BYTE* line = bitmap.Data.data() + row * lineBytes;
        // PGM stores 2-byte samples big-endian, the bitmap little-endian.
        if (wide) {
            for (std::size_t i = 0; i < lineBytes; i += 2) {
                swapped[i] = line[i + 1];
                swapped[i + 1] = line[i];
            }
            line = swapped.data();
        }
        if (std::fwrite(line, 1, lineBytes, file) != lineBytes)
            ThrowIo(path, errno);
    }
}

} // namespace vellum::imageio
