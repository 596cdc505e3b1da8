// Encoding frames of pixels into a whole file with one of the built-in
// encoders. Each surface is handed to codecs/encoders in the layout that
// keeps its information: palettes stay palettes, alpha stays where the
// format stores it, 48/64-bit pixels stay 16-bit for PNG and TIFF.
#pragma once

#include "codec/codec_table.h"
#include "codec/encoder_settings.h"
#include "core/result.h"
#include "image/pixel_surface.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

struct EncodeFrame {
    const PixelSurface* pixels = nullptr;
    double dpiX = 96;
    double dpiY = 96;
    std::uint32_t delayCentiseconds = 0; // GIF animations
    // Times a GIF animation repeats (the loop-count property), 0 for ever;
    // read from the first frame.
    std::uint16_t loopCount = 0;
};

// Formats without multi-frame support (BMP, JPEG, PNG) take the first frame.
// GIF frames that are not indexed go through the default 256-colour palette;
// when their format has alpha, pixels with alpha below one half become a
// transparent index of their own. Indexed frames keep their palette, with
// the first entry whose alpha is below one half as the transparent index.
Result<std::vector<std::uint8_t>> encodeFrames(const CodecDescription& codec,
                                               std::span<const EncodeFrame> frames,
                                               const EncoderSettings& settings);

} // namespace vellumark::gdiplus
