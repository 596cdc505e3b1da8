// Adds frames to a picture under the limits: the frame's size, the number
// of frames and the bytes of all frames together are checked before the
// sink is asked for any memory.
#pragma once

#include "codecs/native/native_picture.h"

#include <cstdint>

namespace vellumark::codecs::native {

class FrameAllocator {
public:
    FrameAllocator(FrameSink& sink, NativePicture& picture) : sink_(sink), picture_(picture) {}

    // Appends `frame` to the picture and gets its memory. Malformed for a
    // zero side, OverLimit beyond the limits or when the sink has none.
    DecodeError Add(NativeFrame frame, FrameBuffer& buffer);

private:
    FrameSink& sink_;
    NativePicture& picture_;
    std::uint64_t totalBytes_ = 0;
};

} // namespace vellumark::codecs::native
