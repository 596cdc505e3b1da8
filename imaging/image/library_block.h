// Little-endian writing and bounds-checked reading of the records the flat
// API takes and fills (encoder parameters, palettes, property items, codec
// descriptions). Blocks use the published 64-bit layouts: addresses are
// eight bytes wide.
//
// A block the library filled is read only within the bytes it was given: a
// read past the end yields 0, and an address is followed only when it points
// back into the block, since that is where the library places the data it
// describes.
#pragma once

#include "platform/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace vellumark::imaging {

// Appends fields to a block being built for the library.
class BlockWriter {
public:
    void U16(std::uint16_t value) { Little(value, 2); }
    void U32(std::uint32_t value) { Little(value, 4); }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void Raw(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    // A pointer-sized address: the first byte of `data`, or 0 when empty.
    void AddressOf(const Bytes& data);
    Bytes Take() { return std::move(bytes_); }

private:
    void Little(std::uint64_t value, int width);
    Bytes bytes_;
};

// Reads fields of a block the library filled, never past its end.
class BlockReader {
public:
    explicit BlockReader(std::span<const std::uint8_t> block) : block_(block) {}

    std::size_t Size() const { return block_.size(); }
    // 0 for any byte beyond the block.
    std::uint32_t U32(std::size_t offset) const;
    std::uint64_t Address(std::size_t offset) const;
    // The 16 bytes at `offset`; 16 zero bytes when they do not all fit.
    Bytes Guid(std::size_t offset) const;
    // Up to `length` bytes from `offset`, cut at the end of the block.
    Bytes Copy(std::size_t offset, std::uint64_t length) const;
    // The UTF-16 string at `offset` up to its NUL or the end of the block.
    Text WideString(std::size_t offset) const;
    // Where the address stored at `offset` points inside the block: its
    // offset, or nothing for 0 and for addresses outside the block.
    std::optional<std::size_t> Target(std::size_t offset) const;

private:
    std::span<const std::uint8_t> block_;
};

} // namespace vellumark::imaging
