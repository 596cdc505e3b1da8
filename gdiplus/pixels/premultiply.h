// Premultiplying and unpremultiplying alpha with correct rounding.
//
// Each channel becomes round(c * a / 255) and back round(c * 255 / a),
// clamped to 255 for premultiplied input whose colour exceeds its alpha. A
// fully transparent colour is 0 in either direction. The row forms work in
// place so a caller converts a rectangle one row at a time.
#pragma once

#include <cstdint>
#include <span>

namespace vellumark::gdiplus::pixels {

std::uint32_t Premultiply(std::uint32_t argb);
std::uint32_t Unpremultiply(std::uint32_t pargb);

void PremultiplyRow(std::span<std::uint32_t> row);
void UnpremultiplyRow(std::span<std::uint32_t> row);

// Rounded c * a / max and c * max / a (clamped to max), for any channel
// width; a == 0 gives 0.
std::uint32_t ScaleByAlpha(std::uint32_t channel, std::uint32_t alpha, std::uint32_t max);
std::uint32_t UnscaleByAlpha(std::uint32_t channel, std::uint32_t alpha, std::uint32_t max);

} // namespace vellumark::gdiplus::pixels
