// ZSoft PCX, the run-length variants the picture boxes accept: 8 bits per
// plane with one plane (256-colour palette at the end of the file), three
// planes (RGB) or four (RGBA); and version 3 with 1 bit per plane, one plane
// (black and white) or four (the 16 standard EGA colours, since version 3
// carries no palette).
#pragma once

#include "codecs/picture_codec.h"

#include <array>
#include <cstdint>
#include <functional>
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

    // Reads and checks the header as Create does.
    static DecodeError ReadHeader(std::span<const std::uint8_t> data, Header& header);

    // The colour of palette index `index` (R, G, B) for the 1-bit layouts,
    // which carry no palette: black and white for one plane, the 16 EGA
    // colours for four.
    static std::array<std::uint8_t, 3> ImpliedColour(const Header& header, unsigned int index);

    PcxDecoder(std::span<const std::uint8_t> data, Header header);

    PictureSize Size() const override { return {header_.width, header_.height}; }
    const Header& header() const { return header_; }

    // Checks that the data can fill the picture at all, then calls
    // `allocate` (whose failure ends the read), then expands every scan line
    // (all planes, bytesPerLine each) in order and hands it to `line` with
    // its row. `palette` gets the 256 R, G, B triples of an 8-bit one-plane
    // file before `allocate` runs, and stays empty otherwise.
    using LineVisitor = std::function<void(std::uint32_t, std::span<const std::uint8_t>)>;
    DecodeError ReadLines(std::span<const std::uint8_t>& palette,
                          const std::function<DecodeError()>& allocate,
                          const LineVisitor& line) const;

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    std::span<const std::uint8_t> data_;
    Header header_;
};

} // namespace vellumark::codecs
