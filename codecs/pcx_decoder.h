// ZSoft PCX, the run-length variants the picture boxes accept: 8 bits per
// plane with one plane (256-colour palette at the end of the file), three
// planes (RGB) or four (RGBA); and version 3 with 1 bit per plane, one plane
// (black and white) or four (the 16 standard EGA colours, since version 3
// carries no palette).
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

class PcxDecoder final : public PictureCodec {
public:
    // 0A, version <= 5, encoding 1, 8 bits; or 0A, version 3, encoding 1, 1 bit.
    static bool Sniff(std::span<const std::uint8_t> data);
    // Reads the 128-byte header and checks sizes and limits.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    struct Header {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t bitsPerPlane = 0;
        std::uint32_t planes = 0;
        std::uint32_t bytesPerLine = 0;
        std::uint32_t version = 0;
    };

    PcxDecoder(std::span<const std::uint8_t> data, Header header);

    PictureSize Size() const override { return {header_.width, header_.height}; }

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    std::span<const std::uint8_t> data_;
    Header header_;
};

} // namespace vellumark::codecs
