// Encoder parameters in the caller's form and their library blocks.
//
// The library's block (the published 64-bit EncoderParameters layout):
//
//   offset 0        count (4 bytes), then 4 bytes of padding
//   offset 8 + 32i  item i: GUID (16), value count (4), value type (4),
//                   address of the values (8)
//
// A block built here points into the callers' value buffers, which must stay
// alive until the library call that takes the block returns.
#pragma once

#include "imaging/guid_text.h"
#include "platform/types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::imaging {

struct EncoderParameterItem {
    // A published encoder parameter GUID, such as quality or compression.
    GuidText category;
    std::uint32_t valueCount = 0;
    // EncoderParameterValueType: 1 byte, 2 ASCII, 3 short, 4 long,
    // 5 rational, 6 long range, 7 undefined, 8 rational range.
    std::uint32_t valueType = 0;
    Bytes value;
};

struct EncoderParameterList {
    // What the library is told; callers keep it equal to items.size().
    std::uint32_t count = 0;
    std::vector<EncoderParameterItem> items;
};

inline constexpr std::size_t kEncoderParameterHeaderBytes = 8;
inline constexpr std::size_t kEncoderParameterItemBytes = 32;

// The block for `list`: its count, then every item (whatever the count says).
// A count beyond the items is written as the number of items.
// A category that is not a GUID is written as 16 zero bytes; an empty value
// as a null address.
Bytes BuildEncoderParameterBlock(const EncoderParameterList& list);

// The bytes that `valueCount` values of `valueType` occupy; 0 for a type
// outside the published ones.
std::uint64_t EncoderValueBytes(std::uint32_t valueType, std::uint32_t valueCount);

// The list described by a block the library filled. Items that do not fit
// into the block are not read, and a value is copied only from inside the
// block and never past its end.
EncoderParameterList ReadEncoderParameterBlock(std::span<const std::uint8_t> block);

} // namespace vellumark::imaging
