// Windows and OS/2 bitmaps ("BM" files): the file header here, the DIB that
// follows it in dib_reader.h.
#pragma once

#include "codecs/dib_reader.h"
#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

class BmpDecoder final : public PictureCodec {
public:
    // "BM" at the start.
    static bool Sniff(std::span<const std::uint8_t> data);
    // Reads the file and DIB headers and checks sizes, offsets and limits.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    // The file header and the DIB after it, as Create reads them; also
    // used by the imaging library's decoder, which keeps the stored depth.
    static DecodeError ParseFile(std::span<const std::uint8_t> data, DibLayout& layout);

    explicit BmpDecoder(DibLayout layout);

    PictureSize Size() const override { return {layout_.width, layout_.height}; }

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    DibLayout layout_;
};

} // namespace vellumark::codecs
