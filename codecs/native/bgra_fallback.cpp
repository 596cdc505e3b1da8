#include "codecs/native/bgra_fallback.h"

#include <cstring>

namespace vellumark::codecs::native {

DecodeError AddBgraFrame(const Bgra8Image& image, NativeLayout layout, FrameAllocator& frames) {
    FrameBuffer buffer;
    if (const DecodeError added = frames.Add({image.width, image.height, layout, {}}, buffer);
        added != DecodeError::None) {
        return added;
    }
    const std::size_t rowBytes = std::size_t{image.width} * 4;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        std::memcpy(buffer.scan0 + y * buffer.stride, image.pixels.data() + y * rowBytes, rowBytes);
    }
    return DecodeError::None;
}

} // namespace vellumark::codecs::native
