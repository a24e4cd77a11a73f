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
    int BitsPerPixel = 8;          // 8, 12 or 16; 12 and 16 take two bytes per sample
    std::vector<BYTE> Data;        // row 0 first, and row 0 is the image's bottom row
    std::vector<RGBQUAD> Colors;   // indexed by a sample's first byte
    bool HasRegion = false;        // a region set by L_SetBitmapRgnRect
    RECT Region{0, 0, 0, 0};       // in toolkit rows
    int AccessCount = 0;           // L_AccessBitmap calls not yet released

    int BytesPerSample() const { return BitsPerPixel > 8 ? 2 : 1; }
    int BytesPerLine() const { return Width * BytesPerSample(); }
};

using pBITMAPHANDLE = struct_LEAD_Bitmap*;

} // namespace vellum
