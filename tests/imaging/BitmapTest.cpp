#include <vellum/imaging/Bitmap.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vellum::test {
namespace {

// A bitmap of the given size and depth; data holds row 0 (the image's bottom row) first.
struct_LEAD_Bitmap MakeBitmap(int width, int height, int bits, std::vector<BYTE> data) {
    struct_LEAD_Bitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.BitsPerPixel = bits;
    bitmap.Data = std::move(data);
    return bitmap;
}

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

// ---------------------------------------------------------------------------------------------
// Access

TEST(BitmapAccess, CountsCallsAndNeverGoesNegative) {
    auto bitmap = Grid();
    EXPECT_EQ(L_AccessBitmap(&bitmap), 1);
    EXPECT_EQ(L_AccessBitmap(&bitmap), 1);
    EXPECT_EQ(bitmap.AccessCount, 2);
    EXPECT_EQ(L_ReleaseBitmap(&bitmap), 1);
    EXPECT_EQ(L_ReleaseBitmap(&bitmap), 1);
    EXPECT_EQ(L_ReleaseBitmap(&bitmap), 1);
    EXPECT_EQ(bitmap.AccessCount, 0);
}

TEST(BitmapAccess, NullBitmapIsRefused) {
    EXPECT_EQ(L_AccessBitmap(nullptr), 0);
    EXPECT_EQ(L_ReleaseBitmap(nullptr), 0);
    EXPECT_EQ(L_FreeBitmapRgn(nullptr), 0);
}

// ---------------------------------------------------------------------------------------------
// Reading one sample

TEST(BitmapRowCol, ToolkitRowZeroIsTheFirstRowOfData) {
    auto bitmap = Grid();
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            BYTE sample = 0xEE;
            EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, row, column, 1), 1);
            EXPECT_EQ(sample, 10 * row + column) << row << "," << column;
        }
}

TEST(BitmapRowCol, TwoByteSamplesAreLittleEndianAndBytesAreCapped) {
    // 2 x 1, 16 bits: 0x0102 and 0xABCD.
    auto bitmap = MakeBitmap(2, 1, 16, {0x02, 0x01, 0xCD, 0xAB});
    std::array<BYTE, 4> buffer{0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(L_GetBitmapRowCol(&bitmap, buffer.data(), 0, 1, 4), 2);
    EXPECT_EQ(buffer, (std::array<BYTE, 4>{0xCD, 0xAB, 0xEE, 0xEE}));
    buffer.fill(0xEE);
    EXPECT_EQ(L_GetBitmapRowCol(&bitmap, buffer.data(), 0, 0, 1), 1);
    EXPECT_EQ(buffer, (std::array<BYTE, 4>{0x02, 0xEE, 0xEE, 0xEE}));
}

TEST(BitmapRowCol, TwelveBitSamplesTakeTwoBytes) {
    auto bitmap = MakeBitmap(2, 1, 12, {0x34, 0x02, 0xFF, 0x0F});
    std::array<BYTE, 2> buffer{};
    EXPECT_EQ(L_GetBitmapRowCol(&bitmap, buffer.data(), 0, 1, 2), 2);
    EXPECT_EQ(buffer, (std::array<BYTE, 2>{0xFF, 0x0F}));
}

TEST(BitmapRowCol, OutsideTheImageReadsNothing) {
    auto bitmap = Grid();
    const std::pair<int, int> outside[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 4}, {-1, -1}, {3, 4}};
    for (const auto& [row, column] : outside) {
        BYTE sample = 0xEE;
        EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, row, column, 1), 0) << row << "," << column;
        EXPECT_EQ(sample, 0xEE);
    }
}

TEST(BitmapRowCol, BadArgumentsReadNothing) {
    auto bitmap = Grid();
    BYTE sample = 0xEE;
    EXPECT_EQ(L_GetBitmapRowCol(nullptr, &sample, 0, 0, 1), 0);
    EXPECT_EQ(L_GetBitmapRowCol(&bitmap, nullptr, 0, 0, 1), 0);
    EXPECT_EQ(L_GetBitmapRowCol(&bitmap, &sample, 0, 0, 0), 0);
    EXPECT_EQ(sample, 0xEE);
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
        const RECT rect{0, 0, 1, 1};
        EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 0);
        EXPECT_FALSE(bitmap.HasRegion);
    }
}

// ---------------------------------------------------------------------------------------------
// Regions

TEST(BitmapRegion, StoresTheRectangleInToolkitRows) {
    auto bitmap = Grid();
    const RECT rect{1, 0, 3, 2};
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    EXPECT_TRUE(bitmap.HasRegion);
    EXPECT_EQ(bitmap.Region.left, 1);
    EXPECT_EQ(bitmap.Region.top, 0);
    EXPECT_EQ(bitmap.Region.right, 3);
    EXPECT_EQ(bitmap.Region.bottom, 2);
}

TEST(BitmapRegion, IsClippedToTheImageAndReplacesTheLastOne) {
    auto bitmap = Grid();
    const RECT first{0, 0, 1, 1};
    const RECT second{-5, 2, 100, 100};
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &first, L_RGN_SET), 1);
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &second, L_RGN_SET), 1);
    EXPECT_EQ(bitmap.Region.left, 0);
    EXPECT_EQ(bitmap.Region.top, 2);
    EXPECT_EQ(bitmap.Region.right, 4);
    EXPECT_EQ(bitmap.Region.bottom, 3);
}

TEST(BitmapRegion, RefusedRectanglesLeaveTheRegionAlone) {
    auto bitmap = Grid();
    const RECT kept{1, 1, 2, 2};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &kept, L_RGN_SET), 1);
    const RECT refused[] = {
        {2, 1, 2, 3},   // no width
        {1, 2, 3, 2},   // no height
        {3, 0, 1, 2},   // inverted
        {4, 0, 6, 3},   // right of the image
        {0, 3, 4, 5},   // above the image's top row
        {-3, -3, 0, 0}, // before the first column and row
    };
    for (const RECT& rect : refused) {
        EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 0)
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        EXPECT_TRUE(bitmap.HasRegion);
        EXPECT_EQ(bitmap.Region.left, 1);
        EXPECT_EQ(bitmap.Region.right, 2);
    }
}

TEST(BitmapRegion, BadArgumentsAreRefused) {
    auto bitmap = Grid();
    const RECT rect{0, 0, 2, 2};
    int transform = 0;
    EXPECT_EQ(L_SetBitmapRgnRect(nullptr, nullptr, &rect, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, nullptr, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, &transform, &rect, L_RGN_SET), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, 0), 0);
    EXPECT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, 2), 0);
    EXPECT_FALSE(bitmap.HasRegion);
}

TEST(BitmapRegion, FreeingRemovesTheRegion) {
    auto bitmap = Grid();
    const RECT rect{0, 0, 2, 2};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    EXPECT_EQ(L_FreeBitmapRgn(&bitmap), 1);
    EXPECT_FALSE(bitmap.HasRegion);
    EXPECT_EQ(bitmap.Region.right, 0);
    EXPECT_EQ(bitmap.Region.bottom, 0);
    EXPECT_EQ(L_FreeBitmapRgn(&bitmap), 1);
}

// ---------------------------------------------------------------------------------------------
// Histograms

TEST(BitmapHistogram, WholeImageWithoutRegion) {
    auto bitmap = MakeBitmap(3, 2, 8, {7, 7, 0, 255, 7, 0});
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{0, 2}, {7, 3}, {255, 1}}));
}

TEST(BitmapHistogram, RegionExcludesRightAndBottomEdges) {
    auto bitmap = Grid();
    // Toolkit rows 1 and 2, columns 1 and 2.
    const RECT rect{1, 1, 3, 3};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{11, 1}, {12, 1}, {21, 1}, {22, 1}}));
}

TEST(BitmapHistogram, RowsCountFromTheBottomOfTheImage) {
    auto bitmap = Grid();
    // Toolkit row 0 only: the first row of Data.
    const RECT rect{0, 0, 4, 1};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    Counts counts{};
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
}

TEST(BitmapHistogram, ClippedRegionAndFreedRegion) {
    auto bitmap = Grid();
    const RECT rect{2, 1, 50, 50};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    Counts counts{};
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{12, 1}, {13, 1}, {22, 1}, {23, 1}}));

    ASSERT_EQ(L_FreeBitmapRgn(&bitmap), 1);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{0, 1},
                                {1, 1},
                                {2, 1},
                                {3, 1},
                                {10, 1},
                                {11, 1},
                                {12, 1},
                                {13, 1},
                                {20, 1},
                                {21, 1},
                                {22, 1},
                                {23, 1}}));
}

TEST(BitmapHistogram, RegionWrittenDirectlyIsClipped) {
    auto bitmap = Grid();
    bitmap.HasRegion = true;
    bitmap.Region = RECT{3, -7, 9, 1};
    Counts counts{};
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{3, 1}}));
}

TEST(BitmapHistogram, DeepSamplesCountByTheirWholeValue) {
    // 16 bits, 256 levels a bin: 0x0102 and 0x01FF in bin 1, 0x00FF in bin 0, 0xFF02 in 255.
    auto bitmap = MakeBitmap(2, 2, 16, {0x02, 0x01, 0xFF, 0x01, 0xFF, 0x00, 0x02, 0xFF});
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{0, 1}, {1, 2}, {255, 1}}));

    // 12 bits, 16 levels a bin: 0x0F10 (3856) in bin 241, 0x0110 (272) in bin 17, 0x0FFF the
    // deepest level in bin 255, 0x000F in bin 0.
    auto twelve = MakeBitmap(4, 1, 12, {0x10, 0x0F, 0x10, 0x01, 0xFF, 0x0F, 0x0F, 0x00});
    EXPECT_EQ(L_GetBitmapHistogram(&twelve, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{0, 1}, {17, 1}, {241, 1}, {255, 1}}));
}

TEST(BitmapHistogram, TwelveBitSampleAboveTheDepthIsRefused) {
    // 0x1000 = 4096 needs 13 bits; it lies in the region's last column.
    auto bitmap = MakeBitmap(3, 1, 12, {0x00, 0x01, 0x00, 0x02, 0x00, 0x10});
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 0);
    EXPECT_EQ(counts, Marked());
    // Outside the region it does not matter.
    const RECT rect{0, 0, 2, 1};
    ASSERT_EQ(L_SetBitmapRgnRect(&bitmap, nullptr, &rect, L_RGN_SET), 1);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{16, 1}, {32, 1}}));
}

TEST(BitmapHistogram, LongRowsCountEverySampleOnce) {
    // 11 samples: the partial tables take four at a time, the rest goes alone.
    auto bitmap = MakeBitmap(11, 1, 8, {5, 5, 5, 5, 5, 5, 5, 5, 5, 9, 9});
    Counts counts{};
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Expected({{5, 9}, {9, 2}}));
}

TEST(BitmapHistogram, EmptyImageCountsNothing) {
    auto bitmap = MakeBitmap(0, 0, 8, {});
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), HISTOGRAM_CHANNEL_GREY), 1);
    EXPECT_EQ(counts, Counts{});
}

TEST(BitmapHistogram, BadArgumentsLeaveTheCountsAlone) {
    auto bitmap = Grid();
    Counts counts = Marked();
    EXPECT_EQ(L_GetBitmapHistogram(nullptr, counts.data(), HISTOGRAM_CHANNEL_GREY), 0);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, nullptr, HISTOGRAM_CHANNEL_GREY), 0);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), 0), 0);
    EXPECT_EQ(L_GetBitmapHistogram(&bitmap, counts.data(), 2), 0);
    EXPECT_EQ(counts, Marked());
}

// ---------------------------------------------------------------------------------------------
// Colour table

TEST(BitmapColors, CopiesTheTableAndZeroesEntriesBeyondIt) {
    auto bitmap = Grid();
    bitmap.Colors = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    std::vector<RGBQUAD> out(5, RGBQUAD{0xEE, 0xEE, 0xEE, 0xEE});
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 0, 5, out.data()), 3);
    const BYTE expected[5][4] = {
        {1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(out[i].rgbBlue, expected[i][0]) << i;
        EXPECT_EQ(out[i].rgbGreen, expected[i][1]) << i;
        EXPECT_EQ(out[i].rgbRed, expected[i][2]) << i;
        EXPECT_EQ(out[i].rgbReserved, expected[i][3]) << i;
    }
}

TEST(BitmapColors, StartsAtTheFirstIndexAndCopiesNoMoreThanAsked) {
    auto bitmap = Grid();
    bitmap.Colors = {{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}};
    std::vector<RGBQUAD> out(3, RGBQUAD{0xEE, 0xEE, 0xEE, 0xEE});
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 1, 1, out.data()), 1);
    EXPECT_EQ(out[0].rgbRed, 2);
    EXPECT_EQ(out[1].rgbRed, 0xEE);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 7, 2, out.data()), 0);
    EXPECT_EQ(out[0].rgbRed, 0);
    EXPECT_EQ(out[1].rgbBlue, 0);
    EXPECT_EQ(out[2].rgbRed, 0xEE);
}

TEST(BitmapColors, BadArgumentsLeaveTheBufferAlone) {
    auto bitmap = Grid();
    bitmap.Colors = {{1, 1, 1, 0}};
    RGBQUAD out{0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(L_GetBitmapColors(nullptr, 0, 1, &out), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 0, 1, nullptr), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, -1, 1, &out), 0);
    EXPECT_EQ(L_GetBitmapColors(&bitmap, 0, -1, &out), 0);
    EXPECT_EQ(out.rgbRed, 0xEE);
}

} // namespace
} // namespace vellum::test
