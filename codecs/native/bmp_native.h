// BMP files in their stored depth: indexed with the file's palette, 16-bit
// 5-5-5 / 5-6-5 / 1-5-5-5 by the bit-field masks, 24-bit, and 32-bit with or
// without alpha. Run-length and unusual bit-field layouts become 32-bit BGRA.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeBmp(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
