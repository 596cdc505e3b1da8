#include "codecs/picture_codec.h"

#include "codecs/checked_size.h"
#include "codecs/limits.h"

namespace vellumark::codecs {

DecodeError PictureCodec::DecodeFirstFrame(const DecodeOptions& options, Bgra8Image& out) {
    out = {};
    if (failure_ != DecodeError::None) {
        return failure_;
    }
    const DecodeError error = DecodeFirstFrameImpl(options, out);
    if (error != DecodeError::None) {
        failure_ = error;
        out = {};
    }
    return error;
}

DecodeError AllocateBgra(std::uint32_t width, std::uint32_t height, Bgra8Image& out) {
    if (width == 0 || height == 0) {
        return DecodeError::Malformed;
    }
    if (!WithinPixelLimits(width, height)) {
        return DecodeError::OverLimit;
    }
    const auto bytes = CheckedProduct({width, height, 4});
    if (!bytes) {
        return DecodeError::OverLimit;
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(*bytes, 0);
    return DecodeError::None;
}

} // namespace vellumark::codecs
