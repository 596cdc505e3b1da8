// JPEG through libjpeg-turbo: baseline and progressive, greyscale, YCbCr,
// RGB, CMYK and YCCK, decoded straight to BGRA. Reduced-scale decoding
// (1/2, 1/4, 1/8) is offered through DecodeOptions. A file that ends before
// its last scan is malformed, not shown half-decoded.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <memory>
#include <span>

namespace vellumark::codecs {

class JpegDecoder final : public PictureCodec {
public:
    // FF D8 at the start.
    static bool Sniff(std::span<const std::uint8_t> data);
    // Reads the headers up to the first frame's size.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    struct Session; // libjpeg's state; lives at a fixed address

    explicit JpegDecoder(std::unique_ptr<Session> session);
    ~JpegDecoder() override;

    PictureSize Size() const override;

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    std::unique_ptr<Session> session_;
};

} // namespace vellumark::codecs
