#pragma once
// Inside the image file library: what the PGM and PNG codecs share. Not installed.

#include <vellum/imaging/Bitmap.h>
#include <vellum/imaging/io/ImageFile.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vellum::imageio {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void ThrowFormat(const char* path, std::string problem);
// Throws CFileException for the errno value of a failed call.
[[noreturn]] void ThrowIo(const char* path, int error);

// Throws unless the image has pixels and both sides are at most kMaxImageDimension;
// format names the kind of file in the message.
void CheckDimensions(const char* path, const char* format, std::uint64_t width,
                     std::uint64_t height);

// A bitmap of the given size and depth with zeroed samples and the grey colour table. The
// caller has checked the size against the file's data.
std::unique_ptr<struct_LEAD_Bitmap> MakeGreyBitmap(int width, int height, int bitsPerPixel);

// The loaders start after the magic bytes that LoadImageFile has read ("P5", or the 8-byte PNG
// signature); remaining is how many bytes of the file follow them.
std::unique_ptr<struct_LEAD_Bitmap> LoadPgm(std::FILE* file, const char* path,
                                            std::uint64_t remaining);
std::unique_ptr<struct_LEAD_Bitmap> LoadPng(std::FILE* file, const char* path,
                                            std::uint64_t remaining);

// Loads a DICOM file from its path and describes it in info.
std::unique_ptr<struct_LEAD_Bitmap> LoadDicom(const char* path, CImageFileInfo& info);

// The savers get a usable bitmap with pixels and write it to the open file.
void SavePgm(std::FILE* file, const char* path, const struct_LEAD_Bitmap& bitmap);
void SavePng(std::FILE* file, const char* path, const struct_LEAD_Bitmap& bitmap);

} // namespace vellum::imageio
