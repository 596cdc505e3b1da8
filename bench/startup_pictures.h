// The pictures start-up turns into avatars, taken from the layout itself in
// the order start-up visits the boxes, with the size each box shows them at.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vellumark::bench {

struct StartupPicture {
    std::string_view box;
    std::span<const std::uint8_t> file;
    std::uint32_t boxWidth = 0;
    std::uint32_t boxHeight = 0;
};

std::vector<StartupPicture> StartupPictures();

} // namespace vellumark::bench
