// PNG files through libpng. libpng reports errors by longjmp back to a setjmp; the functions
// that set it (ReadPngHeader, ReadPngPixels, WritePngImage) hold only trivially destructible
// objects, and everything that owns memory lives in their callers, which the jump never leaves.

#include <vellum/imaging/io/ImageCodecs.h>
#include <vellum/imaging/io/ImageFile.h>
#include <vellum/platform/Exceptions.h>

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vellum::imageio {

namespace {

// What the libpng callbacks tell the code that called libpng.
struct PngSession {
    std::FILE* file = nullptr;
    std::uint64_t remaining = 0; // bytes of the file not read yet
    int osError = 0;             // errno of a failed read or write
    char message[160] = {};      // libpng's error message
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
    std::snprintf(session->message, sizeof session->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadPngData(png_structp png, png_bytep data, std::size_t length) {
    auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
    errno = 0;
    const std::size_t got = std::fread(data, 1, length, session->file);
    session->remaining -= std::min<std::uint64_t>(got, session->remaining);
    if (got == length)
        return;
    if (std::ferror(session->file)) {
        session->osError = errno != 0 ? errno : EIO;
        png_error(png, "read error");
    }
    png_error(png, "the file is truncated");
}

void WritePngData(png_structp png, png_bytep data, std::size_t length) {
    auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
    errno = 0;
    if (std::fwrite(data, 1, length, session->file) == length)
        return;
    session->osError = errno != 0 ? errno : EIO;
    png_error(png, "write error");
}

void FlushPngData(png_structp png) {
    auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
    errno = 0;
    if (std::fflush(session->file) == 0)
        return;
    session->osError = errno != 0 ? errno : EIO;
    png_error(png, "write error");
}

// Throws for the error that ended a libpng call.
[[noreturn]] void ThrowPngFailure(const char* path, const PngSession& session) {
    if (session.osError != 0)
        ThrowIo(path, session.osError);
    ThrowFormat(path, std::string("invalid PNG: ") + session.message);
}

// Owns libpng's read or write structures.
class PngHandle {
public:
    PngHandle(bool reading, PngSession& session) : m_reading(reading) {
        m_png = reading ? png_create_read_struct(PNG_LIBPNG_VER_STRING, &session, OnPngError,
                                                 OnPngWarning)
                        : png_create_write_struct(PNG_LIBPNG_VER_STRING, &session, OnPngError,
                                                  OnPngWarning);
        if (m_png != nullptr)
            m_info = png_create_info_struct(m_png);
        if (m_info == nullptr) {
            Destroy();
            throw CMemoryException();
        }
    }
    ~PngHandle() { Destroy(); }
    PngHandle(const PngHandle&) = delete;
    PngHandle& operator=(const PngHandle&) = delete;

    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }

private:
    void Destroy() {
        if (m_reading)
            png_destroy_read_struct(&m_png, &m_info, nullptr);
        else
            png_destroy_write_struct(&m_png, &m_info);
    }

    bool m_reading;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
};

// Reads the chunks before the image data. False when libpng failed.
bool ReadPngHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
    png_read_info(png, info);
    png_get_IHDR(png, info, &header->width, &header->height, &header->bitDepth, &header->colourType,
                 &header->interlace, nullptr, nullptr);
    return true;
}

// Reads the samples into the rows, top row first, as 8-bit samples or 16-bit little-endian
// ones. False when libpng failed.
bool ReadPngPixels(png_structp png, png_infop info, int bitDepth, png_bytepp rows,
                   std::size_t rowBytes) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    if (bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (bitDepth == 16)
        png_set_swap(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != rowBytes)
        png_error(png, "unexpected row size after the grey conversion");
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// Writes the header, the rows top row first, and the end of the file. False when libpng failed.
bool WritePngImage(png_structp png, png_infop info, const struct_LEAD_Bitmap& bitmap,
                   png_bytep line) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    const bool wide = bitmap.BytesPerSample() == 2;
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width),
                 static_cast<png_uint_32>(bitmap.Height), wide ? 16 : 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const auto lineBytes = static_cast<std::size_t>(bitmap.BytesPerLine());
    for (auto row = static_cast<std::size_t>(bitmap.Height); row-- > 0;) {
        const BYTE* source = bitmap.Data.data() + row * lineBytes;
        // PNG stores 2-byte samples big-endian, the bitmap little-endian.
        for (std::size_t i = 0; i < lineBytes; ++i)
            line[i] = source[wide ? i ^ 1 : i];
        png_write_row(png, line);
    }
    png_write_end(png, nullptr);
    return true;
}

const char* ColourTypeName(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_PALETTE:
        return "palette";
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return "grey with alpha";
    case PNG_COLOR_TYPE_RGB:
        return "RGB";
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return "RGB with alpha";
    default:
        return "unknown";
    }
}

// Checks the size in the header chunk, which must come first, before libpng reads it: libpng
// only says that the header is invalid. The file is left where it was.
void CheckPngHeaderSize(std::FILE* file, const char* path) {
    const long start = std::ftell(file);
    unsigned char chunk[16] = {}; // length, type, width, height
    errno = 0;
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (got < sizeof chunk && std::ferror(file))
        ThrowIo(path, errno);
    if (start < 0 || std::fseek(file, start, SEEK_SET) != 0)
        ThrowIo(path, errno);
    // Anything else is left to libpng to report.
    if (got < sizeof chunk || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return;
    const auto bigEndian = [&](int at) {
        return (std::uint32_t{chunk[at]} << 24) | (std::uint32_t{chunk[at + 1]} << 16) |
               (std::uint32_t{chunk[at + 2]} << 8) | std::uint32_t{chunk[at + 3]};
    };
    CheckDimensions(path, "PNG", bigEndian(8), bigEndian(12));
}

// The largest factor by which deflate expands its input.
constexpr std::uint64_t kMaxInflateRatio = 1032;

} // namespace

std::unique_ptr<struct_LEAD_Bitmap> LoadPng(std::FILE* file, const char* path,
                                            std::uint64_t remaining) {
    CheckPngHeaderSize(file, path);
    PngSession session;
    session.file = file;
    session.remaining = remaining;
    PngHandle handle(true, session);
    png_set_read_fn(handle.Png(), &session, ReadPngData);

    PngHeader header;
    if (!ReadPngHeader(handle.Png(), handle.Info(), &header))
        ThrowPngFailure(path, session);
    if (header.colourType != PNG_COLOR_TYPE_GRAY)
        ThrowFormat(path, std::string(ColourTypeName(header.colourType)) +
                              " PNG images are not supported, only grey ones");

    // The compressed rows, one filter byte each, cannot come out of fewer bytes than this.
    const std::uint64_t packedRowBytes =
        (static_cast<std::uint64_t>(header.width) * static_cast<unsigned>(header.bitDepth) + 7) / 8;
    const std::uint64_t streamBytes = (packedRowBytes + 1) * header.height;
    if (streamBytes > session.remaining * kMaxInflateRatio)
        ThrowFormat(path, "the PNG image of " + std::to_string(header.width) + " x " +
                              std::to_string(header.height) + " pixels needs more data than the " +
                              std::to_string(session.remaining) + " bytes left in the file");

    auto bitmap = MakeGreyBitmap(static_cast<int>(header.width), static_cast<int>(header.height),
                                 header.bitDepth == 16 ? 16 : 8);
    const auto lineBytes = static_cast<std::size_t>(bitmap->BytesPerLine());
    // PNG's first row is the image's top row, which the toolkit numbers last.
    std::vector<png_bytep> rows(header.height);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = bitmap->Data.data() + (rows.size() - 1 - i) * lineBytes;
    if (!ReadPngPixels(handle.Png(), handle.Info(), header.bitDepth, rows.data(), lineBytes))
        ThrowPngFailure(path, session);
    return bitmap;
}

void SavePng(std::FILE* file, const char* path, const struct_LEAD_Bitmap& bitmap) {
    PngSession session;
    session.file = file;
    PngHandle handle(false, session);
    png_set_write_fn(handle.Png(), &session, WritePngData, FlushPngData);
    std::vector<BYTE> line(static_cast<std::size_t>(bitmap.BytesPerLine()));
    if (!WritePngImage(handle.Png(), handle.Info(), bitmap, line.data()))
        ThrowPngFailure(path, session);
}

} // namespace vellum::imageio
