// GIF through giflib: the first frame, placed on the logical screen, with
// its transparent colour. Areas of the screen the frame does not cover are
// transparent.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

class GifDecoder final : public PictureCodec {
public:
    // "GIF87a" or "GIF89a".
    static bool Sniff(std::span<const std::uint8_t> data);
    // Reads the logical screen descriptor.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    GifDecoder(std::span<const std::uint8_t> data, PictureSize screen);

    PictureSize Size() const override { return screen_; }

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    std::span<const std::uint8_t> data_;
    PictureSize screen_;
};

} // namespace vellumark::codecs
