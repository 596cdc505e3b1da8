#include "codecs/picture_decoder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace vellumark::codecs {
namespace {

struct SniffCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    PictureFormat expected;
};

std::vector<std::uint8_t> Padded(std::vector<std::uint8_t> start) {
    start.resize(16, 0);
    return start;
}

TEST(SniffPictureBoxFormat, SignatureTable) {
    const std::vector<SniffCase> cases = {
        {"jpeg", Padded({0xFF, 0xD8, 0xFF, 0xE0}), PictureFormat::Jpeg},
        {"bmp", Padded({'B', 'M'}), PictureFormat::Bmp},
        {"png", Padded({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), PictureFormat::Png},
        {"icon", Padded({0, 0, 1, 0, 1, 0}), PictureFormat::Icon},
        {"icon with 256 entries", Padded({0, 0, 1, 0, 0, 1}), PictureFormat::Icon},
        {"icon with no entries", Padded({0, 0, 1, 0, 0, 0}), PictureFormat::None},
        {"cursor", Padded({0, 0, 2, 0, 2, 0}), PictureFormat::Cursor},
        {"cursor with no entries", Padded({0, 0, 2, 0, 0, 0}), PictureFormat::None},
        {"directory of type 3", Padded({0, 0, 3, 0, 1, 0}), PictureFormat::None},
        {"gif87a", Padded({'G', 'I', 'F', '8', '7', 'a'}), PictureFormat::Gif},
        {"gif89a", Padded({'G', 'I', 'F', '8', '9', 'a'}), PictureFormat::Gif},
        {"gif88a", Padded({'G', 'I', 'F', '8', '8', 'a'}), PictureFormat::None},
        {"pcx v5 8-bit", Padded({0x0A, 5, 1, 8}), PictureFormat::Pcx},
        {"pcx v0 8-bit", Padded({0x0A, 0, 1, 8}), PictureFormat::Pcx},
        {"pcx v6 8-bit", Padded({0x0A, 6, 1, 8}), PictureFormat::None},
        {"pcx v3 1-bit", Padded({0x0A, 3, 1, 1}), PictureFormat::Pcx},
        {"pcx v5 1-bit", Padded({0x0A, 5, 1, 1}), PictureFormat::None},
        {"pcx v5 4-bit", Padded({0x0A, 5, 1, 4}), PictureFormat::None},
        {"pcx uncompressed", Padded({0x0A, 5, 0, 8}), PictureFormat::None},
        {"unknown", Padded({'R', 'I', 'F', 'F'}), PictureFormat::None},
        {"empty", {}, PictureFormat::None},
        {"seven bytes of jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0}, PictureFormat::None},
        {"eight bytes of jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0}, PictureFormat::Jpeg},
        {"seven bytes of png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A}, PictureFormat::None},
    };
    for (const SniffCase& c : cases) {
        EXPECT_EQ(SniffPictureBoxFormat(c.bytes), c.expected) << c.name;
    }
}

TEST(DecodePicture, UnknownBytesAreNotAPicture) {
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    const DecodeResult result = DecodePicture(text);
    EXPECT_EQ(result.format, PictureFormat::None);
    EXPECT_EQ(result.error, DecodeError::NotAPicture);
    EXPECT_FALSE(result.image.has_value());
}

} // namespace
} // namespace vellumark::codecs
