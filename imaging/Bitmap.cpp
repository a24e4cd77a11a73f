#include <vellum/imaging/Bitmap.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vellum {

namespace {

// True when the fields describe an image whose every sample lies inside Data, so that the
// operations can index Data without further checks.
bool IsUsable(const struct_LEAD_Bitmap* bitmap) {
    if (bitmap == nullptr || bitmap->Width < 0 || bitmap->Height < 0)
        return false;
    if (bitmap->BitsPerPixel != 8 && bitmap->BitsPerPixel != 12 && bitmap->BitsPerPixel != 16)
        return false;
    const std::uint64_t samples =
        static_cast<std::uint64_t>(bitmap->Width) * static_cast<std::uint64_t>(bitmap->Height);
    return samples * static_cast<std::uint64_t>(bitmap->BytesPerSample()) <= bitmap->Data.size();
}

// The offset in Data of the sample at a toolkit row and column that lie inside the image.
std::size_t SampleOffset(const struct_LEAD_Bitmap& bitmap, int row, int column) {
    const auto bytes = static_cast<std::size_t>(bitmap.BytesPerSample());
    return (static_cast<std::size_t>(row) * static_cast<std::size_t>(bitmap.Width) +
            static_cast<std::size_t>(column)) *
           bytes;
}

// The rectangle clipped to the image, in toolkit rows.
RECT ClipToImage(const RECT& rect, const struct_LEAD_Bitmap& bitmap) {
    return RECT{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                std::min<LONG>(rect.right, bitmap.Width),
                std::min<LONG>(rect.bottom, bitmap.Height)};
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The 2-byte sample i of a row, stored low byte first.
std::uint32_t SampleAt(const BYTE* samples, std::size_t i) {
    return static_cast<std::uint32_t>(samples[2 * i]) |
           static_cast<std::uint32_t>(samples[2 * i + 1]) << 8;
}

// Counting into one table stalls whenever neighbouring samples share a bin (flat areas, the
// common case in a radiograph): each increment must wait for the store of the one before.
// Consecutive samples therefore go to different tables, merged once at the end.
class CPartialHistograms {
public:
    template <class BinOf> void Count(std::size_t count, BinOf binOf) {
        std::size_t i = 0;
        for (; i + kTables <= count; i += kTables)
            for (std::size_t t = 0; t < kTables; ++t)
                ++m_tables[t][binOf(i + t)];
        for (; i < count; ++i)
            ++m_tables[0][binOf(i)];
    }

    void MergeInto(DWORD* counts) const {
        for (std::size_t bin = 0; bin < 256; ++bin) {
            DWORD sum = 0;
            for (const auto& table : m_tables)
                sum += table[bin];
            counts[bin] = sum;
        }
    }

private:
    static constexpr std::size_t kTables = 4;
    DWORD m_tables[kTables][256] = {};
};

} // namespace

int L_AccessBitmap(pBITMAPHANDLE bitmap) {
    if (bitmap == nullptr)
        return 0;
    ++bitmap->AccessCount;
    return 1;
}

int L_ReleaseBitmap(pBITMAPHANDLE bitmap) {
    if (bitmap == nullptr)
        return 0;
    bitmap->AccessCount = std::max(bitmap->AccessCount - 1, 0);
    return 1;
}

int L_SetBitmapRgnRect(pBITMAPHANDLE bitmap, void* transform, const RECT* rect, UINT combineMode) {
    if (!IsUsable(bitmap) || transform != nullptr || rect == nullptr || combineMode != L_RGN_SET)
        return 0;
    if (IsEmpty(*rect))
        return 0;
    const RECT clipped = ClipToImage(*rect, *bitmap);
    if (IsEmpty(clipped))
        return 0;
    bitmap->Region = clipped;
    bitmap->HasRegion = true;
    return 1;
}

int L_GetBitmapHistogram(pBITMAPHANDLE bitmap, DWORD* counts, UINT channel) {
    if (!IsUsable(bitmap) || counts == nullptr || channel != HISTOGRAM_CHANNEL_GREY)
        return 0;
    // The stored region is clipped again: a caller may have written the field directly.
    const RECT area = ClipToImage(
        bitmap->HasRegion ? bitmap->Region : RECT{0, 0, bitmap->Width, bitmap->Height}, *bitmap);
    CPartialHistograms partial;
    std::uint32_t seen = 0; // every sample ORed together, to find one above the depth
    for (LONG row = area.top; row < area.bottom; ++row) {
        const BYTE* samples = bitmap->Data.data() + SampleOffset(*bitmap, row, area.left);
        const auto count = static_cast<std::size_t>(area.right - area.left);
        switch (bitmap->BitsPerPixel) {
        case 8:
            partial.Count(count, [samples](std::size_t i) { return samples[i]; });
            break;
        case 12:
            partial.Count(count, [samples, &seen](std::size_t i) {
                const std::uint32_t value = SampleAt(samples, i);
                seen |= value;
                return (value >> 4) & 0xFF;
            });
            break;
        default:
            partial.Count(count, [samples](std::size_t i) { return samples[2 * i + 1]; });
            break;
        }
    }
    if (seen >> bitmap->BitsPerPixel)
        return 0;
    partial.MergeInto(counts);
    return 1;
}

int L_FreeBitmapRgn(pBITMAPHANDLE bitmap) {
    if (bitmap == nullptr)
        return 0;
    bitmap->HasRegion = false;
    bitmap->Region = RECT{0, 0, 0, 0};
    return 1;
}

int L_GetBitmapColors(pBITMAPHANDLE bitmap, int first, int count, RGBQUAD* out) {
    if (bitmap == nullptr || out == nullptr || first < 0 || count < 0)
        return 0;
    const std::size_t table = bitmap->Colors.size();
    const std::size_t start = std::min(static_cast<std::size_t>(first), table);
    const std::size_t copied = std::min(static_cast<std::size_t>(count), table - start);
    std::copy_n(bitmap->Colors.begin() + static_cast<std::ptrdiff_t>(start), copied, out);
    std::fill(out + copied, out + count, RGBQUAD{0, 0, 0, 0});
    return static_cast<int>(copied);
}

int L_GetBitmapRowCol(pBITMAPHANDLE bitmap, BYTE* buffer, int row, int column, UINT bytes) {
    if (!IsUsable(bitmap) || buffer == nullptr)
        return 0;
    if (row < 0 || row >= bitmap->Height || column < 0 || column >= bitmap->Width)
        return 0;
    const UINT copied = std::min(bytes, static_cast<UINT>(bitmap->BytesPerSample()));
    std::copy_n(bitmap->Data.begin() +
                    static_cast<std::ptrdiff_t>(SampleOffset(*bitmap, row, column)),
                copied, buffer);
    return static_cast<int>(copied);
}

} // namespace vellum
