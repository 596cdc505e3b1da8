#include "codecs/byte_reader.h"

namespace vellumark::codecs {

bool ByteReader::Seek(std::size_t offset) {
    if (failed_ || offset > data_.size()) {
        return Fail();
    }
    position_ = offset;
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    if (failed_ || count > data_.size() - position_) {
        return Fail();
    }
    position_ += count;
    return true;
}

std::optional<std::span<const std::uint8_t>> ByteReader::Bytes(std::size_t count) {
    if (failed_ || count > data_.size() - position_) {
        Fail();
        return std::nullopt;
    }
    auto result = data_.subspan(position_, count);
    position_ += count;
    return result;
}

std::optional<std::span<const std::uint8_t>> ByteReader::At(std::size_t offset,
                                                            std::size_t count) const {
    if (offset > data_.size() || count > data_.size() - offset) {
        return std::nullopt;
    }
    return data_.subspan(offset, count);
}

std::optional<std::uint8_t> ByteReader::U8() {
    auto bytes = Bytes(1);
    if (!bytes) {
        return std::nullopt;
    }
    return (*bytes)[0];
}

std::optional<std::uint16_t> ByteReader::U16LE() {
    auto b = Bytes(2);
    if (!b) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>((*b)[0] | (*b)[1] << 8);
}

std::optional<std::uint16_t> ByteReader::U16BE() {
    auto b = Bytes(2);
    if (!b) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>((*b)[0] << 8 | (*b)[1]);
}

std::optional<std::uint32_t> ByteReader::U32LE() {
    auto b = Bytes(4);
    if (!b) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>((*b)[0]) | static_cast<std::uint32_t>((*b)[1]) << 8 |
           static_cast<std::uint32_t>((*b)[2]) << 16 | static_cast<std::uint32_t>((*b)[3]) << 24;
}

std::optional<std::uint32_t> ByteReader::U32BE() {
    auto b = Bytes(4);
    if (!b) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>((*b)[0]) << 24 | static_cast<std::uint32_t>((*b)[1]) << 16 |
           static_cast<std::uint32_t>((*b)[2]) << 8 | static_cast<std::uint32_t>((*b)[3]);
}

std::optional<std::int32_t> ByteReader::I32LE() {
    auto value = U32LE();
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

} // namespace vellumark::codecs
