// One frame's pixels in the published memory layout: rows `stride` bytes
// apart (a multiple of 4; negative for bottom-up caller memory), pixels in
// the format's byte order, plus the palette of indexed formats.
//
// The memory is either the surface's own (zeroed when made) or a caller's
// scan0 block that the surface only borrows: the caller keeps ownership and
// must keep it alive. Copying a surface always copies the pixels into memory
// of its own.
#pragma once

#include "core/result.h"
#include "gdiplus/pixels/pixel_format.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

class PixelSurface {
public:
    // A zeroed surface of the library's own; indexed formats get the
    // library's default palette. OutOfMemory beyond the allocation cap.
    static Result<PixelSurface> allocate(std::uint32_t width, std::uint32_t height,
                                         pixels::PixelFormat format);
    // A surface over caller memory; InvalidParameter when the stride is not
    // a multiple of 4 or is shorter than one row.
    static Result<PixelSurface> borrow(std::uint32_t width, std::uint32_t height,
                                       pixels::PixelFormat format, std::int32_t stride,
                                       std::uint8_t* scan0);

    PixelSurface(const PixelSurface& other);
    PixelSurface& operator=(const PixelSurface& other);
    PixelSurface(PixelSurface&&) noexcept = default;
    PixelSurface& operator=(PixelSurface&&) noexcept = default;
    ~PixelSurface() = default;

    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    pixels::PixelFormat format() const { return format_; }
    std::int32_t stride() const { return stride_; }
    bool ownsMemory() const { return borrowed_ == nullptr; }

    // The first byte of row 0 (scan0 of the published layout).
    std::uint8_t* scan0() { return rowStart(0); }
    const std::uint8_t* scan0() const { return rowStart(0); }
    // Row y, |stride| bytes long; y must be below height().
    std::span<std::uint8_t> row(std::uint32_t y);
    std::span<const std::uint8_t> row(std::uint32_t y) const;

    const std::vector<std::uint32_t>& palette() const { return palette_; }
    void setPalette(std::vector<std::uint32_t> palette) { palette_ = std::move(palette); }

    // Every pixel as 32-bit ARGB, row after row; premultiplied on request.
    std::vector<std::uint32_t> readArgb(bool premultiplied = false) const;
    // Pixels of the rectangle (inside the surface) as 32-bit ARGB.
    std::vector<std::uint32_t> readArgb(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                        std::uint32_t height, bool premultiplied) const;
    // Stores width() x height() ARGB pixels, converting to the format.
    Result<void> writeArgb(std::span<const std::uint32_t> argb, bool premultiplied = false);

    // A surface of its own in `format` holding the given rectangle.
    Result<PixelSurface> convertedArea(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                       std::uint32_t height, pixels::PixelFormat format) const;

private:
    PixelSurface(std::uint32_t width, std::uint32_t height, pixels::PixelFormat format,
                 std::int32_t stride);

    std::uint8_t* rowStart(std::uint32_t y) const;
    std::size_t rowBytes() const;

    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    pixels::PixelFormat format_ = pixels::PixelFormat::Format32bppARGB;
    std::int32_t stride_ = 0;
    std::vector<std::uint8_t> owned_;
    std::uint8_t* borrowed_ = nullptr;
    std::vector<std::uint32_t> palette_;
};

// The palette a new indexed surface starts with: black and white; the 16
// VGA colours; or those 16 followed by a 6x6x6 colour cube.
std::vector<std::uint32_t> defaultPalette(pixels::PixelFormat format);

} // namespace vellumark::gdiplus
