// Formats without a native decoder of their own yet come through the
// picture-box decoders as one 32-bit BGRA frame.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeAsBgra(std::span<const std::uint8_t> data, NativeFormat format, FrameSink& sink,
                         NativePicture& out);

} // namespace vellumark::codecs::native
