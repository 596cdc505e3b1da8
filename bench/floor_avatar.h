// The floor the avatar work is measured against: the least a circular avatar
// can cost with the standard libraries and nothing of ours in between.
// libjpeg-turbo decodes straight to RGBA (libpng's simplified reader for PNG
// input), the rows of the inscribed disc of the top-left square are copied
// onto a transparent canvas, and the canvas becomes a PNG with the "up"
// filter on every row and libdeflate at level 1.
//
// It is a yardstick, not a second implementation of the routine: pixels
// inside the disc are those whose centre lies in it, which is close to but
// not guaranteed to be the rasteriser's choice on the rim.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::bench {

// The circular PNG of a JPEG or PNG file, or empty for anything else, for
// files that fail to decode and for pictures beyond kFloorMaxPixels.
std::vector<std::uint8_t> FloorAvatarPng(std::span<const std::uint8_t> file);

inline constexpr std::uint64_t kFloorMaxPixels = std::uint64_t{1} << 28;

// A side x side canvas of 4-byte pixels, all zero (transparent) except those
// whose centre lies in the inscribed disc, which are copied from the same
// place in `pixels` (rows of `width` pixels, at least side x side of them).
std::vector<std::uint8_t> CutTopLeftDisc(std::span<const std::uint8_t> pixels, std::uint32_t width,
                                         std::uint32_t side);

} // namespace vellumark::bench
