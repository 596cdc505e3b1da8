#include "native_test_support.h"

namespace vellumark::codecs::native::testing {

namespace {

std::uint32_t Word(const std::uint8_t* p) {
    return p[0] | std::uint32_t{p[1]} << 8;
}

Rgba16 FromArgb(std::uint32_t argb) {
    return {argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF, argb >> 24};
}

} // namespace

Rgba16 PixelAt(const NativeFrame& frame, std::span<const std::uint8_t> rows, std::size_t stride,
               std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* row = rows.data() + y * stride;
    auto entry = [&](std::uint32_t index) {
        return index < frame.palette.size() ? FromArgb(frame.palette[index]) : Rgba16{0, 0, 0, 255};
    };
    switch (frame.layout) {
    case NativeLayout::Indexed1:
        return entry(row[x / 8] >> (7 - x % 8) & 1);
    case NativeLayout::Indexed4:
        return entry(row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0xF);
    case NativeLayout::Indexed8:
        return entry(row[x]);
    case NativeLayout::Rgb555:
    case NativeLayout::Argb1555: {
        const std::uint32_t w = Word(row + 2 * x);
        const std::uint32_t a = frame.layout == NativeLayout::Argb1555 ? w >> 15 : 1;
        return {w >> 10 & 31, w >> 5 & 31, w & 31, a};
    }
    case NativeLayout::Rgb565: {
        const std::uint32_t w = Word(row + 2 * x);
        return {w >> 11, w >> 5 & 63, w & 31, 1};
    }
    case NativeLayout::Bgr24:
        return {row[3 * x + 2], row[3 * x + 1], row[3 * x], 255};
    case NativeLayout::Bgrx32:
        return {row[4 * x + 2], row[4 * x + 1], row[4 * x], 255};
    case NativeLayout::Bgra32:
    case NativeLayout::Pbgra32:
        return {row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]};
    case NativeLayout::Cmyk32:
        return {row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
    case NativeLayout::Bgr48:
        return {Word(row + 6 * x + 4), Word(row + 6 * x + 2), Word(row + 6 * x), 0xFFFF};
    case NativeLayout::Bgra64:
        return {Word(row + 8 * x + 4), Word(row + 8 * x + 2), Word(row + 8 * x),
                Word(row + 8 * x + 6)};
    }
    return {};
}

} // namespace vellumark::codecs::native::testing
