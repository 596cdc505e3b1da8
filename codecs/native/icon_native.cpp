#include "codecs/native/icon_native.h"

#include "codecs/icon_decoder.h"
#include "codecs/native/bgra_fallback.h"

#include <algorithm>

namespace vellumark::codecs::native {

DecodeError DecodeIcon(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    std::vector<IconDecoder::Entry> entries = IconDecoder::Entries(data);
    if (entries.empty()) {
        return DecodeError::Malformed;
    }
    const auto best =
        std::max_element(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return IconDecoder::Better(b, a); });
    std::rotate(entries.begin(), best, best + 1);
    out.format = NativeFormat::Icon;
    out.dimension = FrameDimension::Page;
    FrameAllocator frames(sink, out);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Bgra8Image image;
        const DecodeError decoded = IconDecoder::DecodeEntry(entries[i], {}, image);
        if (decoded == DecodeError::None) {
            if (const DecodeError added = AddBgraFrame(image, NativeLayout::Bgra32, frames);
                added != DecodeError::None) {
                return added;
            }
        } else if (i == 0) {
            return decoded;
        }
    }
    return DecodeError::None;
}

} // namespace vellumark::codecs::native
