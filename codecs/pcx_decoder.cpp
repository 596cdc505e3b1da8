#include "codecs/pcx_decoder.h"

namespace vellumark::codecs {

namespace {

constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kRunLengthEncoding = 1;

} // namespace

bool PcxDecoder::Sniff(std::span<const std::uint8_t> data) {
    if (data.size() < 4 || data[0] != kManufacturer || data[2] != kRunLengthEncoding) {
        return false;
    }
    const std::uint8_t version = data[1];
    const std::uint8_t bits = data[3];
    return (version <= 5 && bits == 8) || (version == 3 && bits == 1);
}

CodecCreation PcxDecoder::Create(std::span<const std::uint8_t>) {
    return CreationFailed(DecodeError::Unsupported); // decoding follows
}

PcxDecoder::PcxDecoder(std::span<const std::uint8_t> data, Header header)
    : data_(data), header_(header) {}

DecodeError PcxDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image&) {
    return DecodeError::Unsupported;
}

} // namespace vellumark::codecs
