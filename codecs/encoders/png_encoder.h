// PNG encoder (ISO/IEC 15948, https://www.w3.org/TR/png/).
//
// Bgra8 becomes 8-bit RGBA, Bgr8 RGB, Gray8 greyscale, Indexed1/4/8 a
// palette image of that depth (alpha in the palette goes to tRNS), Rgba16 /
// Rgb16 16-bit RGBA / RGB. Resolution goes to pHYs. Every row uses one
// filter, "up" unless told otherwise: on the flat and smooth pictures this
// program saves it compresses about as well as adaptive choice at a fraction
// of the cost. Compression is libdeflate's; large images are cut into row
// bands compressed on two threads and joined into one zlib stream
// (png_encoder_deflate.h), with the same pixels as a one-band file. No
// interlacing, no text or colour-space chunks.
#pragma once

#include "encoder_image.h"
#include "png_encoder_filter.h"

#include <cstdint>

namespace vellumark::codecs {

struct PngOptions {
    PngFilter filter = PngFilter::Up;
    int compressionLevel = 6; // libdeflate's scale, 0 (store) to 12
    // Row bands compressed apart; 0 picks one per thread for images of at
    // least kPngParallelMinBytes, otherwise one.
    std::uint32_t bands = 0;
    // Threads used at most; 0 means up to two, as the hardware allows.
    unsigned threads = 0;
};

// Below this many filtered bytes a second thread costs more than it saves.
inline constexpr std::size_t kPngParallelMinBytes = std::size_t{256} << 10;

// Appends nothing and returns the error when the image description or the
// options are invalid; otherwise replaces `out` with the file.
EncodeError EncodePng(const EncoderImage& image, const PngOptions& options, ByteBuffer& out);

} // namespace vellumark::codecs
