// Appending fixed-width integers to a byte buffer in a file format's byte
// order.
#pragma once

#include "encoder_image.h"

#include <cstdint>

namespace vellumark::codecs {

inline void AppendBe16(ByteBuffer& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

inline void AppendBe32(ByteBuffer& out, std::uint32_t v) {
    AppendBe16(out, v >> 16);
    AppendBe16(out, v & 0xFFFFu);
}

inline void AppendLe16(ByteBuffer& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void AppendLe32(ByteBuffer& out, std::uint32_t v) {
    AppendLe16(out, v & 0xFFFFu);
    AppendLe16(out, v >> 16);
}

} // namespace vellumark::codecs
