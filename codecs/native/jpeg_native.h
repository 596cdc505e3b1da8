// JPEG with libjpeg-turbo: greyscale as 8-bit indexed with a grey palette,
// colour as 24-bit BGR decoded straight into the caller's rows, CMYK and
// YCCK as CMYK. EXIF (APP1) becomes property items; resolution comes from
// the JFIF density, else from the EXIF resolution tags.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeJpeg(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
