// Converting rows of pixels between any published format and 32-bit ARGB
// with straight alpha (or Color16 where eight bits would lose precision).
//
// Memory layouts are the imaging API's: multi-byte values little-endian;
// 24/32-bit pixels as B, G, R(, A or unused) bytes; 16-bit 555 / 565 / 1555
// words with blue in the low bits; 1 and 4 bpp indices packed from the most
// significant bits; 16bppGrayScale one 16-bit luma word (0..65535);
// 48/64-bit pixels as B, G, R(, A) words of linear light (see
// linear_light.h); 32bppCMYK as C, M, Y, K bytes. Premultiplied formats are
// unpremultiplied on reading and premultiplied on writing.
//
// A row is given as the bytes from its pixel 0, with `firstPixel` the
// first pixel converted, so a caller converts one rectangle row by row
// without a full-size temporary. Every function returns false, touching
// nothing, when the format is not a published one, the row is too short for
// the pixels asked for, or an indexed write has no usable palette.
#pragma once

#include "argb.h"
#include "palette_matcher.h"
#include "pixel_format.h"

#include <cstdint>
#include <span>

namespace vellumark::gdiplus::pixels {

// Indices beyond the end of `palette` read as opaque black.
[[nodiscard]] bool ReadArgbRow(PixelFormat format, std::span<const std::uint8_t> row,
                               std::uint32_t firstPixel, std::span<const std::uint32_t> palette,
                               std::span<std::uint32_t> out);

// Indexed formats need `palette` non-empty and no larger than the format
// can address; colours map to the equal entry or else the nearest one.
// Formats without alpha drop it; 1555 keeps alpha >= 128 as opaque.
// 16bppGrayScale stores the Rec. 601 luma of the colour.
[[nodiscard]] bool WriteArgbRow(PixelFormat format, std::span<const std::uint32_t> argb,
                                PaletteMatcher* palette, std::span<std::uint8_t> row,
                                std::uint32_t firstPixel);

// As above with 16 bits a channel: 16bppGrayScale and the 48/64-bit
// formats convert without passing through eight bits.
[[nodiscard]] bool ReadWideRow(PixelFormat format, std::span<const std::uint8_t> row,
                               std::uint32_t firstPixel, std::span<const std::uint32_t> palette,
                               std::span<Color16> out);
[[nodiscard]] bool WriteWideRow(PixelFormat format, std::span<const Color16> colours,
                                PaletteMatcher* palette, std::span<std::uint8_t> row,
                                std::uint32_t firstPixel);

} // namespace vellumark::gdiplus::pixels
