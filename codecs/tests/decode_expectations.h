// Shared checks for the decoder tests.
#pragma once

#include "codecs/picture_decoder.h"
#include "codecs/tests/qt_reference.h"

#include <array>
#include <gtest/gtest.h>
#include <span>

namespace vellumark::codecs::testing {

struct FailureCase {
    const char* name;
    ByteVector bytes;
    DecodeError expected;
};

// Each case must fail with its error and hand out no image.
inline void ExpectFailures(std::span<const FailureCase> cases) {
    for (const FailureCase& c : cases) {
        const DecodeResult result = DecodePicture(c.bytes);
        EXPECT_EQ(result.error, c.expected) << c.name;
        EXPECT_FALSE(result.image.has_value()) << c.name;
    }
}

// B, G, R, A of one output pixel.
inline std::array<std::uint8_t, 4> PixelAt(const Bgra8Image& image, std::uint32_t x,
                                           std::uint32_t y) {
    const std::uint8_t* p = image.pixels.data() + (std::size_t{y} * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The decoded image, with a test failure when decoding fails.
inline Bgra8Image DecodeOrFail(const ByteVector& bytes) {
    DecodeResult result = DecodePicture(bytes);
    EXPECT_EQ(result.error, DecodeError::None);
    return result.image.value_or(Bgra8Image{});
}

} // namespace vellumark::codecs::testing
