#include "codecs/picture_decoder.h"
#include "codecs/tests/bmp_builder.h"
#include "codecs/tests/decode_expectations.h"
#include "codecs/tests/qt_reference.h"

#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::ByteVector;
using testing::DibHeaderFields;

// A directory of `type` (1 icon, 2 cursor) over the given entry images. The
// directory's own size and depth bytes are left 0, as many writers do.
ByteVector BuildIcon(std::uint16_t type, const std::vector<ByteVector>& images) {
    ByteVector file(6 + 16 * images.size(), 0);
    testing::PutU16(file, 2, type);
    testing::PutU16(file, 4, static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        testing::PutU32(file, 6 + i * 16 + 8, static_cast<std::uint32_t>(images[i].size()));
        testing::PutU32(file, 6 + i * 16 + 12, static_cast<std::uint32_t>(file.size()));
        file.insert(file.end(), images[i].begin(), images[i].end());
    }
    return file;
}

// A DIB entry of one colour: the header counts the mask rows too.
ByteVector SolidEntry(std::int32_t side, std::uint16_t bits, std::uint8_t shade,
                      ByteVector mask = {}) {
    DibHeaderFields layout;
    layout.width = side;
    layout.height = side * 2;
    layout.bitsPerPixel = bits;
    const std::size_t stride = (static_cast<std::size_t>(side) * bits + 31) / 32 * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(side) + 31) / 32 * 4;
    if (bits <= 8) {
        layout.palette = {{shade, shade, shade}};
        layout.palette.resize(std::size_t{1} << bits);
        layout.pixels.assign(stride * static_cast<std::size_t>(side), 0);
    } else {
        layout.pixels.assign(stride * static_cast<std::size_t>(side), shade);
    }
    if (mask.empty()) {
        mask.assign(maskStride * static_cast<std::size_t>(side), 0);
    }
    layout.pixels.insert(layout.pixels.end(), mask.begin(), mask.end());
    return testing::BuildDib(layout);
}

// Qt's icon reader loses precision at low alpha (it goes through
// premultiplied pixels), so the written pattern itself is the reference.
TEST(IconDecoder, QtWrittenIconKeepsItsPixels) {
    const QImage pattern = testing::TestPattern(32, 32, true);
    const auto ico = testing::EncodeWithQt(pattern, "ico");
    ASSERT_FALSE(ico.empty());
    const DecodeResult result = DecodePicture(ico);
    ASSERT_EQ(result.error, DecodeError::None);
    EXPECT_EQ(result.format, PictureFormat::Icon);
    EXPECT_EQ(testing::MaxChannelDifference(*result.image, pattern), 0);
}

TEST(IconDecoder, PicksTheLargestThenTheDeepestEntry) {
    const auto png24 = testing::EncodeWithQt(testing::TestPattern(24, 24, true), "png");
    const std::vector<ByteVector> entries = {
        SolidEntry(16, 32, 10),
        SolidEntry(32, 4, 20),
        SolidEntry(32, 32, 30),
        SolidEntry(32, 8, 40),
        png24,
    };
    const DecodeResult result = DecodePicture(BuildIcon(1, entries));
    ASSERT_EQ(result.error, DecodeError::None);
    ASSERT_EQ(result.image->width, 32u);
    // The 32-bit entry, whose fourth byte is alpha.
    EXPECT_EQ(result.image->pixels[0], 30);
    EXPECT_EQ(result.image->pixels[3], 30);
}

TEST(IconDecoder, CursorWithPngEntry) {
    const auto png = testing::EncodeWithQt(testing::TestPattern(48, 40, true), "png");
    const DecodeResult result = DecodePicture(BuildIcon(2, {SolidEntry(16, 8, 1), png}));
    ASSERT_EQ(result.error, DecodeError::None);
    EXPECT_EQ(result.format, PictureFormat::Cursor);
    EXPECT_EQ(result.sourceWidth, 48u);
    EXPECT_EQ(result.sourceHeight, 40u);
    EXPECT_EQ(testing::MaxChannelDifference(*result.image, testing::DecodeWithQt(png)), 0);
}

TEST(IconDecoder, AndMaskMakesPixelsTransparent) {
    // Bottom-up: the mask's first row is the picture's bottom row.
    ByteVector mask(8 * 4, 0);
    mask[0] = 0b10000001;
    mask[4] = 0b01000000;
    const DecodeResult result = DecodePicture(BuildIcon(1, {SolidEntry(8, 4, 99, mask)}));
    ASSERT_EQ(result.error, DecodeError::None);
    ASSERT_EQ(result.image->width, 8u);
    ASSERT_EQ(result.image->height, 8u);
    auto alpha = [&](std::size_t x, std::size_t y) {
        return result.image->pixels[(y * 8 + x) * 4 + 3];
    };
    for (std::size_t y = 0; y < 8; ++y) {
        for (std::size_t x = 0; x < 8; ++x) {
            const bool clear = (y == 7 && (x == 0 || x == 7)) || (y == 6 && x == 1);
            EXPECT_EQ(alpha(x, y), clear ? 0 : 255) << x << "," << y;
        }
    }
    EXPECT_EQ(result.image->pixels[0], 99); // the colour of a masked-in pixel
}

TEST(IconDecoder, BrokenFilesFail) {
    ByteVector huge = SolidEntry(4, 32, 1);
    testing::PutU32(huge, 4, 100000);
    testing::PutU32(huge, 8, 200000);
    ByteVector noMask = SolidEntry(8, 8, 1);
    noMask.resize(noMask.size() - 32);
    ByteVector outside = BuildIcon(1, {SolidEntry(8, 8, 1)});
    testing::PutU32(outside, 6 + 12, 0x7FFFFFF0);
    const testing::FailureCase cases[] = {
        {"100000 x 100000 entry", BuildIcon(1, {huge}), DecodeError::OverLimit},
        {"8-bit entry without its mask", BuildIcon(1, {noMask}), DecodeError::Malformed},
        {"entry offset past the end", outside, DecodeError::Malformed},
        {"directory only", ByteVector{0, 0, 1, 0, 3, 0, 0, 0}, DecodeError::Malformed},
        {"garbage entry", BuildIcon(1, {ByteVector(40, 0xEE)}), DecodeError::Malformed},
    };
    testing::ExpectFailures(cases);
}

} // namespace
} // namespace vellumark::codecs
