// Builds BMP files and bare DIBs (as icon entries hold them) field by
// field, so tests can make every header, depth and compression variant.
#pragma once

#include "codecs/tests/qt_reference.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vellumark::codecs::testing {

struct DibHeaderFields {
    std::uint32_t headerSize = 40; // 12, 40, 52, 56, 108 or 124
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: top-down
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> masks;                 // red, green, blue[, alpha]
    std::vector<std::array<std::uint8_t, 3>> palette; // B, G, R
    ByteVector pixels;
};

// Header, masks, palette and pixels, as stored after a BMP file header.
ByteVector BuildDib(const DibHeaderFields& fields);

// A "BM" file whose pixel offset points right after the palette.
ByteVector BuildBmp(const DibHeaderFields& fields);

// Deterministic pseudo-random bytes.
ByteVector NoiseBytes(std::size_t count, std::uint32_t seed);

// A palette of `count` distinct pseudo-random colours.
std::vector<std::array<std::uint8_t, 3>> NoisePalette(std::size_t count);

void PutU16(ByteVector& bytes, std::size_t at, std::uint32_t value);
void PutU32(ByteVector& bytes, std::size_t at, std::uint32_t value);

} // namespace vellumark::codecs::testing
