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
// DICOM (through DCMTK, when the library was built with it; told apart by "DICM" after the
// 128-byte preamble): the first frame of a MONOCHROME1 or MONOCHROME2 image of 1 to 16 bits
// stored, signed or unsigned, in any transfer syntax whose decoder DCMTK has (uncompressed
// little- and big-endian, RLE, JPEG). The bitmap gets 8 bits for up to 8 bits stored, 12 for
// up to 12 and 16 above. Its samples are arranged so that a higher sample is always brighter:
// signed values are shifted up by half their range and MONOCHROME1 is inverted (see
// CImageFileInfo). Colour images are refused.
//
// Errors: a file that cannot be opened, read or written throws CFileException with the path;
// everything else throws CImageFormatException, whose one-line message names the file and the
// problem. Width and height are at most kMaxImageDimension, and no image is allocated that the
// file's remaining bytes could not fill (for PNG, at deflate's best ratio of 1032 to 1).

#include <vellum/imaging/Bitmap.h>
#include <vellum/imaging/io/ImageFormatException.h>

#include <memory>
#include <string>

namespace vellum {

enum class ImageFileFormat { Pgm, Png };

constexpr int kMaxImageDimension = 1000000;

// What a file says about its samples beyond the bitmap.
struct CImageFileInfo {
    std::string format;                      // "PGM", "PNG" or "DICOM"
    int bitsStored = 8;                      // significant bits of a stored value
    bool isSigned = false;                   // stored values are two's complement
    std::string photometric = "MONOCHROME2"; // MONOCHROME1: the lowest value is white
    long minimum = 0;                        // smallest and largest stored value
    long maximum = 0;
    double rescaleSlope = 1.0; // output value = stored value * slope + intercept
    double rescaleIntercept = 0.0;
    bool hasSpacing = false; // Pixel Spacing or Imager Pixel Spacing was given
    double pixelsPerMmX = 0.0;
    double pixelsPerMmY = 0.0;
    // A bitmap sample is made from a stored value by adding sampleOffset and then, when
    // inverted, subtracting the result from 2^bitsStored - 1.
    long sampleOffset = 0;
    bool inverted = false;

    // The stored value that became this bitmap sample.
    long StoredValue(unsigned sample) const;
};

// Loads a PGM, PNG or DICOM file, told apart by their first bytes, not by the file name, and
// describes it in *info when info is not null.
std::unique_ptr<struct_LEAD_Bitmap> LoadImageFile(const char* path, CImageFileInfo* info = nullptr);
// True when the library reads DICOM files.
bool CanLoadDicom();

// Writes the bitmap as a PGM or PNG file, replacing any file of that name: 8-bit bitmaps as
// 8-bit images, 12- and 16-bit bitmaps as 16-bit images (PGM maxval 255 or 65535), the
// bitmap's bottom row last. Sample values are written unchanged; the colour table and the
// region are not stored. Throws CImageFormatException for a bitmap that is not usable (see
// Bitmap.h), has no pixels or is wider or taller than kMaxImageDimension.
void SaveImageFile(const char* path, const struct_LEAD_Bitmap& bitmap, ImageFileFormat format);

} // namespace vellum
