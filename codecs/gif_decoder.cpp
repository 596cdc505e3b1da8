#include "codecs/gif_decoder.h"

#include <cstring>

namespace vellumark::codecs {

bool GifDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= 6 && (std::memcmp(data.data(), "GIF87a", 6) == 0 ||
                                std::memcmp(data.data(), "GIF89a", 6) == 0);
}

CodecCreation GifDecoder::Create(std::span<const std::uint8_t>) {
    return CreationFailed(DecodeError::Unsupported); // decoding follows
}

GifDecoder::GifDecoder(std::span<const std::uint8_t> data, PictureSize screen)
    : data_(data), screen_(screen) {}

DecodeError GifDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image&) {
    return DecodeError::Unsupported;
}

} // namespace vellumark::codecs
