#include "bench/photo_inputs.h"
#include "codecs/picture_decoder.h"

#include <gtest/gtest.h>
#include <set>

namespace vellumark::bench {
namespace {

TEST(PhotoPixels, SameSeedSameBytesOtherSeedOtherBytes) {
    EXPECT_EQ(PhotoPixels(64, 48, false, 3), PhotoPixels(64, 48, false, 3));
    EXPECT_NE(PhotoPixels(64, 48, false, 3), PhotoPixels(64, 48, false, 4));
    EXPECT_EQ(PhotoPixels(64, 48, true, 3).size(), std::size_t{64} * 48 * 4);
}

TEST(PhotoPixels, LookLikeAPhotoNotAFlatFill) {
    const auto rgb = PhotoPixels(128, 128, false, 1);
    std::set<std::uint32_t> colours;
    int grainSteps = 0;
    for (std::size_t i = 0; i + 3 < rgb.size(); i += 3) {
        colours.insert(std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
        grainSteps += rgb[i] != rgb[i + 3] ? 1 : 0;
    }
    EXPECT_GT(colours.size(), 4000U);     // rich colour, not a few flat areas
    EXPECT_GT(grainSteps, 128 * 128 / 2); // neighbours differ: sensor grain
}

TEST(PhotoPixels, AlphaRunsFromTransparentThroughPartialToOpaque) {
    const auto rgba = PhotoPixels(200, 150, true, 2);
    bool transparent = false;
    bool partial = false;
    bool opaque = false;
    for (std::size_t i = 3; i < rgba.size(); i += 4) {
        transparent |= rgba[i] == 0;
        opaque |= rgba[i] == 255;
        partial |= rgba[i] > 0 && rgba[i] < 255;
    }
    EXPECT_TRUE(transparent && partial && opaque);
}

TEST(StandardInputs, AreTheMeasuredFormatsAndSizes) {
    struct Expected {
        codecs::PictureFormat format;
        std::uint32_t width, height;
    };
    const std::vector<Expected> expected{{codecs::PictureFormat::Jpeg, 640, 640},
                                         {codecs::PictureFormat::Jpeg, 1920, 1080},
                                         {codecs::PictureFormat::Jpeg, 4032, 3024},
                                         {codecs::PictureFormat::Png, 1024, 768}};
    const auto& inputs = StandardInputs();
    ASSERT_EQ(inputs.size(), expected.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        // Reduced decoding keeps the check quick; the header sizes are what count.
        const codecs::DecodeResult decoded = codecs::DecodePicture(inputs[i].file, {64, 64});
        EXPECT_EQ(decoded.error, codecs::DecodeError::None) << inputs[i].name;
        EXPECT_EQ(decoded.format, expected[i].format) << inputs[i].name;
        EXPECT_EQ(decoded.sourceWidth, expected[i].width) << inputs[i].name;
        EXPECT_EQ(decoded.sourceHeight, expected[i].height) << inputs[i].name;
        EXPECT_EQ(inputs[i].width, expected[i].width);
        EXPECT_EQ(inputs[i].height, expected[i].height);
    }
    // A 12 MP photo of phone quality runs to megabytes, not a flat few hundred kB.
    EXPECT_GT(inputs[2].file.size(), std::size_t{3} << 19);
}

} // namespace
} // namespace vellumark::bench
