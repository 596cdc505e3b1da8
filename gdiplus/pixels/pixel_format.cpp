#include "pixel_format.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vellumark::gdiplus::pixels {

namespace {

constexpr std::array kAllFormats{
    PixelFormat::Format1bppIndexed,   PixelFormat::Format4bppIndexed,
    PixelFormat::Format8bppIndexed,   PixelFormat::Format16bppGrayScale,
    PixelFormat::Format16bppRGB555,   PixelFormat::Format16bppRGB565,
    PixelFormat::Format16bppARGB1555, PixelFormat::Format24bppRGB,
    PixelFormat::Format32bppRGB,      PixelFormat::Format32bppARGB,
    PixelFormat::Format32bppPARGB,    PixelFormat::Format48bppRGB,
    PixelFormat::Format64bppARGB,     PixelFormat::Format64bppPARGB,
    PixelFormat::Format32bppCMYK,
};

} // namespace

std::span<const PixelFormat> AllPixelFormats() {
    return kAllFormats;
}

std::optional<PixelFormat> ToPixelFormat(std::int32_t value) {
    const auto* found = std::find_if(kAllFormats.begin(), kAllFormats.end(),
                                     [value](PixelFormat f) { return Value(f) == value; });
    if (found == kAllFormats.end()) {
        return std::nullopt;
    }
    return *found;
}

std::uint32_t PaletteCapacity(PixelFormat format) {
    return IsIndexed(format) ? 1u << BitsPerPixel(format) : 0u;
}

std::optional<std::int32_t> MinimumStride(PixelFormat format, std::uint32_t width) {
    const std::uint64_t bits = std::uint64_t{BitsPerPixel(format)} * width;
    if (bits == 0 && width != 0) {
        return std::nullopt;
    }
    const std::uint64_t stride = (bits + 31) / 32 * 4;
    if (stride > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(stride);
}

} // namespace vellumark::gdiplus::pixels
