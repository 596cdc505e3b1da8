#include "imaging/image/image_property.h"

#include "imaging/image/library_block.h"

#include <algorithm>

namespace vellumark::imaging {

Bytes BuildPropertyItemBlock(const ImageProperty& property) {
    const auto length = static_cast<std::uint32_t>(
        std::min<std::size_t>(property.valueLength, property.value.size()));
    BlockWriter block;
    block.U32(property.propertyId);
    block.U32(length);
    // The type is a 16-bit field; the low 32 bits go in, the top half landing
    // in the padding the library ignores.
    block.U32(property.valueType);
    block.Zeros(4);
    block.AddressOf(property.value);
    return block.Take();
}

ImageProperty ReadPropertyItemBlock(std::span<const std::uint8_t> bytes) {
    const BlockReader block(bytes);
    ImageProperty property;
    property.propertyId = block.U32(0);
    property.valueType = block.U32(8);
    property.value = block.Copy(kPropertyItemHeaderBytes, block.U32(4));
    property.valueLength = static_cast<std::uint32_t>(property.value.size());
    return property;
}

} // namespace vellumark::imaging
