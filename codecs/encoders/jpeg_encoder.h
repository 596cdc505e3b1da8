// JPEG encoder on libjpeg-turbo: baseline JFIF, colour (YCbCr 4:2:0) or
// greyscale.
//
// Every layout is accepted: alpha is dropped, palettes are looked up and
// 16-bit samples rounded to eight bits before compression. Gray8 input, or
// the greyscale option, gives a one-component file. Resolution goes to the
// JFIF density in dots per inch.
#pragma once

#include "encoder_image.h"

namespace vellumark::codecs {

struct JpegOptions {
    int quality = 75; // 0 to 100, as libjpeg's quality scale (0 acts as 1)
    bool grayscale = false;
};

// Replaces `out` with the file, or returns the error and leaves it alone.
EncodeError EncodeJpeg(const EncoderImage& image, const JpegOptions& options, ByteBuffer& out);

} // namespace vellumark::codecs
