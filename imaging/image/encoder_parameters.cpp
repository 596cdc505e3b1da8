#include "imaging/image/encoder_parameters.h"

#include "imaging/image/library_block.h"

#include <algorithm>

namespace vellumark::imaging {

Bytes BuildEncoderParameterBlock(const EncoderParameterList& list) {
    // A count beyond the items would send the library reading past the block.
    const auto count =
        static_cast<std::uint32_t>(std::min<std::size_t>(list.count, list.items.size()));
    BlockWriter block;
    block.U32(count);
    block.Zeros(4);
    for (const EncoderParameterItem& item : list.items) {
        block.Raw(TextToGuid(item.category));
        block.U32(item.valueCount);
        block.U32(item.valueType);
        block.AddressOf(item.value);
    }
    return block.Take();
}

std::uint64_t EncoderValueBytes(std::uint32_t valueType, std::uint32_t valueCount) {
    switch (valueType) {
    case 1: // byte
    case 2: // ASCII
    case 7: // undefined
        return valueCount;
    case 3: // short
        return 2ull * valueCount;
    case 4: // long
        return 4ull * valueCount;
    case 5: // rational
    case 6: // long range
        return 8ull * valueCount;
    case 8: // rational range
        return 16ull * valueCount;
    default:
        return 0;
    }
}

EncoderParameterList ReadEncoderParameterBlock(std::span<const std::uint8_t> bytes) {
    const BlockReader block(bytes);
    EncoderParameterList list;
    if (block.Size() < kEncoderParameterHeaderBytes) {
        return list;
    }
    const std::size_t fits =
        (block.Size() - kEncoderParameterHeaderBytes) / kEncoderParameterItemBytes;
    const std::size_t count = std::min<std::size_t>(block.U32(0), fits);
    list.count = static_cast<std::uint32_t>(count);
    list.items.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kEncoderParameterHeaderBytes + kEncoderParameterItemBytes * i;
        EncoderParameterItem& item = list.items[i];
        item.category = GuidToText(block.Guid(at));
        item.valueCount = block.U32(at + 16);
        item.valueType = block.U32(at + 20);
        if (const auto value = block.Target(at + 24)) {
            item.value = block.Copy(*value, EncoderValueBytes(item.valueType, item.valueCount));
        }
    }
    return list;
}

} // namespace vellumark::imaging
