#include "codecs/bmp_decoder.h"

#include "codecs/byte_reader.h"

namespace vellumark::codecs {

namespace {

// BITMAPFILEHEADER: "BM", file size, two reserved words, pixel offset.
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kPixelOffsetField = 10;

} // namespace

bool BmpDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

DecodeError BmpDecoder::ParseFile(std::span<const std::uint8_t> data, DibLayout& layout) {
    if (!Sniff(data)) {
        return DecodeError::NotAPicture;
    }
    ByteReader reader(data);
    reader.Seek(kPixelOffsetField);
    const auto pixelOffset = reader.U32LE();
    if (!pixelOffset || *pixelOffset < kFileHeaderBytes) {
        return DecodeError::Malformed;
    }
    return ParseDib(data.subspan(kFileHeaderBytes), *pixelOffset - kFileHeaderBytes, false, layout);
}

CodecCreation BmpDecoder::Create(std::span<const std::uint8_t> data) {
    DibLayout layout;
    const DecodeError parsed = ParseFile(data, layout);
    if (parsed != DecodeError::None) {
        return CreationFailed(parsed);
    }
    return Created<BmpDecoder>(layout);
}

BmpDecoder::BmpDecoder(DibLayout layout) : layout_(layout) {}

DecodeError BmpDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image& out) {
    return DecodeDibPixels(layout_, out);
}

} // namespace vellumark::codecs
