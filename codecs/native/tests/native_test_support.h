// Reading decoded frames back as colours, whatever their layout, so tests
// compare pictures rather than bytes.
#pragma once

#include "codecs/native/native_picture.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs::native::testing {

struct Rgba16 {
    std::uint32_t r = 0, g = 0, b = 0, a = 0; // at the layout's own depth
    friend bool operator==(const Rgba16&, const Rgba16&) = default;
};

// The pixel at (x, y) of a frame written at `stride`; palette entries are
// expanded, CMYK is returned as r=C, g=M, b=Y, a=K, the 16-bit layouts as
// their 5- and 6-bit fields with alpha 0 or 1.
Rgba16 PixelAt(const NativeFrame& frame, std::span<const std::uint8_t> rows, std::size_t stride,
               std::uint32_t x, std::uint32_t y);

} // namespace vellumark::codecs::native::testing
