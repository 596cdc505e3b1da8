// The order in which a GIF frame stores its rows, shared by both GIF
// decoders.
#pragma once

#include <cstdint>
#include <vector>

namespace vellumark::codecs {

// Top to bottom, or for an interlaced frame every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
inline std::vector<std::uint32_t> StoredRowOrder(std::uint32_t height, bool interlaced) {
    std::vector<std::uint32_t> order;
    order.reserve(height);
    if (!interlaced) {
        for (std::uint32_t y = 0; y < height; ++y) {
            order.push_back(y);
        }
        return order;
    }
    constexpr std::uint32_t kStart[] = {0, 4, 2, 1};
    constexpr std::uint32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (std::uint32_t y = kStart[pass]; y < height; y += kStep[pass]) {
            order.push_back(y);
        }
    }
    return order;
}

} // namespace vellumark::codecs
