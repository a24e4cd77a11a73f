#pragma once
// Grey image files in and out of the bitmap handle: binary PGM (P5) and PNG, 8 or 16 bits per
// sample. A loaded bitmap has its rows numbered from the BOTTOM as the toolkit numbers them
// (Data starts with the image's last row), 8 or 16 bits per pixel with 2-byte samples stored
// little-endian, and a grey colour table of 256 entries (entry i is (i, i, i)). Sample values
// are kept as the file stores them, never rescaled to another maximum.
//
// PGM: the header is "P5", width, height and maxval separated by white space, where '#'
// starts a comment that runs to the end of the line, then one white-space byte and the
// samples, top row first. maxval 1..255 gives 8 bits, 256..65535 gives 16 bits (samples
// stored big-endian in the file). Only the first image of a file is read.
//
// PNG (through libpng): grey images of 8 and 16 bits load as they are; grey of 1, 2 and 4
// bits is expanded to 8 bits, scaled to the full range (a 1-bit 1 becomes 255). Palette, grey
// with alpha, RGB and RGB with alpha are refused. Interlaced images load like the others;
// transparency, gamma and significant-bits chunks are ignored.
//
// Errors: a file that cannot be opened, read or written throws CFileException with the path;
// everything else throws CImageFormatException, whose one-line message names the file and the
// problem. Width and height are at most kMaxImageDimension, and no image is allocated that the
// file's remaining bytes could not fill (for PNG, at deflate's best ratio of 1032 to 1).

#include <vellum/imaging/Bitmap.h>
#include <vellum/imaging/io/ImageFormatException.h>

#include <memory>

namespace vellum {

enum class ImageFileFormat { Pgm, Png };

constexpr int kMaxImageDimension = 1000000;

// Loads a PGM or PNG file, told apart by their first bytes, not by the file name.
std::unique_ptr<struct_LEAD_Bitmap> LoadImageFile(const char* path);

// Writes the bitmap as a PGM or PNG file, replacing any file of that name: 8-bit bitmaps as
// 8-bit images, 12- and 16-bit bitmaps as 16-bit images (PGM maxval 255 or 65535), the
// bitmap's bottom row last. Sample values are written unchanged; the colour table and the
// region are not stored. Throws CImageFormatException for a bitmap that is not usable (see
// Bitmap.h), has no pixels or is wider or taller than kMaxImageDimension.
void SaveImageFile(const char* path, const struct_LEAD_Bitmap& bitmap, ImageFileFormat format);

} // namespace vellum
