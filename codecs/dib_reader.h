// Device-independent bitmaps, shared by BMP files and icon entries.
// Headers: OS/2 1.x core (12 bytes), BITMAPINFOHEADER (40), its V2/V3
// extensions (52, 56), OS/2 2.x (16 to 64) and V4/V5 (108, 124).
// Pixels: 1/4/8-bit indexed, 16/24/32-bit direct, RLE4/RLE8, bit fields,
// top-down and bottom-up. Embedded JPEG and PNG (compression 4/5) and
// Huffman-1D OS/2 bitmaps are Unsupported.
// Format: https://learn.microsoft.com/windows/win32/gdi/bitmap-storage
#pragma once

#include "codecs/picture_decoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vellumark::codecs {

enum class DibCompression { Rgb, Rle8, Rle4, BitFields };

struct BgraPixel {
    std::uint8_t b = 0;
    std::uint8_t g = 0;
    std::uint8_t r = 0;
    std::uint8_t a = 255;
};

struct DibLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0; // rows in the pixel data
    bool topDown = false;     // first stored row is the top row
    std::uint32_t bitsPerPixel = 0;
    DibCompression compression = DibCompression::Rgb;
    // Red, green, blue, alpha masks for 16- and 32-bit pixels; a zero
    // alpha mask means opaque.
    std::array<std::uint32_t, 4> masks{};
    // Indices past the stored entries show opaque black.
    std::array<BgraPixel, 256> palette{};
    std::uint32_t paletteSize = 0;
    std::span<const std::uint8_t> pixels; // from the first pixel byte to the end of the data
};

// Parses the header and palette at the start of `dib`. Pixels start at
// `pixelOffset` from the start of `dib` (a BMP file header says where) or,
// without one (icons), right after the palette. `heightIsDoubled`
// is for icon entries, whose header counts the AND mask's rows too.
// Fails Malformed on inconsistent fields, OverLimit beyond codecs/limits.h,
// Unsupported for embedded JPEG/PNG.
DecodeError ParseDib(std::span<const std::uint8_t> dib, std::optional<std::size_t> pixelOffset,
                     bool heightIsDoubled, DibLayout& layout);

// Bytes the stored pixel rows of an uncompressed DIB take (rows padded to 4).
std::optional<std::size_t> DibPixelBytes(const DibLayout& layout);

// Decodes the pixels into `out` (allocated here). Direct 32-bit pixels
// without an alpha mask are opaque. RLE pixels the data skips stay
// transparent.
DecodeError DecodeDibPixels(const DibLayout& layout, Bgra8Image& out);

} // namespace vellumark::codecs
