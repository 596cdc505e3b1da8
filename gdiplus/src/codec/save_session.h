// A save in progress. A plain save encodes straight from the bitmap's own
// frames and is dropped once the file is written; a multi-frame save, begun
// by a save with EncoderSaveFlag = MultiFrame and continued by SaveAdd /
// SaveAddImage until Flush, outlives the call, so it keeps copies of its
// frames. The encoders write whole files, so every step rewrites the
// complete file at its destination; the file is valid after each step.
#pragma once

#include "codec/codec_table.h"
#include "codec/encoder_settings.h"
#include "codec/image_encoder.h"
#include "core/result.h"
#include "core/stream_ref.h"
#include "image/pixel_surface.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace vellumark::gdiplus {

// A struct because image.h names it so; its frames stay private.
struct SaveSession {
    const CodecDescription* codec = nullptr;
    EncoderSettings settings;
    // Either a stream and where the file starts in it, or a file path.
    StreamRef stream;
    std::uint64_t streamStart = 0;
    std::string path;

    // Adds a frame the caller keeps alive and unchanged until the session
    // writes or keeps its own copies.
    void borrowFrame(const PixelSurface& pixels, EncodeFrame info);
    // Adds a copy of the frame.
    void copyFrame(const PixelSurface& pixels, EncodeFrame info);
    // Replaces every borrowed frame by a copy, so the session may outlive
    // the call that began it.
    void keepOwnFrames();

    // Encodes every frame so far and writes the file to the destination.
    Result<void> write() const;

private:
    bool owns(const PixelSurface* pixels) const;

    std::vector<EncodeFrame> frames_;
    std::deque<PixelSurface> ownFrames_; // a deque: adding keeps addresses
};

} // namespace vellumark::gdiplus
