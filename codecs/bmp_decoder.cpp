#include "codecs/bmp_decoder.h"

namespace vellumark::codecs {

bool BmpDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

CodecCreation BmpDecoder::Create(std::span<const std::uint8_t>) {
    return CreationFailed(DecodeError::Unsupported); // decoding follows
}

BmpDecoder::BmpDecoder(DibLayout layout) : layout_(layout) {}

DecodeError BmpDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image&) {
    return DecodeError::Unsupported;
}

} // namespace vellumark::codecs
