// The program's event handlers. They reach the controls only through the
// runtime's numbered properties and report nothing to the user.
#pragma once

#include "platform/runtime.h"

#include <string_view>

namespace vellumark::app {

inline constexpr int kMirrorPeriodMs = 1000;

// Window created: starts the mirroring timer, then cuts the nine layout
// avatars to discs.
void OnCreated(platform::Window& window);

// Timer tick: copies every edit box's text, verbatim, into its label in
// MirrorTable order.
void OnMirrorTick(platform::Window& window);

// Avatar button: lets the user pick a file, makes its bytes the picture of
// avatarBox and cuts it to a disc. A cancelled dialog changes nothing.
void OnAvatarButton(platform::Window& window, std::string_view avatarBox);

} // namespace vellumark::app
