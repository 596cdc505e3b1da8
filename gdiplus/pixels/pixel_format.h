// The imaging API's pixel formats: published values, their flag bits and
// their row geometry.
//
// A format value packs an index (bits 0-7), the bits per pixel (bits 8-15)
// and flags (bits 16-23), as published for PixelFormat1bppIndexed and its
// siblings. Only the fifteen published formats are valid; anything else,
// including 0 (PixelFormatUndefined / DontCare), is rejected by Describe.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vellumark::gdiplus::pixels {

enum class PixelFormat : std::int32_t {
    Undefined = 0,
    Format1bppIndexed = 0x00030101,
    Format4bppIndexed = 0x00030402,
    Format8bppIndexed = 0x00030803,
    Format16bppGrayScale = 0x00101004,
    Format16bppRGB555 = 0x00021005,
    Format16bppRGB565 = 0x00021006,
    Format16bppARGB1555 = 0x00061007,
    Format24bppRGB = 0x00021808,
    Format32bppRGB = 0x00022009,
    Format32bppARGB = 0x0026200A,
    Format32bppPARGB = 0x000E200B,
    Format48bppRGB = 0x0010300C,
    Format64bppARGB = 0x0034400D,
    Format64bppPARGB = 0x001C400E,
    Format32bppCMYK = 0x0000200F,
};

// Published flag bits of a format value.
inline constexpr std::int32_t kIndexedFlag = 0x00010000;
inline constexpr std::int32_t kGdiFlag = 0x00020000;
inline constexpr std::int32_t kAlphaFlag = 0x00040000;
inline constexpr std::int32_t kPremultipliedFlag = 0x00080000;
inline constexpr std::int32_t kExtendedFlag = 0x00100000;
inline constexpr std::int32_t kCanonicalFlag = 0x00200000;

// Every published format, in index order.
std::span<const PixelFormat> AllPixelFormats();

// The published format with this value, or nothing for any other value.
std::optional<PixelFormat> ToPixelFormat(std::int32_t value);

constexpr std::int32_t Value(PixelFormat format) {
    return static_cast<std::int32_t>(format);
}

constexpr std::uint32_t BitsPerPixel(PixelFormat format) {
    return (static_cast<std::uint32_t>(format) >> 8) & 0xFFu;
}
constexpr bool HasFlag(PixelFormat format, std::int32_t flag) {
    return (Value(format) & flag) != 0;
}
constexpr bool IsIndexed(PixelFormat format) {
    return HasFlag(format, kIndexedFlag);
}
constexpr bool HasAlpha(PixelFormat format) {
    return HasFlag(format, kAlphaFlag);
}
constexpr bool IsPremultiplied(PixelFormat format) {
    return HasFlag(format, kPremultipliedFlag);
}
constexpr bool IsExtended(PixelFormat format) {
    return HasFlag(format, kExtendedFlag);
}
constexpr bool IsCanonical(PixelFormat format) {
    return HasFlag(format, kCanonicalFlag);
}

// Colours a palette of an indexed format can hold: 2, 16 or 256; 0 otherwise.
std::uint32_t PaletteCapacity(PixelFormat format);

// Bytes from one row to the next for `width` pixels: the row's bits rounded
// up to whole 32-bit words. Nothing when the format is Undefined or the
// stride would not fit in a signed 32-bit integer.
std::optional<std::int32_t> MinimumStride(PixelFormat format, std::uint32_t width);

} // namespace vellumark::gdiplus::pixels
