#include "codecs/native/bgra_fallback.h"

#include "codecs/native/frame_allocator.h"

#include <cstring>

namespace vellumark::codecs::native {

DecodeError DecodeAsBgra(std::span<const std::uint8_t> data, NativeFormat format, FrameSink& sink,
                         NativePicture& out) {
    DecodeResult decoded = DecodePicture(data);
    if (decoded.error != DecodeError::None || !decoded.image) {
        return decoded.error;
    }
    out.format = format;
    const Bgra8Image& image = *decoded.image;
    FrameBuffer buffer;
    FrameAllocator frames(sink, out);
    if (const DecodeError added =
            frames.Add({image.width, image.height, NativeLayout::Bgra32, {}}, buffer);
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
