// 32-bit ARGB colours (alpha in the top byte, as the imaging API passes
// them) and a 16-bit-per-channel colour for conversions where eight bits
// would lose precision.
#pragma once

#include <cstdint>

namespace vellumark::gdiplus::pixels {

constexpr std::uint32_t MakeArgb(std::uint32_t a, std::uint32_t r, std::uint32_t g,
                                 std::uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr std::uint32_t AlphaOf(std::uint32_t argb) {
    return argb >> 24;
}
constexpr std::uint32_t RedOf(std::uint32_t argb) {
    return (argb >> 16) & 0xFFu;
}
constexpr std::uint32_t GreenOf(std::uint32_t argb) {
    return (argb >> 8) & 0xFFu;
}
constexpr std::uint32_t BlueOf(std::uint32_t argb) {
    return argb & 0xFFu;
}

// Straight (not premultiplied) alpha, sRGB-encoded channels, 0..65535.
struct Color16 {
    std::uint16_t a = 0;
    std::uint16_t r = 0;
    std::uint16_t g = 0;
    std::uint16_t b = 0;
    friend bool operator==(const Color16&, const Color16&) = default;
};

constexpr std::uint16_t Widen8To16(std::uint32_t value) {
    return static_cast<std::uint16_t>(value * 257u);
}
// Nearest 8-bit value of a 16-bit one.
constexpr std::uint32_t Narrow16To8(std::uint32_t value) {
    return (value * 255u + 32895u) >> 16;
}

constexpr Color16 WidenArgb(std::uint32_t argb) {
    return {Widen8To16(AlphaOf(argb)), Widen8To16(RedOf(argb)), Widen8To16(GreenOf(argb)),
            Widen8To16(BlueOf(argb))};
}
constexpr std::uint32_t NarrowToArgb(Color16 c) {
    return MakeArgb(Narrow16To8(c.a), Narrow16To8(c.r), Narrow16To8(c.g), Narrow16To8(c.b));
}

} // namespace vellumark::gdiplus::pixels
