// The shape every picture decoder has, so that the registry, DecodePicture
// and later the imaging library can drive any format the same way.
//
// A codec is created from the whole file (Create parses and checks the
// header, so the size is known before any pixel is decoded) and then asked
// for pixels. It keeps a view of the caller's bytes: the bytes must outlive
// the codec. Formats that later grow frames, palettes or metadata add their
// own queries next to DecodeFirstFrame without changing this contract.
#pragma once

#include "codecs/picture_decoder.h"

#include <cstdint>
#include <memory>

namespace vellumark::codecs {

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class PictureCodec {
public:
    virtual ~PictureCodec() = default;
    PictureCodec() = default;
    PictureCodec(const PictureCodec&) = delete;
    PictureCodec& operator=(const PictureCodec&) = delete;

    // The picture's own size, from its header.
    virtual PictureSize Size() const = 0;

    // Decodes the first frame (or the best icon entry) into `out`. Fails
    // with the error and leaves `out` empty; once failed, every later call
    // answers the same error without touching the file again.
    DecodeError DecodeFirstFrame(const DecodeOptions& options, Bgra8Image& out);

protected:
    virtual DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) = 0;

private:
    DecodeError failure_ = DecodeError::None;
};

// What Create answers: a codec exactly when error is None.
struct CodecCreation {
    DecodeError error = DecodeError::NotAPicture;
    std::unique_ptr<PictureCodec> codec;
};

template <class Codec, class... Args> CodecCreation Created(Args&&... args) {
    return {DecodeError::None, std::make_unique<Codec>(std::forward<Args>(args)...)};
}

inline CodecCreation CreationFailed(DecodeError error) {
    return {error, nullptr};
}

// Sizes the output for width x height pixels after checking the limits in
// codecs/limits.h; answers OverLimit (allocating nothing) or Malformed for a
// zero side. Pixels start as transparent black.
DecodeError AllocateBgra(std::uint32_t width, std::uint32_t height, Bgra8Image& out);

} // namespace vellumark::codecs
