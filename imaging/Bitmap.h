#pragma once
// The imaging toolkit's bitmap handle, as the density classes and the window see it: an image
// of 8, 12 or 16 bits per grey sample whose rows the toolkit numbers from the BOTTOM (row 0 is
// the image's last row), with a colour table that maps a sample's first byte to a colour, and
// an optional rectangular region for histograms. Vellum never owns a bitmap.

#include <vellum/platform/Types.h>

#include <vector>

namespace vellum {

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct struct_LEAD_Bitmap {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 8;        // 8, 12 or 16; 12 and 16 take two bytes per sample
    std::vector<BYTE> Data;      // row 0 first, and row 0 is the image's bottom row
    std::vector<RGBQUAD> Colors; // indexed by a sample's first byte
    bool HasRegion = false;      // a region set by L_SetBitmapRgnRect
    RECT Region{0, 0, 0, 0};     // in toolkit rows
    int AccessCount = 0;         // L_AccessBitmap calls not yet released

    int BytesPerSample() const { return BitsPerPixel > 8 ? 2 : 1; }
    int BytesPerLine() const { return Width * BytesPerSample(); }
};

using pBITMAPHANDLE = struct_LEAD_Bitmap*;

// The toolkit operations the density classes use. Every one answers 0 for a null bitmap, and
// those that touch pixels (region, histogram, sample reads) answer 0 for a bitmap that is not
// usable too: bits per pixel other than 8, 12 or 16, a negative size, or Data shorter than
// Width * Height samples. Samples of 12 and 16 bits take two bytes each, stored little-endian
// (low byte first), and rows follow each other without padding.

// The combine mode L_SetBitmapRgnRect accepts: the rectangle replaces any region.
constexpr UINT L_RGN_SET = 1;
// The channel L_GetBitmapHistogram accepts: the grey samples.
constexpr UINT HISTOGRAM_CHANNEL_GREY = 1;

// Begin and end access to the pixels. They only count the calls (AccessCount, never below 0);
// the other operations work whether or not access has begun. Answer 1, or 0 for null.
int L_AccessBitmap(pBITMAPHANDLE bitmap);
int L_ReleaseBitmap(pBITMAPHANDLE bitmap);

// Makes the rectangle the bitmap's region, replacing any region. The rectangle is in toolkit
// rows: top and bottom are row numbers counted from the image's BOTTOM row, left and right are
// columns, and the rectangle holds rows top <= row < bottom and columns left <= column < right
// (right and bottom exclusive). It is clipped to the image before it is stored. Answers 1, or
// 0 and leaves the bitmap alone for a null bitmap or rectangle, a transform (none is
// supported: pass null), a combine mode other than L_RGN_SET, or a rectangle that is empty or
// inverted, or empty once clipped.
int L_SetBitmapRgnRect(pBITMAPHANDLE bitmap, void* transform, const RECT* rect, UINT combineMode);

// Fills counts[0..255] with how many pixels of the region (the whole image when there is no
// region) fall in each of 256 equal bins spanning the image's full depth: an 8-bit sample v
// in bin v, a 12-bit one in bin v >> 4, a 16-bit one in bin v >> 8. A deep radiograph is thus
// counted by its whole value, not by its low byte, and bin b of a 16-bit image holds the
// levels 256·b to 256·b + 255. Answers 1, or 0 with counts untouched for a null bitmap or
// buffer, a channel other than HISTOGRAM_CHANNEL_GREY, or a region holding a sample above the
// declared depth (a 12-bit sample of 4096 or more), which no bin could hold.
int L_GetBitmapHistogram(pBITMAPHANDLE bitmap, DWORD* counts, UINT channel);

// Removes the region, so that histograms cover the whole image again. Answers 1, or 0 for null.
int L_FreeBitmapRgn(pBITMAPHANDLE bitmap);

// Copies colour-table entries first .. first + count - 1 into out; entries beyond the table
// come out as zeros. Answers how many entries came from the table, or 0 with out untouched
// for a null bitmap or buffer or a negative first or count.
int L_GetBitmapColors(pBITMAPHANDLE bitmap, int first, int count, RGBQUAD* out);

// Copies the first min(bytes, bytes per sample) bytes of the sample at the toolkit row (counted
// from the bottom) and column into buffer, and answers how many. Answers 0 with buffer
// untouched outside the image or for a null bitmap or buffer.
int L_GetBitmapRowCol(pBITMAPHANDLE bitmap, BYTE* buffer, int row, int column, UINT bytes);

} // namespace vellum
