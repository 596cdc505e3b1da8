// GIF encoder on giflib: GIF89a, one or more frames, each with its own
// colour table, drawn at the top-left of a screen as large as the largest
// frame.
//
// Frames must be palette images (Indexed1/4/8) or Gray8 (written with a
// grey table); other layouts are Unsupported, since choosing a palette is
// the caller's business. Palette alpha is not stored: transparency is the
// frame's transparent index. A looping extension (NETSCAPE2.0) is written
// for animations.
#pragma once

#include "encoder_image.h"

#include <span>

namespace vellumark::codecs {

struct GifFrame {
    EncoderImage image;
    std::uint32_t delayCentiseconds = 0; // up to 65535
    int transparentIndex = -1;           // -1 for none, else 0 to 255
};

struct GifOptions {
    // Times an animation repeats, 0 for ever, up to 65535; -1 writes no
    // looping extension, so it plays once. Ignored for a single frame.
    int loopCount = 0;
};

// Replaces `out` with the file, or returns the error and leaves it alone.
EncodeError EncodeGif(std::span<const GifFrame> frames, const GifOptions& options, ByteBuffer& out);

} // namespace vellumark::codecs
