// The one place where sizes derived from file fields are multiplied or
// added: every stride, row, palette and image size goes through these, so an
// overflow becomes "no size" instead of a short allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace vellumark::codecs {

// Product of all factors, or nothing when it does not fit in size_t.
constexpr std::optional<std::size_t> CheckedProduct(std::initializer_list<std::uint64_t> factors) {
    std::size_t result = 1;
    for (std::uint64_t factor : factors) {
        if (factor > SIZE_MAX) {
            return std::nullopt;
        }
        if (__builtin_mul_overflow(result, static_cast<std::size_t>(factor), &result)) {
            return std::nullopt;
        }
    }
    return result;
}

// Sum of two sizes, or nothing on overflow.
constexpr std::optional<std::size_t> CheckedSum(std::uint64_t a, std::uint64_t b) {
    std::size_t result = 0;
    if (a > SIZE_MAX || b > SIZE_MAX ||
        __builtin_add_overflow(static_cast<std::size_t>(a), static_cast<std::size_t>(b), &result)) {
        return std::nullopt;
    }
    return result;
}

// Bytes in one row of `width` pixels at `bitsPerPixel`, padded up to a
// multiple of `alignment` bytes (4 for BMP rows, 1 for tightly packed data).
constexpr std::optional<std::size_t> RowBytes(std::uint64_t width, std::uint32_t bitsPerPixel,
                                              std::uint32_t alignment) {
    const auto bits = CheckedProduct({width, bitsPerPixel});
    if (!bits || alignment == 0) {
        return std::nullopt;
    }
    const std::size_t bytes = *bits / 8 + (*bits % 8 != 0 ? 1 : 0);
    const auto padded = CheckedSum(bytes, alignment - 1);
    if (!padded) {
        return std::nullopt;
    }
    return *padded / alignment * alignment;
}

} // namespace vellumark::codecs
