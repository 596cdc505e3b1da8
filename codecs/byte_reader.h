// A bounds-checked cursor over file bytes. Reading past the end never reads
// out of bounds: the read reports failure (std::nullopt or false) and the
// reader stays failed, so a parser can read a whole header and check once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vellumark::codecs {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t position() const { return position_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return failed_ ? 0 : data_.size() - position_; }
    bool failed() const { return failed_; }

    // Moves to an absolute offset; past the end fails the reader.
    bool Seek(std::size_t offset);
    bool Skip(std::size_t count);

    std::optional<std::uint8_t> U8();
    std::optional<std::uint16_t> U16LE();
    std::optional<std::uint32_t> U32LE();
    std::optional<std::int32_t> I32LE();
    std::optional<std::uint16_t> U16BE();
    std::optional<std::uint32_t> U32BE();

    // The next `count` bytes without copying, or nothing when fewer remain.
    std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count);

    // A sub-span at an absolute offset, independent of the cursor.
    std::optional<std::span<const std::uint8_t>> At(std::size_t offset, std::size_t count) const;

private:
    bool Fail() {
        failed_ = true;
        return false;
    }

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

} // namespace vellumark::codecs
