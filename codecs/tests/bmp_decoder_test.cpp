#include "codecs/picture_decoder.h"
#include "codecs/tests/bmp_builder.h"
#include "codecs/tests/decode_expectations.h"
#include "codecs/tests/qt_reference.h"

#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::BuildBmp;
using testing::DecodeOrFail;
using testing::DibHeaderFields;
using testing::PixelAt;

std::size_t Stride(std::int32_t width, int bits) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
}

// Noise pixels for the whole image, with a full palette when indexed.
DibHeaderFields NoiseSpec(std::uint32_t headerSize, std::uint16_t bits, std::int32_t height,
                          std::uint32_t compression = 0, std::vector<std::uint32_t> masks = {}) {
    DibHeaderFields dib;
    dib.headerSize = headerSize;
    dib.width = 13;
    dib.height = height;
    dib.bitsPerPixel = bits;
    dib.compression = compression;
    dib.masks = std::move(masks);
    if (bits <= 8) {
        dib.palette = testing::NoisePalette(std::size_t{1} << bits);
    }
    dib.pixels = testing::NoiseBytes(
        Stride(dib.width, bits) * static_cast<std::size_t>(std::abs(height)), bits);
    return dib;
}

TEST(BmpDecoder, DepthsAndHeadersMatchQt) {
    const struct {
        const char* name;
        DibHeaderFields dib;
        int tolerance;
    } cases[] = {
        {"1-bit", NoiseSpec(40, 1, 7), 0},
        {"4-bit", NoiseSpec(40, 4, 7), 0},
        {"8-bit", NoiseSpec(40, 8, 7), 0},
        {"8-bit top-down", NoiseSpec(40, 8, -7), 0},
        {"8-bit OS/2 core header", NoiseSpec(12, 8, 7), 0},
        // Qt widens 5- and 6-bit channels by shifting (31 -> 248); we
        // scale to the full range (31 -> 255), see FiveBitWhiteIsFullWhite.
        {"16-bit 555", NoiseSpec(40, 16, 7), 7},
        {"16-bit 565 bit fields", NoiseSpec(40, 16, 7, 3, {0xF800, 0x07E0, 0x001F}), 7},
        {"24-bit", NoiseSpec(40, 24, 7), 0},
        {"24-bit top-down", NoiseSpec(40, 24, -7), 0},
        {"32-bit", NoiseSpec(40, 32, 7), 0},
        {"32-bit bit fields", NoiseSpec(40, 32, 7, 3, {0xFF0000, 0xFF00, 0xFF}), 0},
        {"32-bit V5 with alpha", NoiseSpec(124, 32, 7, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}), 0},
    };
    for (const auto& c : cases) {
        const auto bmp = BuildBmp(c.dib);
        const DecodeResult result = DecodePicture(bmp);
        ASSERT_EQ(result.error, DecodeError::None) << c.name;
        EXPECT_EQ(result.format, PictureFormat::Bmp);
        EXPECT_EQ(result.sourceWidth, 13u) << c.name;
        EXPECT_EQ(result.sourceHeight, 7u) << c.name;
        EXPECT_LE(testing::MaxChannelDifference(*result.image, testing::DecodeWithQt(bmp)),
                  c.tolerance)
            << c.name;
    }
}

TEST(BmpDecoder, QtWrittenFileMatchesQt) {
    const auto bmp = testing::EncodeWithQt(testing::TestPattern(31, 9, false), "bmp");
    const DecodeResult result = DecodePicture(bmp);
    ASSERT_EQ(result.error, DecodeError::None);
    EXPECT_EQ(testing::MaxChannelDifference(*result.image, testing::DecodeWithQt(bmp)), 0);
}

// The colour of palette entry i as our output bytes.
std::array<std::uint8_t, 4> Entry(const DibHeaderFields& dib, std::size_t i) {
    return {dib.palette[i][0], dib.palette[i][1], dib.palette[i][2], 255};
}

TEST(BmpDecoder, Rle8RunsLiteralsDeltasAndSkippedPixels) {
    DibHeaderFields dib;
    dib.width = 6;
    dib.height = 3;
    dib.bitsPerPixel = 8;
    dib.compression = 1;
    dib.palette = testing::NoisePalette(8);
    dib.pixels = {
        3, 1, 0, 3, 2, 3, 4, 0, // bottom row: run of 1 x3, literal 2 3 4 (padded)
        0, 0,                   // end of line
        0, 2, 2, 1,             // delta: right 2, up 1 (to the top row, x = 2)
        2, 5,                   // run of 5 x2 at x = 2, 3
        0, 1,                   // end of bitmap: the rest stays transparent
    };
    const Bgra8Image image = DecodeOrFail(BuildBmp(dib));
    ASSERT_EQ(image.width, 6u);
    const std::uint8_t bottom[] = {1, 1, 1, 2, 3, 4};
    for (std::uint32_t x = 0; x < 6; ++x) {
        EXPECT_EQ(PixelAt(image, x, 2), Entry(dib, bottom[x])) << x;
    }
    const std::array<std::uint8_t, 4> clear = {0, 0, 0, 0};
    for (std::uint32_t x = 0; x < 6; ++x) {
        EXPECT_EQ(PixelAt(image, x, 1), clear) << "middle row " << x;
    }
    EXPECT_EQ(PixelAt(image, 1, 0), clear);
    EXPECT_EQ(PixelAt(image, 2, 0), Entry(dib, 5));
    EXPECT_EQ(PixelAt(image, 3, 0), Entry(dib, 5));
    EXPECT_EQ(PixelAt(image, 4, 0), clear);
}

TEST(BmpDecoder, Rle4NibblesAlternate) {
    DibHeaderFields dib;
    dib.width = 7;
    dib.height = 1;
    dib.bitsPerPixel = 4;
    dib.compression = 2;
    dib.palette = testing::NoisePalette(16);
    dib.pixels = {
        3, 0x12,             // 1 2 1
        0, 3,    0x45, 0x60, // literal 4 5 6, padded to an even count
        9, 0x78,             // 7 8 7 8 ... clipped at the right edge
        0, 1,
    };
    const Bgra8Image image = DecodeOrFail(BuildBmp(dib));
    const std::uint8_t expected[] = {1, 2, 1, 4, 5, 6, 7};
    for (std::uint32_t x = 0; x < 7; ++x) {
        EXPECT_EQ(PixelAt(image, x, 0), Entry(dib, expected[x])) << x;
    }
}

TEST(BmpDecoder, Rle8MatchesQtWhenEveryPixelIsCovered) {
    DibHeaderFields dib;
    dib.width = 5;
    dib.height = 2;
    dib.bitsPerPixel = 8;
    dib.compression = 1;
    dib.palette = testing::NoisePalette(256);
    dib.pixels = {5, 200, 0, 0, 0, 5, 9, 8, 7, 6, 5, 0, 0, 1};
    const auto bmp = BuildBmp(dib);
    EXPECT_EQ(testing::MaxChannelDifference(DecodeOrFail(bmp), testing::DecodeWithQt(bmp)), 0);
}

TEST(BmpDecoder, IndexPastThePaletteIsOpaqueBlack) {
    DibHeaderFields dib;
    dib.width = 2;
    dib.height = 1;
    dib.bitsPerPixel = 8;
    dib.coloursUsed = 2;
    dib.palette = {{10, 20, 30}, {40, 50, 60}};
    dib.pixels = {1, 200, 0, 0};
    const Bgra8Image image = DecodeOrFail(BuildBmp(dib));
    EXPECT_EQ(PixelAt(image, 0, 0), (std::array<std::uint8_t, 4>{40, 50, 60, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
}

TEST(BmpDecoder, FiveBitWhiteIsFullWhite) {
    DibHeaderFields dib;
    dib.width = 2;
    dib.height = 1;
    dib.bitsPerPixel = 16;
    dib.pixels = {0xFF, 0x7F, 0x10, 0x42, 0, 0}; // white, then 16/31 in each channel
    const Bgra8Image image = DecodeOrFail(BuildBmp(dib));
    EXPECT_EQ(PixelAt(image, 0, 0), (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (std::array<std::uint8_t, 4>{132, 132, 132, 255}));
}

TEST(BmpDecoder, BrokenHeadersAndDataFail) {
    auto withField = [](DibHeaderFields dib, std::size_t at, std::uint32_t value) {
        auto bmp = BuildBmp(dib);
        testing::PutU32(bmp, at, value);
        return bmp;
    };
    const DibHeaderFields good = NoiseSpec(40, 24, 7);
    const auto goodBmp = BuildBmp(good);
    DibHeaderFields rleRunsOut = NoiseSpec(40, 8, 2, 1);
    rleRunsOut.pixels = {2, 1, 0}; // no end of line, no end of bitmap, odd tail
    const testing::FailureCase cases[] = {
        {"100000 x 100000",
         [&] {
             auto bmp = withField(good, 18, 100000);
             testing::PutU32(bmp, 22, 100000);
             return bmp;
         }(),
         DecodeError::OverLimit},
        {"most negative height", withField(good, 22, 0x80000000u), DecodeError::OverLimit},
        {"zero width", withField(good, 18, 0), DecodeError::Malformed},
        {"negative width", withField(good, 18, 0xFFFFFFF0u), DecodeError::Malformed},
        {"zero height", withField(good, 22, 0), DecodeError::Malformed},
        {"pixel offset past the end", withField(good, 10, 0x7FFFFFFF), DecodeError::Malformed},
        {"pixel offset inside the header", withField(good, 10, 20), DecodeError::Malformed},
        {"header size 0", withField(good, 14, 0), DecodeError::Malformed},
        {"header size past the end", withField(good, 14, 124), DecodeError::Malformed},
        {"depth 7",
         [&] {
             auto bmp = goodBmp;
             testing::PutU16(bmp, 28, 7);
             return bmp;
         }(),
         DecodeError::Malformed},
        {"RLE8 on 24-bit", withField(good, 30, 1), DecodeError::Malformed},
        {"embedded JPEG", withField(good, 30, 4), DecodeError::Unsupported},
        {"unknown compression", withField(good, 30, 77), DecodeError::Malformed},
        {"257 colours", withField(NoiseSpec(40, 8, 2), 46, 257), DecodeError::Malformed},
        {"pixels cut short", testing::ByteVector(goodBmp.begin(), goodBmp.end() - 1),
         DecodeError::Malformed},
        {"RLE data runs out", BuildBmp(rleRunsOut), DecodeError::Malformed},
        {"file header only", testing::ByteVector(goodBmp.begin(), goodBmp.begin() + 14),
         DecodeError::Malformed},
    };
    testing::ExpectFailures(cases);
}

} // namespace
} // namespace vellumark::codecs
