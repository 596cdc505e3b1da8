#include "codecs/picture_decoder.h"

#include "codecs/codec_registry.h"

namespace vellumark::codecs {

namespace {

// The picture boxes look at no picture shorter than this.
constexpr std::size_t kMinimumSniffBytes = 8;

} // namespace

PictureFormat SniffPictureBoxFormat(std::span<const std::uint8_t> data) {
    if (data.size() < kMinimumSniffBytes) {
        return PictureFormat::None;
    }
    for (const CodecEntry& entry : RegisteredCodecs()) {
        if (entry.sniff(data)) {
            return entry.format;
        }
    }
    return PictureFormat::None;
}

DecodeResult DecodePicture(std::span<const std::uint8_t> data, const DecodeOptions& options) {
    DecodeResult result;
    result.format = SniffPictureBoxFormat(data);
    const CodecEntry* entry = FindCodec(result.format);
    if (entry == nullptr) {
        result.error = DecodeError::NotAPicture;
        return result;
    }
    CodecCreation created = entry->create(data);
    if (created.error != DecodeError::None) {
        result.error = created.error;
        return result;
    }
    const PictureSize size = created.codec->Size();
    result.sourceWidth = size.width;
    result.sourceHeight = size.height;
    Bgra8Image image;
    result.error = created.codec->DecodeFirstFrame(options, image);
    if (result.error == DecodeError::None) {
        result.image = std::move(image);
    }
    return result;
}

} // namespace vellumark::codecs
