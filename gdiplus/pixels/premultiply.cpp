#include "premultiply.h"

#include "argb.h"

#include <algorithm>

namespace vellumark::gdiplus::pixels {

std::uint32_t ScaleByAlpha(std::uint32_t channel, std::uint32_t alpha, std::uint32_t max) {
    const std::uint64_t product = std::uint64_t{channel} * alpha;
    return static_cast<std::uint32_t>((product + max / 2) / max);
}

std::uint32_t UnscaleByAlpha(std::uint32_t channel, std::uint32_t alpha, std::uint32_t max) {
    if (alpha == 0) {
        return 0;
    }
    const std::uint64_t scaled = (std::uint64_t{channel} * max + alpha / 2) / alpha;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(scaled, max));
}

std::uint32_t Premultiply(std::uint32_t argb) {
    const std::uint32_t a = AlphaOf(argb);
    if (a == 255) {
        return argb;
    }
    return MakeArgb(a, ScaleByAlpha(RedOf(argb), a, 255), ScaleByAlpha(GreenOf(argb), a, 255),
                    ScaleByAlpha(BlueOf(argb), a, 255));
}

std::uint32_t Unpremultiply(std::uint32_t pargb) {
    const std::uint32_t a = AlphaOf(pargb);
    if (a == 255) {
        return pargb;
    }
    return MakeArgb(a, UnscaleByAlpha(RedOf(pargb), a, 255), UnscaleByAlpha(GreenOf(pargb), a, 255),
                    UnscaleByAlpha(BlueOf(pargb), a, 255));
}

void PremultiplyRow(std::span<std::uint32_t> row) {
    std::transform(row.begin(), row.end(), row.begin(), Premultiply);
}

void UnpremultiplyRow(std::span<std::uint32_t> row) {
    std::transform(row.begin(), row.end(), row.begin(), Unpremultiply);
}

} // namespace vellumark::gdiplus::pixels
