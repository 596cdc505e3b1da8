// PNG with libpng, in the layout nearest to what the file stores: palette
// and grey up to 8 bits as indexed (2-bit as 8-bit indices), 8-bit colour
// as BGR or BGRA, 16-bit samples as 48- or 64-bit BGR(A), transparency
// (tRNS) as alpha. pHYs gives the resolution; gAMA, sRGB, iCCP and the
// text chunks with a published counterpart become property items.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodePng(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
