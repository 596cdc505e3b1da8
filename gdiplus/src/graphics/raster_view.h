// A view of pixel memory in one of the published layouts: what a surface
// draws into and what a texture brush reads from. The view does not own
// the memory; whoever hands one out keeps the pixels alive while it is used.
#pragma once

#include "gdiplus/pixels/pixel_format.h"

#include <cstdint>
#include <span>

namespace vellumark::gdiplus {

struct RasterView {
    std::uint8_t* bits = nullptr; // pixel 0 of row 0
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0; // bytes from one row to the next, may be negative
    pixels::PixelFormat format = pixels::PixelFormat::Undefined;
    std::span<const std::uint32_t> palette; // indexed formats only
    float dpiX = 96.0F;
    float dpiY = 96.0F;

    std::uint8_t* row(std::int32_t y) const {
        return bits + static_cast<std::ptrdiff_t>(y) * stride;
    }
    // The bytes of one row, from its first pixel.
    std::span<std::uint8_t> rowBytes(std::int32_t y) const {
        const std::size_t bytesPerRow =
            (static_cast<std::size_t>(width) * pixels::BitsPerPixel(format) + 7) / 8;
        return {row(y), bytesPerRow};
    }
};

} // namespace vellumark::gdiplus
