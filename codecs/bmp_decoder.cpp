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

CodecCreation BmpDecoder::Create(std::span<const std::uint8_t> data) {
    if (!Sniff(data)) {
        return CreationFailed(DecodeError::NotAPicture);
    }
    ByteReader reader(data);
    reader.Seek(kPixelOffsetField);
    const auto pixelOffset = reader.U32LE();
    if (!pixelOffset || *pixelOffset < kFileHeaderBytes) {
        return CreationFailed(DecodeError::Malformed);
    }
    DibLayout layout;
    const DecodeError parsed =
        ParseDib(data.subspan(kFileHeaderBytes), *pixelOffset - kFileHeaderBytes, false, layout);
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
