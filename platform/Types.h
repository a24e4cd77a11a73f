#pragma once
// Fixed-width types with the framework's names. Everything stored in an archive has one of
// these widths; `long` is 64-bit on Linux and is never used for stored values.

#include <cstdint>

namespace vellum {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using COLORREF = std::uint32_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// An opaque iteration position of the framework's collections; null ends an iteration.
struct PositionTag;
using POSITION = PositionTag*;

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// Converts a double to a 32-bit integer by truncation toward zero, as the x86 conversion
// instruction does: NaN and values outside the 32-bit range give INT32_MIN instead of
// undefined behaviour, so damaged coordinates stay harmless.
constexpr LONG TruncateToLong(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return INT32_MIN;
    return static_cast<LONG>(value);
}

// 32-bit sums and differences that wrap around as the processor's do, instead of overflowing
// into undefined behaviour: damaged coordinates give wrong but harmless results.
constexpr LONG WrapAdd(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr LONG WrapSub(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

} // namespace vellum
