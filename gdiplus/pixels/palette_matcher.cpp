#include "palette_matcher.h"

#include "argb.h"

#include <algorithm>
#include <limits>

namespace vellumark::gdiplus::pixels {

namespace {

constexpr std::size_t kMaxEntries = 256;
// Bounds the memo so converting a photo to 8 bpp cannot grow it without end.
constexpr std::size_t kMaxRemembered = 1u << 16;

std::uint32_t ChannelDistance(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t d = x > y ? x - y : y - x;
    return d * d;
}

std::uint32_t Distance(std::uint32_t p, std::uint32_t q) {
    return ChannelDistance(AlphaOf(p), AlphaOf(q)) + ChannelDistance(RedOf(p), RedOf(q)) +
           ChannelDistance(GreenOf(p), GreenOf(q)) + ChannelDistance(BlueOf(p), BlueOf(q));
}

} // namespace

PaletteMatcher::PaletteMatcher(std::span<const std::uint32_t> palette)
    : entries_(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(
                                                      std::min(palette.size(), kMaxEntries))) {
    // Walk backwards so the first of duplicate entries is the one kept.
    for (std::size_t i = entries_.size(); i-- > 0;) {
        known_[entries_[i]] = static_cast<std::uint8_t>(i);
    }
}

std::uint8_t PaletteMatcher::IndexOf(std::uint32_t argb) {
    if (entries_.empty()) {
        return 0;
    }
    if (const auto found = known_.find(argb); found != known_.end()) {
        return found->second;
    }
    const std::uint8_t index = Nearest(argb);
    if (known_.size() < kMaxRemembered) {
        known_.emplace(argb, index);
    }
    return index;
}

std::uint8_t PaletteMatcher::Nearest(std::uint32_t argb) const {
    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::uint32_t d = Distance(argb, entries_[i]);
        if (d < best) {
            best = d;
            bestIndex = i;
        }
    }
    return static_cast<std::uint8_t>(bestIndex);
}

} // namespace vellumark::gdiplus::pixels
