// A colour palette in the caller's form and its library block (the published
// ColorPalette layout: flags (4), count (4), then count ARGB colours of 4
// bytes each, 8 + 4 x count bytes in all).
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <span>
#include <vector>

namespace vellumark::imaging {

struct Palette {
    // PaletteFlags: 1 has alpha, 2 greyscale, 4 halftone.
    std::uint32_t flags = 0;
    std::uint32_t count = 0;
    std::vector<ARGB> entries;
};

// The block for `palette`. It holds at most the colours `entries` has, so a
// count beyond them is written as the number of entries.
Bytes BuildPaletteBlock(const Palette& palette);

// The palette in a block the library filled; its count is cut to the colours
// the block holds, so `count` always equals `entries.size()`.
Palette ReadPaletteBlock(std::span<const std::uint8_t> block);

} // namespace vellumark::imaging
