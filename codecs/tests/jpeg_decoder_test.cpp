#include "codecs/picture_decoder.h"
#include "codecs/tests/qt_reference.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::DecodeWithQt;
using testing::EncodeWithQt;
using testing::MaxChannelDifference;
using testing::TestPattern;

// Offset of the SOF0 marker's height field in a Qt-written baseline JPEG.
std::size_t FrameSizeOffset(const testing::ByteVector& jpeg) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            return i + 5;
        }
    }
    return 0;
}

TEST(JpegDecoder, ColourAndGreyMatchQt) {
    const QImage colour = TestPattern(37, 29, false);
    const QImage grey = colour.convertToFormat(QImage::Format_Grayscale8);
    for (const QImage& source : {colour, grey}) {
        const auto jpeg = EncodeWithQt(source, "jpg", 90);
        ASSERT_FALSE(jpeg.empty());
        const DecodeResult result = DecodePicture(jpeg);
        ASSERT_EQ(result.error, DecodeError::None);
        EXPECT_EQ(result.format, PictureFormat::Jpeg);
        EXPECT_EQ(result.sourceWidth, 37u);
        EXPECT_EQ(result.sourceHeight, 29u);
        // Both sides run libjpeg; only the colour conversion may round differently.
        EXPECT_LE(MaxChannelDifference(*result.image, DecodeWithQt(jpeg)), 2);
    }
}

TEST(JpegDecoder, ReducedScaleNeverGoesBelowTheMinimum) {
    const auto jpeg = EncodeWithQt(TestPattern(640, 480, false), "jpg", 80);
    struct Case {
        DecodeOptions options;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {{0, 0}, 640, 480},                           // full size by default
        {{100, 100}, 160, 120},                       // 1/8 would give 80 x 60
        {{80, 60}, 80, 60},                           // 1/8 exactly
        {{1, 1}, 80, 60},       {{321, 0}, 640, 480}, // half would be one pixel too narrow
        {{0, 241}, 640, 480},   {{320, 240}, 320, 240}, {{5000, 5000}, 640, 480}, // never enlarged
    };
    for (const Case& c : cases) {
        const DecodeResult result = DecodePicture(jpeg, c.options);
        ASSERT_EQ(result.error, DecodeError::None);
        EXPECT_EQ(result.image->width, c.width) << c.options.minWidth << "x" << c.options.minHeight;
        EXPECT_EQ(result.image->height, c.height)
            << c.options.minWidth << "x" << c.options.minHeight;
        EXPECT_EQ(result.image->pixels.size(), std::size_t{c.width} * c.height * 4);
        EXPECT_EQ(result.sourceWidth, 640u);
        EXPECT_EQ(result.sourceHeight, 480u);
    }
}

TEST(JpegDecoder, TruncatedFileIsMalformed) {
    auto jpeg = EncodeWithQt(TestPattern(64, 64, false), "jpg", 90);
    for (std::size_t keep : {std::size_t{8}, std::size_t{200}, jpeg.size() / 2, jpeg.size() - 2}) {
        testing::ByteVector cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(keep));
        const DecodeResult result = DecodePicture(cut);
        EXPECT_EQ(result.format, PictureFormat::Jpeg);
        EXPECT_EQ(result.error, DecodeError::Malformed) << keep;
        EXPECT_FALSE(result.image.has_value());
    }
}

TEST(JpegDecoder, HugeFrameIsOverLimitBeforeDecoding) {
    const auto small = EncodeWithQt(TestPattern(16, 16, false), "jpg", 90);
    const std::size_t at = FrameSizeOffset(small);
    ASSERT_NE(at, 0u);
    // 60000 is within libjpeg's limit but not ours; 65535 is beyond both.
    for (std::uint8_t high : {std::uint8_t{0xEA}, std::uint8_t{0xFF}}) {
        auto jpeg = small;
        jpeg[at] = jpeg[at + 2] = high;
        jpeg[at + 1] = jpeg[at + 3] = high == 0xEA ? 0x60 : 0xFF;
        const DecodeResult result = DecodePicture(jpeg);
        EXPECT_EQ(result.error, DecodeError::OverLimit) << int{high};
        EXPECT_FALSE(result.image.has_value());
    }
}

TEST(JpegDecoder, ZeroHeightIsMalformed) {
    auto jpeg = EncodeWithQt(TestPattern(16, 16, false), "jpg", 90);
    const std::size_t at = FrameSizeOffset(jpeg);
    ASSERT_NE(at, 0u);
    jpeg[at] = 0;
    jpeg[at + 1] = 0;
    EXPECT_EQ(DecodePicture(jpeg).error, DecodeError::Malformed);
}

} // namespace
} // namespace vellumark::codecs
