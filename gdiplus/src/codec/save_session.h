// A multi-frame save in progress: begun by a save with EncoderSaveFlag =
// MultiFrame, continued by SaveAdd / SaveAddImage, ended by Flush. The
// encoders write whole files, so every step rewrites the complete file at
// its destination; the file is valid after each step.
#pragma once

#include "codec/codec_table.h"
#include "codec/encoder_settings.h"
#include "codec/image_encoder.h"
#include "core/result.h"
#include "core/stream_ref.h"
#include "image/pixel_surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vellumark::gdiplus {

struct SaveSession {
    const CodecDescription* codec = nullptr;
    EncoderSettings settings;
    // Either a stream and where the file starts in it, or a file path.
    StreamRef stream;
    std::uint64_t streamStart = 0;
    std::string path;

    std::vector<PixelSurface> frames;
    std::vector<EncodeFrame> frameInfo; // dpi and delays, parallel to frames

    // Encodes every frame so far and writes the file to the destination.
    Result<void> write() const;
};

} // namespace vellumark::gdiplus
