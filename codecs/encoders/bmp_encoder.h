// BMP encoder: a BITMAPFILEHEADER, a 40-byte BITMAPINFOHEADER, the colour
// table and bottom-up rows padded to four bytes (the Windows bitmap layout
// as documented for BITMAPINFOHEADER).
//
// Bgra8 is written as 32 bpp BI_RGB with its alpha bytes kept, Bgr8 as
// 24 bpp, Gray8 as 8 bpp with a grey ramp, Indexed1/4/8 at their own depth
// with their palette (the table's fourth byte is reserved and written 0).
// Resolution goes to the pixels-per-metre fields. 16-bit layouts are not
// stored (Unsupported); no compression.
#pragma once

#include "encoder_image.h"

namespace vellumark::codecs {

// Replaces `out` with the file, or returns the error and leaves it alone.
EncodeError EncodeBmp(const EncoderImage& image, ByteBuffer& out);

} // namespace vellumark::codecs
