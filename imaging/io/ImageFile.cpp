#include <vellum/imaging/io/ImageFile.h>

#include <vellum/imaging/io/ImageCodecs.h>
#include <vellum/platform/Exceptions.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace vellum {

namespace imageio {

void ThrowFormat(const char* path, std::string problem) {
    throw CImageFormatException(CString(path), std::move(problem));
}

void ThrowIo(const char* path, int error) {
    // A failed stdio call that set no errno is reported as an input/output error.
    const int osError = error != 0 ? error : EIO;
    throw CFileException(CFileException::CauseFromErrno(osError), osError, CString(path));
}

void CheckDimensions(const char* path, const char* format, std::uint64_t width,
                     std::uint64_t height) {
    if (width == 0 || height == 0)
        ThrowFormat(path, std::string("the ") + format + " image has no pixels (" +
                              std::to_string(width) + " x " + std::to_string(height) + ")");
    if (width > kMaxImageDimension || height > kMaxImageDimension)
        ThrowFormat(path, std::string("the ") + format + " image of " + std::to_string(width) +
                              " x " + std::to_string(height) + " pixels is larger than " +
                              std::to_string(kMaxImageDimension) + " on a side");
}

std::unique_ptr<struct_LEAD_Bitmap> MakeGreyBitmap(int width, int height, int bitsPerPixel) {
    auto bitmap = std::make_unique<struct_LEAD_Bitmap>();
    bitmap->Width = width;
    bitmap->Height = height;
    bitmap->BitsPerPixel = bitsPerPixel;
    bitmap->Data.resize(static_cast<std::size_t>(bitmap->BytesPerLine()) *
                        static_cast<std::size_t>(height));
    bitmap->Colors.resize(256);
    for (std::size_t i = 0; i < bitmap->Colors.size(); ++i) {
        const auto level = static_cast<BYTE>(i);
        bitmap->Colors[i] = RGBQUAD{level, level, level, 0};
    }
    return bitmap;
}

} // namespace imageio

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The file's length in bytes; the file is left at its start.
std::uint64_t FileLength(std::FILE* file, const char* path) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        imageio::ThrowIo(path, errno);
    const long length = std::ftell(file);
    if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        imageio::ThrowIo(path, errno);
    return static_cast<std::uint64_t>(length);
}

// True when "DICM" follows the 128-byte preamble; the file is left at its start.
bool IsDicom(std::FILE* file, const char* path, std::uint64_t length) {
    char prefix[4] = {};
    if (length < 132 || std::fseek(file, 128, SEEK_SET) != 0)
        return false;
    const bool dicom = std::fread(prefix, 1, 4, file) == 4 && std::memcmp(prefix, "DICM", 4) == 0;
    if (std::fseek(file, 0, SEEK_SET) != 0)
        imageio::ThrowIo(path, errno);
    return dicom;
}

// Refuses bitmaps that SaveImageFile cannot write, with the reason.
void CheckSavable(const char* path, const struct_LEAD_Bitmap& bitmap) {
    const int bits = bitmap.BitsPerPixel;
    if (bits != 8 && bits != 12 && bits != 16)
        imageio::ThrowFormat(path, "cannot save a bitmap of " + std::to_string(bits) +
                                       " bits per pixel (only 8, 12 and 16)");
    if (bitmap.Width < 1 || bitmap.Height < 1 || bitmap.Width > kMaxImageDimension ||
        bitmap.Height > kMaxImageDimension)
        imageio::ThrowFormat(path, "cannot save an image of " + std::to_string(bitmap.Width) +
                                       " x " + std::to_string(bitmap.Height) + " pixels");
    const std::uint64_t needed = static_cast<std::uint64_t>(bitmap.BytesPerLine()) *
                                 static_cast<std::uint64_t>(bitmap.Height);
    if (bitmap.Data.size() < needed)
        imageio::ThrowFormat(path, "bitmap data holds " + std::to_string(bitmap.Data.size()) +
                                       " bytes but the image needs " + std::to_string(needed));
}

// The range of the samples and the depth of a PGM or PNG bitmap, which stores its values as
// they are.
void DescribeGrey(const struct_LEAD_Bitmap& bitmap, const char* format, CImageFileInfo& info) {
    info.format = format;
    info.bitsStored = bitmap.BitsPerPixel;
    const std::size_t count = static_cast<std::size_t>(bitmap.Width) * bitmap.Height;
    const bool wide = bitmap.BytesPerSample() == 2;
    long lowest = wide ? 0xFFFF : 0xFF;
    long highest = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const long value =
            wide ? bitmap.Data[2 * i] | (bitmap.Data[2 * i + 1] << 8) : bitmap.Data[i];
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    info.minimum = lowest;
    info.maximum = highest;
}

} // namespace

#ifndef VELLUM_HAVE_DCMTK
std::unique_ptr<struct_LEAD_Bitmap> imageio::LoadDicom(const char* path, CImageFileInfo&) {
    ThrowFormat(path, "a DICOM file, and this build reads no DICOM (built without DCMTK)");
}
#endif

long CImageFileInfo::StoredValue(unsigned sample) const {
    long value = static_cast<long>(sample);
    if (inverted)
        value = ((1L << bitsStored) - 1) - value;
    return value - sampleOffset;
}

bool CanLoadDicom() {
#ifdef VELLUM_HAVE_DCMTK
    return true;
#else
    return false;
#endif
}

std::unique_ptr<struct_LEAD_Bitmap> LoadImageFile(const char* path, CImageFileInfo* info) {
    if (path == nullptr)
        throw CInvalidArgException();
    imageio::FilePtr file(std::fopen(path, "rb"));
    if (!file)
        imageio::ThrowIo(path, errno);
    const std::uint64_t length = FileLength(file.get(), path);

    CImageFileInfo ignored;
    CImageFileInfo& described = info ? *info : ignored;
    described = CImageFileInfo{};
    if (IsDicom(file.get(), path, length)) {
        file.reset();
        return imageio::LoadDicom(path, described);
    }

    unsigned char magic[sizeof kPngSignature] = {};
    errno = 0;
    const std::size_t got = std::fread(magic, 1, sizeof magic, file.get());
    if (got < sizeof magic && std::ferror(file.get()))
        imageio::ThrowIo(path, errno);
    if (got >= 2 && magic[0] == 'P' && magic[1] == '5') {
        if (std::fseek(file.get(), 2, SEEK_SET) != 0)
            imageio::ThrowIo(path, errno);
        auto bitmap = imageio::LoadPgm(file.get(), path, length - 2);
        DescribeGrey(*bitmap, "PGM", described);
        return bitmap;
    }
    if (got == sizeof magic && std::memcmp(magic, kPngSignature, sizeof magic) == 0) {
        auto bitmap = imageio::LoadPng(file.get(), path, length - sizeof magic);
        DescribeGrey(*bitmap, "PNG", described);
        return bitmap;
    }
    imageio::ThrowFormat(path,
                         got == 0 ? "the file is empty" : "not a binary PGM (P5) or PNG image");
}

void SaveImageFile(const char* path, const struct_LEAD_Bitmap& bitmap, ImageFileFormat format) {
    if (path == nullptr)
        throw CInvalidArgException();
    CheckSavable(path, bitmap);
    imageio::FilePtr file(std::fopen(path, "wb"));
    if (!file)
        imageio::ThrowIo(path, errno);
    if (format == ImageFileFormat::Pgm)
        imageio::SavePgm(file.get(), path, bitmap);
    else
        imageio::SavePng(file.get(), path, bitmap);
    // Closing flushes the last buffered bytes, which may fail on a full disk.
    if (std::fclose(file.release()) != 0)
        imageio::ThrowIo(path, errno);
}

} // namespace vellum
