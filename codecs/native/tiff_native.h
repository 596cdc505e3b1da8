// TIFF with libtiff, read from memory: every page (directory) a frame
// along the page dimension, converted through libtiff's RGBA reader to
// 24-bit BGR, or premultiplied BGRA when the page has alpha. The first
// page's resolution is the picture's.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeTiff(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
