// The mock-up window's fixed layout: the window settings and every control
// with its place, text, font, colour and picture, as plain constant data.
// The runtime builds the window from it in table order, so a control lies
// above the siblings listed before it; "图片框5" (the phone screen) comes
// first so that everything placed over it is drawn above its picture.
#pragma once

#include "platform/runtime.h"

#include <span>
#include <string_view>

namespace vellumark::app {

// Names the handlers address.
inline constexpr std::string_view kPhoneScreenBox = "图片框5";
inline constexpr std::string_view kMirrorTimer = "时钟1";
inline constexpr std::string_view kFileDialog = "通用对话框1";

// Title "Vellumark 1.0", black, fixed 770 x 688 client area (the 776 x 715
// outer size of the design less a 3-pixel frame and a 21-pixel caption).
const platform::WindowSpec& MockupWindowSpec();

// All 141 controls, parents before children.
std::span<const platform::ControlSpec> MockupLayout();

} // namespace vellumark::app
