// Small files in the stored layouts of BMP, PCX, icons and TIFF, built field
// by field so that each depth, mask set and photometric variant can be
// tried.
#pragma once

#include "native_fixtures.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vellumark::codecs::native::testing {

// 16-bit values as little-endian bytes, as BMP rows and host-order TIFF
// samples hold them.
Bytes Words16LE(std::initializer_list<std::uint16_t> words);

struct BmpFixture {
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;      // BI_RGB; 3 for bit fields
    std::vector<std::uint32_t> masks;   // red, green, blue[, alpha] after a 40-byte header
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    std::vector<Bytes> rows;            // top row first, unpadded
    std::uint32_t width = 2;
    std::int32_t pixelsPerMetre = 0;
};
// A bottom-up "BM" file.
Bytes MakeBmp(const BmpFixture& fixture);

struct PcxFixture {
    std::uint8_t version = 5;
    std::uint8_t bitsPerPlane = 8;
    std::uint8_t planes = 1;
    std::uint16_t width = 2;
    std::uint16_t bytesPerLine = 2;
    std::vector<Bytes> lines; // every plane of a scan line, one after another
    Bytes palette;            // 768 bytes R, G, B for 8-bit one-plane files
};
Bytes MakePcx(const PcxFixture& fixture);

// An icon whose entries are 32-bit DIBs of the given side, each filled with
// one opaque colour (0xRRGGBB), in the given directory order.
Bytes MakeIcon(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& sidesAndColours);

struct TiffFixture {
    std::uint16_t photometric = 1; // 0 white is zero, 1 black is zero, 2 RGB, 3 palette
    std::uint16_t bits = 8;
    std::uint16_t samples = 1;
    bool associatedAlpha = false; // the fourth sample of RGB pages
    std::uint32_t width = 2;
    std::vector<Bytes> rows;           // samples as stored; 16-bit ones in host order
    std::vector<std::uint16_t> colour; // palette pages: red, green, blue maps one after another
};
Bytes MakeTiff(const TiffFixture& fixture);

} // namespace vellumark::codecs::native::testing
