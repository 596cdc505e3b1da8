#include "bench/floor_avatar.h"
#include "bench/photo_inputs.h"
#include "codecs/picture_decoder.h"

#include <gtest/gtest.h>

namespace vellumark::bench {
namespace {

codecs::Bgra8Image Decode(std::span<const std::uint8_t> file) {
    codecs::DecodeResult decoded = codecs::DecodePicture(file);
    EXPECT_EQ(decoded.error, codecs::DecodeError::None);
    return decoded.image.value_or(codecs::Bgra8Image{});
}

const std::uint8_t* PixelAt(const codecs::Bgra8Image& image, std::uint32_t x, std::uint32_t y) {
    return image.pixels.data() + (std::size_t{y} * image.width + x) * 4;
}

// Every pixel of the output is either transparent (outside the disc) or the
// source pixel at the same place; the centre is inside and the corners out.
void ExpectDiscOfTopLeftSquare(const codecs::Bgra8Image& source, const codecs::Bgra8Image& disc) {
    const std::uint32_t side = std::min(source.width, source.height);
    ASSERT_EQ(disc.width, side);
    ASSERT_EQ(disc.height, side);
    for (std::uint32_t y = 0; y < side; ++y) {
        for (std::uint32_t x = 0; x < side; ++x) {
            const std::uint8_t* got = PixelAt(disc, x, y);
            const double dx = x + 0.5 - side / 2.0;
            const double dy = y + 0.5 - side / 2.0;
            if (dx * dx + dy * dy <= side * side / 4.0) {
                ASSERT_TRUE(std::equal(got, got + 4, PixelAt(source, x, y))) << x << "," << y;
            } else {
                ASSERT_EQ(got[3], 0) << x << "," << y;
            }
        }
    }
    for (const auto& [x, y] :
         {std::pair{0U, 0U}, {side - 1, 0U}, {0U, side - 1}, {side - 1, side - 1}}) {
        EXPECT_EQ(PixelAt(disc, x, y)[3], 0);
    }
}

TEST(FloorAvatarPng, WideJpegGivesTheDiscOfItsLeftSquare) {
    const auto file = EncodePhotoJpeg(PhotoPixels(90, 60, false, 5), 90, 60);
    ExpectDiscOfTopLeftSquare(Decode(file), Decode(FloorAvatarPng(file)));
}

TEST(FloorAvatarPng, TallPngKeepsItsOwnTransparencyInsideTheDisc) {
    const auto file = EncodePhotoPng(PhotoPixels(50, 80, true, 6), 50, 80);
    const codecs::Bgra8Image source = Decode(file);
    ExpectDiscOfTopLeftSquare(source, Decode(FloorAvatarPng(file)));
}

TEST(FloorAvatarPng, OnePixelPictureGivesOnePixel) {
    const auto file = EncodePhotoPng(PhotoPixels(1, 1, true, 7), 1, 1);
    const codecs::Bgra8Image disc = Decode(FloorAvatarPng(file));
    EXPECT_EQ(disc.width, 1U);
    EXPECT_EQ(disc.height, 1U);
}

TEST(FloorAvatarPng, AnythingButAWholeJpegOrPngGivesNothing) {
    const auto jpeg = EncodePhotoJpeg(PhotoPixels(40, 40, false, 8), 40, 40);
    const auto png = EncodePhotoPng(PhotoPixels(40, 40, true, 8), 40, 40);
    const std::vector<std::vector<std::uint8_t>> bad{
        {},
        {0xFF, 0xD8},
        {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'},
        std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 20),
        std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
        std::vector<std::uint8_t>(png.begin(),
                                  png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2)),
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_TRUE(FloorAvatarPng(bad[i]).empty()) << "case " << i;
    }
}

} // namespace
} // namespace vellumark::bench
