#include "linear_light.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vellumark::gdiplus::pixels {

namespace {

// The sRGB transfer curve (IEC 61966-2-1), both directions, on [0, 1].
double Decode(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double Encode(double v) {
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

std::uint32_t Round(double v) {
    return static_cast<std::uint32_t>(std::lround(v));
}

struct Tables {
    std::array<std::uint16_t, 256> linearFrom8{};
    std::vector<std::uint16_t> linearFrom16 = std::vector<std::uint16_t>(65536);
    std::array<std::uint8_t, kLinearOne + 1> srgb8From{};
    std::array<std::uint16_t, kLinearOne + 1> srgb16From{};

    Tables() {
        for (std::uint32_t v = 0; v < 256; ++v) {
            linearFrom8[v] = static_cast<std::uint16_t>(Round(Decode(v / 255.0) * kLinearOne));
        }
        for (std::uint32_t v = 0; v < 65536; ++v) {
            linearFrom16[v] = static_cast<std::uint16_t>(Round(Decode(v / 65535.0) * kLinearOne));
        }
        for (std::uint32_t v = 0; v <= kLinearOne; ++v) {
            const double encoded = Encode(v / static_cast<double>(kLinearOne));
            srgb16From[v] = static_cast<std::uint16_t>(Round(encoded * 65535.0));
            srgb8From[v] = static_cast<std::uint8_t>(Round(encoded * 255.0));
        }
        // Make 8-bit values survive the trip through linear light exactly:
        // the 13-bit steps near black are finer than the 8-bit ones, so each
        // 8-bit code's own linear value must map back to that code.
        for (std::uint32_t v = 0; v < 256; ++v) {
            srgb8From[linearFrom8[v]] = static_cast<std::uint8_t>(v);
        }
    }
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

} // namespace

std::uint16_t LinearFromSrgb8(std::uint32_t encoded) {
    return GetTables().linearFrom8[std::min(encoded, 255u)];
}

std::uint16_t LinearFromSrgb16(std::uint32_t encoded) {
    return GetTables().linearFrom16[std::min(encoded, 65535u)];
}

std::uint8_t Srgb8FromLinear(std::uint32_t linear) {
    return GetTables().srgb8From[std::min(linear, kLinearOne)];
}

std::uint16_t Srgb16FromLinear(std::uint32_t linear) {
    return GetTables().srgb16From[std::min(linear, kLinearOne)];
}

} // namespace vellumark::gdiplus::pixels
