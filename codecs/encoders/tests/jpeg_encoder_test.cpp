#include "codecs/encoders/jpeg_encoder.h"
#include "test_images.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace vellumark::codecs {
namespace {

struct DecodedJpeg {
    std::uint32_t width = 0, height = 0;
    int components = 0;
    int densityUnit = 0, densityX = 0, densityY = 0;
    std::vector<std::uint8_t> samples; // RGB (or grey) rows without padding
};

// libjpeg's default error handler exits the process, which fails the test
// run loudly; our encoder's output is expected to be valid.
DecodedJpeg Decode(const ByteBuffer& file) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    DecodedJpeg result{cinfo.output_width,
                       cinfo.output_height,
                       cinfo.output_components,
                       cinfo.density_unit,
                       cinfo.X_density,
                       cinfo.Y_density,
                       {}};
    const std::size_t rowBytes =
        std::size_t{result.width} * static_cast<std::size_t>(result.components);
    result.samples.resize(rowBytes * result.height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = result.samples.data() + rowBytes * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return result;
}

// A smooth picture: JPEG's error on it stays small and measurable.
testing::SampleImage Smooth(PixelLayout layout) {
    auto sample = testing::MakeSample(layout, 48, 32);
    for (std::uint32_t y = 0; y < 32; ++y) {
        for (std::uint32_t x = 0; x < 48; ++x) {
            std::uint8_t* p =
                sample.pixels.data() + sample.view.stride * y + BitsPerPixel(layout) / 8 * x;
            p[0] = static_cast<std::uint8_t>(x * 5);
            if (layout != PixelLayout::Gray8) {
                p[1] = static_cast<std::uint8_t>(y * 7);
                p[2] = static_cast<std::uint8_t>(200 - x * 2 - y);
            }
        }
    }
    return sample;
}

double MeanError(const EncoderImage& image, const DecodedJpeg& decoded) {
    double total = 0;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            const auto want = testing::SourcePixel(image, x, y);
            const std::size_t at = (std::size_t{y} * image.width + x) * 3;
            total += std::abs(static_cast<int>(want.r) - decoded.samples[at]) +
                     std::abs(static_cast<int>(want.g) - decoded.samples[at + 1]) +
                     std::abs(static_cast<int>(want.b) - decoded.samples[at + 2]);
        }
    }
    return total / (3.0 * image.width * image.height);
}

TEST(JpegEncoder, ColourLayoutsDecodeCloseToTheSource) {
    for (PixelLayout layout : {PixelLayout::Bgra8, PixelLayout::Bgr8}) {
        auto sample = Smooth(layout);
        sample.view.dpiX = 300;
        sample.view.dpiY = 150;
        ByteBuffer file;
        ASSERT_EQ(EncodeJpeg(sample.view, {90, false}, file), EncodeError::None);
        const DecodedJpeg decoded = Decode(file);
        EXPECT_EQ(decoded.width, 48u);
        EXPECT_EQ(decoded.height, 32u);
        EXPECT_EQ(decoded.components, 3);
        EXPECT_EQ(decoded.densityUnit, 1);
        EXPECT_EQ(decoded.densityX, 300);
        EXPECT_EQ(decoded.densityY, 150);
        EXPECT_LT(MeanError(sample.view, decoded), 3.0) << static_cast<int>(layout);
    }
}

TEST(JpegEncoder, PalettesAndSixteenBitSamplesAreConvertedFirst) {
    for (PixelLayout layout : {PixelLayout::Indexed8, PixelLayout::Rgb16, PixelLayout::Rgba16}) {
        auto sample = testing::MakeSample(layout, 16, 16);
        if (layout == PixelLayout::Indexed8) {
            // One colour per 8x8 block keeps chroma subsampling out of the way.
            for (std::uint32_t y = 0; y < 16; ++y) {
                for (std::uint32_t x = 0; x < 16; ++x) {
                    sample.pixels[y * sample.view.stride + x] =
                        static_cast<std::uint8_t>(x < 8 ? 3 : 200);
                }
            }
        }
        ByteBuffer file;
        ASSERT_EQ(EncodeJpeg(sample.view, {100, false}, file), EncodeError::None);
        const DecodedJpeg decoded = Decode(file);
        ASSERT_EQ(decoded.components, 3);
        // Compare in eight bits; the sample data is busy, so allow more error.
        double total = 0;
        for (std::uint32_t y = 0; y < 16; ++y) {
            for (std::uint32_t x = 0; x < 16; ++x) {
                auto want = testing::SourcePixel(sample.view, x, y);
                if (!IsIndexed(layout)) {
                    want.r /= 257;
                }
                total += std::abs(static_cast<int>(want.r) - decoded.samples[(y * 16 + x) * 3]);
            }
        }
        EXPECT_LT(total / 256, 12.0) << static_cast<int>(layout);
    }
}

TEST(JpegEncoder, GreyscaleGivesOneComponent) {
    ByteBuffer grey;
    ASSERT_EQ(EncodeJpeg(Smooth(PixelLayout::Gray8).view, {}, grey), EncodeError::None);
    EXPECT_EQ(Decode(grey).components, 1);
    ByteBuffer forced;
    ASSERT_EQ(EncodeJpeg(Smooth(PixelLayout::Bgr8).view, {75, true}, forced), EncodeError::None);
    const DecodedJpeg decoded = Decode(forced);
    ASSERT_EQ(decoded.components, 1);
    // Pixel (0, 0) is B 0, G 0, R 200: luma 0.299 * 200 = 60.
    EXPECT_NEAR(decoded.samples[0], 60, 6);
}

TEST(JpegEncoder, LowerQualityGivesSmallerFilesWithMoreError) {
    const auto sample = testing::MakeSample(PixelLayout::Bgr8, 64, 64);
    ByteBuffer low;
    ByteBuffer high;
    ASSERT_EQ(EncodeJpeg(sample.view, {0, false}, low), EncodeError::None);
    ASSERT_EQ(EncodeJpeg(sample.view, {100, false}, high), EncodeError::None);
    EXPECT_LT(low.size(), high.size());
    EXPECT_GT(MeanError(sample.view, Decode(low)), MeanError(sample.view, Decode(high)));
}

TEST(JpegEncoder, QualityOutOfRangeAndBadImagesAreRefused) {
    const auto sample = Smooth(PixelLayout::Bgr8);
    ByteBuffer out{7};
    EXPECT_EQ(EncodeJpeg(sample.view, {101, false}, out), EncodeError::InvalidOptions);
    EXPECT_EQ(EncodeJpeg(sample.view, {-1, false}, out), EncodeError::InvalidOptions);
    EncoderImage empty = sample.view;
    empty.height = 0;
    EXPECT_EQ(EncodeJpeg(empty, {}, out), EncodeError::InvalidImage);
    EXPECT_EQ(out, ByteBuffer{7});
}

} // namespace
} // namespace vellumark::codecs
