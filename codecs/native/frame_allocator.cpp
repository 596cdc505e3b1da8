#include "codecs/native/frame_allocator.h"

#include "codecs/checked_size.h"
#include "codecs/native/native_limits.h"

namespace vellumark::codecs::native {

DecodeError FrameAllocator::Add(NativeFrame frame, FrameBuffer& buffer) {
    if (frame.width == 0 || frame.height == 0) {
        return DecodeError::Malformed;
    }
    if (!WithinPixelLimits(frame.width, frame.height) || picture_.frames.size() >= kMaxFrames) {
        return DecodeError::OverLimit;
    }
    const auto rowBytes = LayoutRowBytes(frame.layout, frame.width);
    const auto bytes = rowBytes ? CheckedProduct({*rowBytes, frame.height}) : std::nullopt;
    if (!bytes || totalBytes_ + *bytes > kMaxTotalFrameBytes) {
        return DecodeError::OverLimit;
    }
    const std::size_t index = picture_.frames.size();
    const std::optional<FrameBuffer> memory = sink_.Allocate(index, frame);
    if (!memory || memory->scan0 == nullptr || memory->stride < *rowBytes) {
        return DecodeError::OverLimit;
    }
    totalBytes_ += *bytes;
    picture_.frames.push_back(std::move(frame));
    buffer = *memory;
    return DecodeError::None;
}

} // namespace vellumark::codecs::native
