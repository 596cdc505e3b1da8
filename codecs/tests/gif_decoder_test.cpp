#include "codecs/picture_decoder.h"
#include "codecs/tests/bmp_builder.h"
#include "codecs/tests/decode_expectations.h"
#include "codecs/tests/gif_writer.h"

#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::GifSpec;

GifSpec NoiseGif(int width, int height) {
    GifSpec layout;
    layout.screenWidth = layout.width = width;
    layout.screenHeight = layout.height = height;
    for (const auto& c : testing::NoisePalette(16)) {
        layout.colours.push_back({c[2], c[1], c[0]});
    }
    layout.indices = testing::NoiseBytes(static_cast<std::size_t>(width * height), 5);
    for (auto& index : layout.indices) {
        index &= 0x0F;
    }
    return layout;
}

TEST(GifDecoder, FirstFrameMatchesQt) {
    GifSpec plain = NoiseGif(19, 11);
    GifSpec interlaced = plain;
    interlaced.interlaced = true;
    GifSpec transparent = plain;
    transparent.transparentIndex = 3;
    GifSpec local = plain;
    local.localColourTable = true;
    const struct {
        const char* name;
        GifSpec layout;
    } cases[] = {{"plain", plain},
                 {"interlaced", interlaced},
                 {"transparent", transparent},
                 {"local colour table", local}};
    for (const auto& c : cases) {
        const auto gif = testing::WriteGif(c.layout);
        ASSERT_FALSE(gif.empty()) << c.name;
        const DecodeResult result = DecodePicture(gif);
        ASSERT_EQ(result.error, DecodeError::None) << c.name;
        EXPECT_EQ(result.format, PictureFormat::Gif);
        EXPECT_EQ(result.sourceWidth, 19u);
        EXPECT_EQ(testing::MaxChannelDifference(*result.image, testing::DecodeWithQt(gif)), 0)
            << c.name;
    }
}

TEST(GifDecoder, FrameSitsAtItsOffsetOnATransparentScreen) {
    GifSpec layout = NoiseGif(2, 2);
    layout.screenWidth = 5;
    layout.screenHeight = 4;
    layout.left = 3;
    layout.top = 1;
    layout.indices = {1, 2, 3, 4};
    layout.transparentIndex = 4;
    const DecodeResult result = DecodePicture(testing::WriteGif(layout));
    ASSERT_EQ(result.error, DecodeError::None);
    const Bgra8Image& image = *result.image;
    ASSERT_EQ(image.width, 5u);
    ASSERT_EQ(image.height, 4u);
    auto alpha = [&](std::size_t x, std::size_t y) { return image.pixels[(y * 5 + x) * 4 + 3]; };
    for (std::size_t y = 0; y < 4; ++y) {
        for (std::size_t x = 0; x < 5; ++x) {
            const bool covered = x >= 3 && y >= 1 && y <= 2 && !(x == 4 && y == 2);
            EXPECT_EQ(alpha(x, y), covered ? 255 : 0) << x << "," << y;
        }
    }
    const std::uint8_t* first = &image.pixels[(1 * 5 + 3) * 4];
    EXPECT_EQ(first[2], layout.colours[1][0]); // red
    EXPECT_EQ(first[0], layout.colours[1][2]); // blue
}

TEST(GifDecoder, FrameReachingPastTheScreenIsClipped) {
    GifSpec layout = NoiseGif(4, 4);
    layout.screenWidth = 3;
    layout.screenHeight = 2;
    layout.left = 1;
    const DecodeResult result = DecodePicture(testing::WriteGif(layout));
    ASSERT_EQ(result.error, DecodeError::None);
    EXPECT_EQ(result.image->width, 3u);
    EXPECT_EQ(result.image->height, 2u);
}

TEST(GifDecoder, BrokenFilesFail) {
    const auto good = testing::WriteGif(NoiseGif(30, 20));
    ASSERT_GT(good.size(), 60u);
    auto withScreen = [&](std::uint32_t width, std::uint32_t height) {
        auto bytes = good;
        testing::PutU16(bytes, 6, width);
        testing::PutU16(bytes, 8, height);
        return bytes;
    };
    testing::ByteVector noImage(good.begin(), good.begin() + 13 + 16 * 3);
    noImage.push_back(0x3B); // trailer right after the colour table
    const testing::FailureCase cases[] = {
        {"65535 x 65535 screen", withScreen(65535, 65535), DecodeError::OverLimit},
        {"zero screen width", withScreen(0, 20), DecodeError::Malformed},
        {"header only", testing::ByteVector(good.begin(), good.begin() + 13),
         DecodeError::Malformed},
        {"cut in the pixel data", testing::ByteVector(good.begin(), good.end() - 20),
         DecodeError::Malformed},
        {"no image before the trailer", noImage, DecodeError::Malformed},
    };
    testing::ExpectFailures(cases);
}

} // namespace
} // namespace vellumark::codecs
