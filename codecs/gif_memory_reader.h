// giflib reads through a callback; these let it read a GIF held in memory
// and close the file handle it returns when the handle goes out of scope.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <span>

namespace vellumark::codecs {

struct GifMemoryInput {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

// DGifOpen's input function: copies at most `wanted` bytes, never past the end.
inline int ReadGifFromMemory(GifFileType* gif, GifByteType* target, int wanted) {
    auto* input = static_cast<GifMemoryInput*>(gif->UserData);
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(wanted, 0)),
                                       input->data.size() - input->position);
    std::memcpy(target, input->data.data() + input->position, count);
    input->position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

} // namespace vellumark::codecs
