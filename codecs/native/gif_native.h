// GIF with giflib: every frame along the time dimension, delays as the
// frame-delay item (hundredths of a second), the NETSCAPE2.0 loop count,
// the global palette, background and transparent indices as items.
//
// A still GIF keeps its indices: one 8-bit indexed frame of the logical
// screen's size whose palette makes the transparent index clear. Frames of
// an animation are composed as a viewer shows them (each drawn over what
// the previous frame's disposal left) into 32-bit BGRA frames.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeGif(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
