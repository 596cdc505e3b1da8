#include "codecs/icon_decoder.h"

namespace vellumark::codecs {

namespace {

// ICONDIR: reserved 0, type (1 icon, 2 cursor), entry count; all 16-bit LE.
bool HasDirectory(std::span<const std::uint8_t> data, std::uint8_t type) {
    return data.size() >= 6 && data[0] == 0 && data[1] == 0 && data[2] == type && data[3] == 0 &&
           (data[4] != 0 || data[5] != 0);
}

} // namespace

bool IconDecoder::SniffIcon(std::span<const std::uint8_t> data) {
    return HasDirectory(data, 1);
}

bool IconDecoder::SniffCursor(std::span<const std::uint8_t> data) {
    return HasDirectory(data, 2);
}

CodecCreation IconDecoder::Create(std::span<const std::uint8_t>) {
    return CreationFailed(DecodeError::Unsupported); // decoding follows
}

IconDecoder::IconDecoder(Entry chosen) : chosen_(chosen) {}

DecodeError IconDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image&) {
    return DecodeError::Unsupported;
}

} // namespace vellumark::codecs
