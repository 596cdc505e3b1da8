// TIFF encoder on libtiff (TIFF 6.0): one page per image, in order.
//
// Bgra8 is stored as RGB with unassociated alpha, Bgr8 as RGB, Gray8 as
// 8-bit black-is-zero, Rgba16 / Rgb16 as 16-bit samples, Indexed layouts as
// palette images, except that a 1 bpp image whose palette is black and white
// (in either order) is stored bilevel. The CCITT compressions apply to
// bilevel pages only; any other page asks for Unsupported. Pages record
// their resolution in dots per inch and, when there are several, their
// page number.
#pragma once

#include "encoder_image.h"

#include <span>

namespace vellumark::codecs {

enum class TiffCompression { None, Lzw, CcittRle, CcittGroup3, CcittGroup4, PackBits, Deflate };

struct TiffOptions {
    TiffCompression compression = TiffCompression::Lzw;
};

// Replaces `out` with the file, or returns the error and leaves it alone.
EncodeError EncodeTiff(std::span<const EncoderImage> pages, const TiffOptions& options,
                       ByteBuffer& out);

} // namespace vellumark::codecs
