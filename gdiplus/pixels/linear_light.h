// The 48- and 64-bit formats keep colour as the imaging API does: linear
// light (gamma 1.0) in 16-bit words where 8192 (0x2000) means 1.0, the
// s2.13 fixed point of scRGB. Every other format is sRGB-encoded. These
// functions convert between the two through tables built once; stored
// values above 1.0 are clamped.
#pragma once

#include <cstdint>

namespace vellumark::gdiplus::pixels {

inline constexpr std::uint32_t kLinearOne = 8192;

std::uint16_t LinearFromSrgb8(std::uint32_t encoded);
std::uint16_t LinearFromSrgb16(std::uint32_t encoded);
std::uint8_t Srgb8FromLinear(std::uint32_t linear);
std::uint16_t Srgb16FromLinear(std::uint32_t linear);

} // namespace vellumark::gdiplus::pixels
