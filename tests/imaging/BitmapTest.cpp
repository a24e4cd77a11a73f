#include "support/Bitmaps.h"

#include <vellum/platform/Rect.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace vellum::test {
namespace {

// 4 x 3, 8 bits: sample = 10 * toolkit row + column.
struct_LEAD_Bitmap Grid() {
    return MakeBitmap(4, 3, 8, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23});
}

using Counts = std::array<DWORD, 256>;

// Counts filled with a marker, so that untouched and zeroed entries differ.
Counts Marked() {
    Counts counts;
    counts.fill(0xDEADBEEF);
    return counts;
}

// The histogram with every bin listed: (index, count) pairs, the rest zero.
Counts Expected(std::initializer_list<std::pair<int, DWORD>> bins) {
    Counts counts{};
    for (const auto& bin : bins)
        counts[static_cast<std::size_t>(bin.first)] = bin.second;
    return counts;
}

bool SetRegion(struct_LEAD_Bitmap& bitmap, RECT rect) {
    return L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET) == 1;
}

TEST(BitmapRowCol, ReadsSamplesByToolkitRow) {
    auto bitmap = Grid();
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            BYTE sample = 0xEE;
            EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, row, column, 1), 1);
            EXPECT_EQ(sample, 10 * row + column) << row << "," << column;
        }
    // Outside the image nothing is read.
    const std::pair<int, int> outside[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 4}};
    for (const auto& [row, column] : outside) {
        BYTE sample = 0xEE;
        EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, row, column, 1), 0) << row << "," << column;
        EXPECT_EQ(sample, 0xEE);
    }

    // Two-byte samples are little-endian; no more bytes than a sample are copied.
    auto wide = MakeBitmap(2, 1, 16, {0x02, 0x01, 0xCD, 0xAB});
    std::array<BYTE, 4> buffer{0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(L_GetBitmapRowCol(&wide, buffer.data(), 0, 1, 4), 2);
    EXPECT_EQ(buffer, (std::array<BYTE, 4>{0xCD, 0xAB, 0xEE, 0xEE}));
    EXPECT_EQ(L_GetBitmapRowCol(&wide, buffer.data(), 0, 0, 1), 1);
    EXPECT_EQ(buffer[0], 0x02);
    EXPECT_EQ(buffer[1], 0xAB);
}

TEST(BitmapRowCol, UnusableBitmapsReadNothing) {
    std::vector<struct_LEAD_Bitmap> unusable;
    unusable.push_back(MakeBitmap(4, 3, 8, std::vector<BYTE>(11)));  // data one byte short
    unusable.push_back(MakeBitmap(2, 1, 16, std::vector<BYTE>(3)));  // half a sample missing
    unusable.push_back(MakeBitmap(4, 3, 24, std::vector<BYTE>(36))); // unknown depth
    unusable.push_back(MakeBitmap(-4, 3, 8, std::vector<BYTE>(12))); // negative width
    for (auto& bitmap : unusable) {
        BYTE sample = 0xEE;
        EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, 0, 0, 1), 0);
        EXPECT_EQ(sample, 0xEE);
        Counts counts = Marked();
        EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 0);
        EXPECT_EQ(counts, Marked());
        EXPECT_FALSE(SetRegion(bitmap, RECT{0, 0, 1, 1}));
        EXPECT_FALSE(bitmap.HasRegion);
    }
}

TEST(BitmapRegion, IsClippedToTheImageAndRefusedWhenEmpty) {
    auto bitmap = Grid();
    ASSERT_TRUE(SetRegion(bitmap, RECT{0, 0, 1, 1}));
    ASSERT_TRUE(SetRegion(bitmap, RECT{-5, 1, 100, 100})); // replaces the first
    EXPECT_TRUE(bitmap.HasRegion);
    EXPECT_EQ(CRect(bitmap.Region), CRect(0, 1, 4, 3));

    const RECT refused[] = {
        {2, 1, 2, 3},   // no width
        {1, 2, 3, 2},   // no height
        {3, 0, 1, 2},   // inverted
        {4, 0, 6, 3},   // right of the image
        {0, 3, 4, 5},   // above the image's top row
        {-3, -3, 0, 0}, // before the first column and row
    };
    for (const RECT& rect : refused) {
        EXPECT_FALSE(SetRegion(bitmap, rect))
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        EXPECT_EQ(CRect(bitmap.Region), CRect(0, 1, 4, 3));
    }

    // Bad arguments.
    auto plain = Grid();
    const RECT rect{0, 0, 2, 2};
    int transform = 0;
    EXPECT_EQ(L_SetBitmapRgnRect(nullptr, nullptr, &rect, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&plain, nullptr, nullptr, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&plain, &transform, &rect, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&plain, nullptr, &rect, 2), 0);
    EXPECT_FALSE(plain.HasRegion);
}

TEST(BitmapHistogram, CountsTheRegionWithoutItsRightAndBottomEdges) {
    struct Row {
        const char* what;
        struct_LEAD_Bitmap bitmap;
        std::optional<RECT> region;
        int result;
        Counts expected;
    };
    const auto mixed = MakeBitmap(3, 2, 8, {7, 7, 0, 255, 7, 0});
    // The partial tables take four samples at a time, the rest goes alone.
    const auto eleven = MakeBitmap(11, 1, 8, {5, 5, 5, 5, 5, 5, 5, 5, 5, 9, 9});
    // 16 bits, 256 levels a bin: 0x0102 and 0x01FF in bin 1, 0x00FF in 0, 0xFF02 in 255.
    const auto deep = MakeBitmap(2, 2, 16, {0x02, 0x01, 0xFF, 0x01, 0xFF, 0x00, 0x02, 0xFF});
    // 12 bits, 16 levels a bin: 0x0F10 (3856) in bin 241, 0x0110 (272) in 17, 0x0FFF the
    // deepest level in 255, 0x000F in 0.
    const auto twelve = MakeBitmap(4, 1, 12, {0x10, 0x0F, 0x10, 0x01, 0xFF, 0x0F, 0x0F, 0x00});
    // 0x1000 = 4096 needs 13 bits: refused in the region's last column, ignored outside it.
    const auto tooDeep = MakeBitmap(3, 1, 12, {0x00, 0x01, 0x00, 0x02, 0x00, 0x10});
    const Row rows[] = {
        {"whole image", mixed, {}, 1, Expected({{0, 2}, {7, 3}, {255, 1}})},
        {"rows 1 and 2, columns 1 and 2", Grid(), RECT{1, 1, 3, 3}, 1,
         Expected({{11, 1}, {12, 1}, {21, 1}, {22, 1}})},
        {"toolkit row 0, the first of the data", Grid(), RECT{0, 0, 4, 1}, 1,
         Expected({{0, 1}, {1, 1}, {2, 1}, {3, 1}})},
        {"clipped", Grid(), RECT{2, 1, 50, 50}, 1, Expected({{12, 1}, {13, 1}, {22, 1}, {23, 1}})},
        {"eleven samples", eleven, {}, 1, Expected({{5, 9}, {9, 2}})},
        {"empty image", MakeBitmap(0, 0, 8, {}), {}, 1, Counts{}},
        {"16 bits", deep, {}, 1, Expected({{0, 1}, {1, 2}, {255, 1}})},
        {"12 bits", twelve, {}, 1, Expected({{0, 1}, {17, 1}, {241, 1}, {255, 1}})},
        {"12 bits, a sample too deep", tooDeep, {}, 0, Marked()},
        {"12 bits, too deep outside the region", tooDeep, RECT{0, 0, 2, 1}, 1,
         Expected({{16, 1}, {32, 1}})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto bitmap = row.bitmap;
        if (row.region) {
            ASSERT_TRUE(SetRegion(bitmap, *row.region));
        }
        Counts counts = Marked();
        EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), row.result);
        EXPECT_EQ(counts, row.expected);
    }
}

TEST(BitmapHistogram, BadArgumentsLeaveTheCountsAlone) {
    auto bitmap = Grid();
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(nullptr, counts.data(), HISTOGRAM_CHANNEL_GREY), 0);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, nullptr, HISTOGRAM_CHANNEL_GREY), 0);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), 2), 0);
    EXPECT_EQ(counts, Marked());
}

TEST(BitmapColors, CopiesFromTheFirstIndexAndZeroesEntriesBeyondTheTable) {
    auto bitmap = Grid();
    bitmap.Colors = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    std::vector<RGBQUAD> out(5, RGBQUAD{0xEE, 0xEE, 0xEE, 0xEE});
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 1, 3, out.data()), 2);
    EXPECT_EQ(out[0].rgbBlue, 4);
    EXPECT_EQ(out[0].rgbRed, 6);
    EXPECT_EQ(out[1].rgbGreen, 8);
    EXPECT_EQ(out[2].rgbRed, 0);
    EXPECT_EQ(out[2].rgbBlue, 0);
    EXPECT_EQ(out[3].rgbRed, 0xEE); // no more than asked
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 7, 1, out.data()), 0);
    EXPECT_EQ(out[0].rgbBlue, 0);

    RGBQUAD one{0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(L_GetBitmapColors(nullptr, 0, 1, &one), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 0, 1, nullptr), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, -1, 1, &one), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 0, -1, &one), 0);
    EXPECT_EQ(one.rgbRed, 0xEE);
}

} // namespace
} // namespace vellum::test
