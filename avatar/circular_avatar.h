// Circular avatars: the largest square from a picture's top-left corner, cut
// to the disc inscribed in it, as a PNG with transparent corners.
//
// The work runs through the imaging wrappers with the library's defaults:
// a fully transparent 32bppARGB canvas, an ellipse filled without
// anti-aliasing by a clamped texture brush that maps the picture pixel for
// pixel from the canvas's origin. The library is started and shut down inside
// every call, and every imaging object lives only for that call.
//
// Nothing is reported: a picture the library cannot decode (or no picture
// at all) gives empty Bytes, and a canvas the brush could not fill gives a
// fully transparent square.
#pragma once

#include "platform/runtime.h"
#include "platform/types.h"

#include <string_view>

namespace vellumark::avatar {

// The format GUID of PNG, as the library names it.
inline constexpr std::string_view kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

// Replaces the picture of the PicBox `box` with its circular PNG (empty when
// the box held no decodable picture).
void CircularAvatar(platform::Window& window, std::string_view box);

// The same work from bytes to bytes, for tools and benchmarks that have no
// window: the circular PNG of `picture`, or empty Bytes.
Bytes MakeCircularAvatarPng(const Bytes& picture);

} // namespace vellumark::avatar
