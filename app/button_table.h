// The nine avatar buttons and the box each one changes, and the order in
// which start-up passes the avatar boxes through the circular cut. The phone
// screen "图片框5" is in neither list: it is never changed.
#pragma once

#include <array>
#include <string_view>

namespace vellumark::app {

struct AvatarButton {
    std::string_view button;
    std::string_view avatarBox;
};

inline constexpr std::array<AvatarButton, 9> kAvatarButtons{{
    {"按钮1", "图片框1"},
    {"按钮2", "图片框2"},
    {"按钮3", "图片框3"},
    {"按钮4", "图片框4"},
    {"按钮5", "图片框6"},
    {"按钮6", "图片框7"},
    {"按钮7", "图片框8"},
    {"按钮8", "图片框9"},
    {"按钮9", "图片框10"},
}};

inline constexpr std::array<std::string_view, 9> kStartupAvatarBoxes{
    "图片框1", "图片框2", "图片框3", "图片框4",  "图片框6",
    "图片框7", "图片框8", "图片框9", "图片框10",
};

} // namespace vellumark::app
