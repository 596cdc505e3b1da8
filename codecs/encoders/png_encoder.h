// PNG encoder (ISO/IEC 15948, https://www.w3.org/TR/png/).
//
// Bgra8 becomes 8-bit RGBA, Bgr8 RGB, Gray8 greyscale, Indexed1/4/8 a
// palette image of that depth (alpha in the palette goes to tRNS), Rgba16 /
// Rgb16 16-bit RGBA / RGB. Resolution goes to pHYs. Every row uses one
// filter, "up" unless told otherwise: on the flat and smooth pictures this
// program saves it compresses about as well as adaptive choice at a fraction
// of the cost. Compression is libdeflate's one-shot zlib stream. No
// interlacing, no text or colour-space chunks.
#pragma once

#include "encoder_image.h"

namespace vellumark::codecs {

enum class PngFilter { None, Sub, Up, Average, Paeth };

struct PngOptions {
    PngFilter filter = PngFilter::Up;
    int compressionLevel = 6; // libdeflate's scale, 0 (store) to 12
};

// Appends nothing and returns the error when the image description or the
// options are invalid; otherwise replaces `out` with the file.
EncodeError EncodePng(const EncoderImage& image, const PngOptions& options, ByteBuffer& out);

} // namespace vellumark::codecs
