// PNG through libpng: every colour type and bit depth, tRNS transparency,
// interlacing. Plain 8-bit RGB and RGBA files take a faster inflate path
// first (png_inflate_path.h) with the same result. 16-bit samples are rounded to 8 bits; gamma and colour
// profiles are not applied (the samples are shown as stored). Trailing
// chunks after the image data are not read.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

class PngDecoder final : public PictureCodec {
public:
    // The eight-byte PNG signature.
    static bool Sniff(std::span<const std::uint8_t> data);
    // Reads the IHDR chunk, which must come first, and checks its size.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    PngDecoder(std::span<const std::uint8_t> data, PictureSize size);

    PictureSize Size() const override { return size_; }

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    std::span<const std::uint8_t> data_;
    PictureSize size_;
};

} // namespace vellumark::codecs
