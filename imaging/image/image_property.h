// A metadata property item in the caller's form and its library block (the
// published 64-bit PropertyItem layout):
//
//   offset 0   property id (4)
//   offset 4   value length in bytes (4)
//   offset 8   value type (2), then 6 bytes of padding
//   offset 16  address of the value (8)
//   offset 24  the value itself, in blocks the library fills
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <span>

namespace vellumark::imaging {

struct ImageProperty {
    // A published property tag id, such as 0x5100 for the frame delays.
    std::uint32_t propertyId = 0;
    std::uint32_t valueLength = 0;
    // A published property type (1 byte, 2 ASCII, 3 short, 4 long, ...).
    std::uint32_t valueType = 0;
    Bytes value;
};

inline constexpr std::size_t kPropertyItemHeaderBytes = 24;
inline constexpr std::uint32_t kFrameDelayPropertyId = 0x5100;

// The 24-byte block for `property`, pointing at its value (null when the
// value is empty). The length never exceeds the value, so the library cannot
// be sent reading past the caller's buffer.
Bytes BuildPropertyItemBlock(const ImageProperty& property);

// The property in a block the library filled. The value is copied from right
// after the header, at most valueLength bytes and never past the block; the
// record's valueLength is the length copied.
ImageProperty ReadPropertyItemBlock(std::span<const std::uint8_t> block);

} // namespace vellumark::imaging
