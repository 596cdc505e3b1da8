#include "codecs/picture_decoder.h"
#include "codecs/png_inflate_path.h"
#include "codecs/tests/decode_expectations.h"
#include "codecs/tests/png_writer.h"
#include "codecs/tests/qt_reference.h"

#include <gtest/gtest.h>
#include <png.h>
#include <string>

namespace vellumark::codecs {
namespace {

using testing::DecodeWithQt;
using testing::EncodeWithQt;
using testing::MaxChannelDifference;
using testing::TestPattern;

void ExpectMatchesQt(const testing::ByteVector& png, const char* what) {
    ASSERT_FALSE(png.empty()) << what;
    const DecodeResult result = DecodePicture(png);
    ASSERT_EQ(result.error, DecodeError::None) << what;
    EXPECT_EQ(result.format, PictureFormat::Png);
    const QImage reference = DecodeWithQt(png);
    EXPECT_EQ(result.sourceWidth, static_cast<std::uint32_t>(reference.width())) << what;
    // 16-bit samples may round one step apart.
    EXPECT_LE(MaxChannelDifference(*result.image, reference), 1) << what;
}

TEST(PngDecoder, QtWrittenColourTypesMatchQt) {
    const QImage pattern = TestPattern(23, 17, true);
    QImage indexed = pattern.convertToFormat(QImage::Format_Indexed8);
    QList<QRgb> table = indexed.colorTable();
    for (qsizetype i = 0; i < table.size(); i += 3) {
        table[i] = qRgba(qRed(table[i]), qGreen(table[i]), qBlue(table[i]), 0); // tRNS
    }
    indexed.setColorTable(table);
    const struct {
        const char* name;
        QImage image;
    } cases[] = {
        {"rgba8", pattern},
        {"rgb8", pattern.convertToFormat(QImage::Format_RGB32)},
        {"grey8", pattern.convertToFormat(QImage::Format_Grayscale8)},
        {"grey16", pattern.convertToFormat(QImage::Format_Grayscale16)},
        {"rgba16", pattern.convertToFormat(QImage::Format_RGBA64)},
        {"palette with tRNS", indexed},
        {"1-bit", pattern.convertToFormat(QImage::Format_Mono)},
    };
    for (const auto& c : cases) {
        ExpectMatchesQt(EncodeWithQt(c.image, "png"), c.name);
    }
}

TEST(PngDecoder, LibpngWrittenVariantsMatchQt) {
    using testing::PngSpec;
    const PngSpec variants[] = {
        {"grey+alpha 8", PngSpec::kGreyAlpha, 8, false, false},
        {"grey+alpha 16", PngSpec::kGreyAlpha, 16, false, false},
        {"grey 2-bit", PngSpec::kGrey, 2, false, false},
        {"grey 4-bit with tRNS", PngSpec::kGrey, 4, false, true},
        {"rgb with tRNS colour key", PngSpec::kRgb, 8, false, true},
        {"interlaced rgba", PngSpec::kRgbAlpha, 8, true, false},
        {"interlaced grey 1-bit", PngSpec::kGrey, 1, true, false},
    };
    for (const PngSpec& variant : variants) {
        ExpectMatchesQt(testing::WritePng(variant, 13, 11), variant.name);
    }
}

// Plain 8-bit RGB and RGBA take the inflate path: every row filter, alone
// and mixed, must come out as libpng and Qt read it.
TEST(PngDecoder, InflatePathUndoesEveryRowFilter) {
    using testing::PngSpec;
    const struct {
        const char* name;
        int filters;
    } filters[] = {{"none", PNG_FILTER_NONE},   {"sub", PNG_FILTER_SUB},
                   {"up", PNG_FILTER_UP},       {"average", PNG_FILTER_AVG},
                   {"paeth", PNG_FILTER_PAETH}, {"mixed", PNG_ALL_FILTERS}};
    for (const PngSpec variant : {PngSpec{"rgb 8", PngSpec::kRgb, 8, false, false},
                                  PngSpec{"rgba 8", PngSpec::kRgbAlpha, 8, false, false}}) {
        for (const auto& filter : filters) {
            const auto png = testing::WritePng(variant, 29, 7, filter.filters);
            const std::string what = std::string(variant.name) + ", " + filter.name;
            Bgra8Image direct;
            ASSERT_EQ(DecodeWithInflatePath(png, {29, 7}, direct), InflatePathResult::Decoded)
                << what;
            ExpectMatchesQt(png, what.c_str());
            EXPECT_EQ(direct.pixels, DecodePicture(png).image->pixels) << what;
        }
    }
}

// Files the inflate path does not take go to libpng, which decodes them.
TEST(PngDecoder, InflatePathLeavesOtherFilesToLibpng) {
    using testing::PngSpec;
    const PngSpec variants[] = {
        {"colour key", PngSpec::kRgb, 8, false, true},
        {"interlaced", PngSpec::kRgbAlpha, 8, true, false},
        {"16-bit", PngSpec::kRgbAlpha, 16, false, false},
        {"grey", PngSpec::kGrey, 8, false, false},
    };
    for (const PngSpec& variant : variants) {
        const auto png = testing::WritePng(variant, 9, 5);
        Bgra8Image direct;
        EXPECT_EQ(DecodeWithInflatePath(png, {9, 5}, direct), InflatePathResult::LeftToLibpng)
            << variant.name;
        EXPECT_EQ(DecodePicture(png).error, DecodeError::None) << variant.name;
    }
    auto cut = testing::WritePng({"rgba", PngSpec::kRgbAlpha, 8, false, false}, 9, 5);
    cut.resize(cut.size() - 12); // no IEND
    Bgra8Image direct;
    EXPECT_EQ(DecodeWithInflatePath(cut, {9, 5}, direct), InflatePathResult::LeftToLibpng);
}

// Qt's reader garbles 16-bit RGB with a colour key, so the key is checked
// here directly: only the first pixel has the keyed colour.
TEST(PngDecoder, ColourKeyBecomesTransparent) {
    for (int depth : {8, 16}) {
        const auto png =
            testing::WritePng({"key", testing::PngSpec::kRgb, depth, false, true}, 4, 4);
        const DecodeResult result = DecodePicture(png);
        ASSERT_EQ(result.error, DecodeError::None) << depth;
        const auto& pixels = result.image->pixels;
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(pixels[i * 4 + 3], i == 0 ? 0 : 255) << depth << " pixel " << i;
        }
    }
}

TEST(PngDecoder, BrokenFilesFail) {
    const auto good = EncodeWithQt(TestPattern(40, 30, true), "png");
    ASSERT_GT(good.size(), 100u);
    auto withHeight = [&](std::uint32_t width, std::uint32_t height) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[16 + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(width >> (24 - 8 * i));
            bytes[20 + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(height >> (24 - 8 * i));
        }
        return bytes;
    };
    auto corrupted = good;
    corrupted[good.size() / 2] ^= 0x55; // inside IDAT: the CRC no longer matches
    const testing::FailureCase cases[] = {
        {"signature only", testing::ByteVector(good.begin(), good.begin() + 8),
         DecodeError::Malformed},
        {"cut in the image data", testing::ByteVector(good.begin(), good.end() - 40),
         DecodeError::Malformed},
        {"corrupt image data", corrupted, DecodeError::Malformed},
        {"100000 x 100000", withHeight(100000, 100000), DecodeError::OverLimit},
        {"zero width", withHeight(0, 30), DecodeError::Malformed},
        {"IHDR with a stale CRC", withHeight(41, 30), DecodeError::Malformed},
    };
    testing::ExpectFailures(cases);
}

} // namespace
} // namespace vellumark::codecs
