// The body every fuzz target shares: create a codec from the input, decode
// its first frame, and check the answer is consistent.
#pragma once

#include "codecs/picture_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace vellumark::fuzz {

inline void DecodeWith(codecs::CodecCreation (*create)(std::span<const std::uint8_t>),
                       const std::uint8_t* data, std::size_t size) {
    const codecs::CodecCreation created = create({data, size});
    if (created.error != codecs::DecodeError::None) {
        return;
    }
    codecs::Bgra8Image image;
    if (created.codec->DecodeFirstFrame({}, image) == codecs::DecodeError::None &&
        image.pixels.size() != std::size_t{image.width} * image.height * 4) {
        std::abort(); // a success must hand out a whole picture
    }
}

} // namespace vellumark::fuzz
