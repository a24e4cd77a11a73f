#pragma once
// Small grey images for the density tests, written as they are seen: rows top first.

#include <vellum/imaging/Bitmap.h>

#include <cstddef>
#include <vector>

namespace vellum::test {

// A bitmap whose samples are given top row first (the toolkit's Data holds the bottom row
// first); 12- and 16-bit samples are stored in two bytes, low byte first. The colour table
// is the grey ramp: entry i is (i, i, i).
inline struct_LEAD_Bitmap GreyBitmap(int width, int height, int bits,
                                     const std::vector<unsigned>& topRowFirst) {
    struct_LEAD_Bitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.BitsPerPixel = bits;
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const unsigned v = topRowFirst[static_cast<std::size_t>(row * width + column)];
            bitmap.Data.push_back(static_cast<BYTE>(v & 0xFF));
            if (bits > 8)
                bitmap.Data.push_back(static_cast<BYTE>(v >> 8));
        }
    }
    for (int i = 0; i < 256; ++i)
        bitmap.Colors.push_back(
            RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    return bitmap;
}

} // namespace vellum::test
