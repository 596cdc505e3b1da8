// PCX files in their stored depth: 8-bit one-plane files as 8-bit indexed
// with the trailing palette, black-and-white as 1-bit indexed, 16-colour EGA
// as 4-bit indexed, three planes as 24-bit and four as 32-bit with alpha.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodePcx(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
