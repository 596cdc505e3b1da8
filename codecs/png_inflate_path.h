// The PNGs this program makes and shows most (8-bit RGB or RGBA, not
// interlaced, no colour key) decoded with one libdeflate inflate over the
// joined image data, several times faster than libpng's zlib stream. Any
// other file, and any file this path doubts, is left to libpng, which then
// gives the answer.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

enum class InflatePathResult { Decoded, LeftToLibpng };

// `size` is the IHDR size, already checked against the limits.
InflatePathResult DecodeWithInflatePath(std::span<const std::uint8_t> data, PictureSize size,
                                        Bgra8Image& out);

} // namespace vellumark::codecs
