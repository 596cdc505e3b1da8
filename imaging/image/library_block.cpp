#include "imaging/image/library_block.h"

#include "imaging/wide_text.h"

#include <algorithm>

namespace vellumark::imaging {

void BlockWriter::AddressOf(const Bytes& data) {
    const auto address = data.empty() ? 0 : reinterpret_cast<std::uintptr_t>(data.data());
    Little(address, sizeof(std::uintptr_t));
}

void BlockWriter::Little(std::uint64_t value, int width) {
    for (int byte = 0; byte < width; ++byte) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * byte)));
    }
}

namespace {

std::uint64_t ReadLittle(std::span<const std::uint8_t> block, std::size_t offset, int width) {
    const auto bytes = static_cast<std::size_t>(width);
    if (offset > block.size() || block.size() - offset < bytes) {
        return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t byte = 0; byte < bytes; ++byte) {
        value |= std::uint64_t{block[offset + byte]} << (8 * byte);
    }
    return value;
}

} // namespace

std::uint32_t BlockReader::U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(ReadLittle(block_, offset, 4));
}

std::uint64_t BlockReader::Address(std::size_t offset) const {
    return ReadLittle(block_, offset, sizeof(std::uintptr_t));
}

Bytes BlockReader::Guid(std::size_t offset) const {
    constexpr std::size_t kGuidBytes = 16;
    if (offset > block_.size() || block_.size() - offset < kGuidBytes) {
        return Bytes(kGuidBytes, 0);
    }
    const auto guid = block_.subspan(offset, kGuidBytes);
    return Bytes(guid.begin(), guid.end());
}

Bytes BlockReader::Copy(std::size_t offset, std::uint64_t length) const {
    if (offset >= block_.size()) {
        return {};
    }
    const auto available = block_.size() - offset;
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(length, available));
    const auto part = block_.subspan(offset, count);
    return Bytes(part.begin(), part.end());
}

Text BlockReader::WideString(std::size_t offset) const {
    std::size_t end = offset;
    while (end + 1 < block_.size() && (block_[end] != 0 || block_[end + 1] != 0)) {
        end += 2;
    }
    return WideToText(Copy(offset, end - offset));
}

std::optional<std::size_t> BlockReader::Target(std::size_t offset) const {
    const std::uint64_t address = Address(offset);
    const auto start = reinterpret_cast<std::uintptr_t>(block_.data());
    if (address == 0 || block_.empty() || address < start || address - start >= block_.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(address - start);
}

} // namespace vellumark::imaging
