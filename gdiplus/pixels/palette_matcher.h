// Finds the palette index for a colour when converting to an indexed
// format: the first entry equal to the colour, otherwise the entry nearest
// to it (squared distance over alpha, red, green and blue; the first of
// equally near entries wins).
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace vellumark::gdiplus::pixels {

class PaletteMatcher {
public:
    // Keeps a copy of at most 256 entries of `palette` (ARGB colours).
    explicit PaletteMatcher(std::span<const std::uint32_t> palette);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // Index of the matching entry; 0 for an empty palette.
    std::uint8_t IndexOf(std::uint32_t argb);

private:
    std::uint8_t Nearest(std::uint32_t argb) const;

    std::vector<std::uint32_t> entries_;
    // Colours already matched, including every exact entry.
    std::unordered_map<std::uint32_t, std::uint8_t> known_;
};

} // namespace vellumark::gdiplus::pixels
