// Writes one-frame GIFs with giflib's encoder (Qt only reads GIF).
#pragma once

#include "codecs/tests/qt_reference.h"

#include <array>
#include <vector>

namespace vellumark::codecs::testing {

struct GifSpec {
    int screenWidth = 0;
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int transparentIndex = -1; // -1: no graphic control extension
    bool localColourTable = false;
    std::vector<std::array<std::uint8_t, 3>> colours; // R, G, B; a power of two entries
    ByteVector indices;                               // width * height, top-down
};

ByteVector WriteGif(const GifSpec& layout);

} // namespace vellumark::codecs::testing
