#pragma once
// Grey bitmaps built byte by byte for the imaging tests.

#include <vellum/imaging/Bitmap.h>

#include <utility>
#include <vector>

namespace vellum::test {

// A bitmap of the given size and depth; data holds row 0 (the image's bottom row) first.
inline struct_LEAD_Bitmap MakeBitmap(int width, int height, int bits, std::vector<BYTE> data) {
    struct_LEAD_Bitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.BitsPerPixel = bits;
    bitmap.Data = std::move(data);
    return bitmap;
}

} // namespace vellum::test
