#include "codecs/encoders/tiff_encoder.h"
#include "test_images.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tiffio.h>

namespace vellumark::codecs {
namespace {

using testing::Rgba;

struct Closer {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, Closer>;

// libtiff reads the file from disk, independently of our memory writer.
TiffFile Open(const ByteBuffer& file, const std::string& name) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    return TiffFile(TIFFOpen(path.c_str(), "r"));
}

template <typename T> T Field(TIFF* tiff, ttag_t tag) {
    T value{};
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

// Pixels of the current directory, decoded by its photometric tag.
std::vector<Rgba> ReadPage(TIFF* tiff) {
    const auto width = Field<std::uint32_t>(tiff, TIFFTAG_IMAGEWIDTH);
    const auto height = Field<std::uint32_t>(tiff, TIFFTAG_IMAGELENGTH);
    const auto samples = Field<std::uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL);
    const auto bits = Field<std::uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE);
    const auto photometric = Field<std::uint16_t>(tiff, TIFFTAG_PHOTOMETRIC);
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (photometric == PHOTOMETRIC_PALETTE) {
        TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue);
    }
    std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    std::vector<Rgba> pixels;
    for (std::uint32_t y = 0; y < height; ++y) {
        EXPECT_EQ(TIFFReadScanline(tiff, line.data(), y, 0), 1);
        for (std::uint32_t x = 0; x < width; ++x) {
            auto sample = [&](std::uint32_t k) -> std::uint32_t {
                const std::size_t at = std::size_t{x} * samples + k;
                if (bits == 16) {
                    std::uint16_t v = 0;
                    std::memcpy(&v, line.data() + 2 * at, 2);
                    return v;
                }
                const std::size_t bitAt = at * bits;
                return (std::uint32_t{line[bitAt / 8]} >> (8 - bits - bitAt % 8)) &
                       ((1u << bits) - 1);
            };
            const std::uint32_t opaque = bits == 16 ? 65535 : 255;
            if (photometric == PHOTOMETRIC_RGB) {
                pixels.push_back(
                    {sample(0), sample(1), sample(2), samples == 4 ? sample(3) : opaque});
            } else if (photometric == PHOTOMETRIC_PALETTE) {
                const std::uint32_t i = sample(0);
                pixels.push_back({red[i] / 257u, green[i] / 257u, blue[i] / 257u, 255});
            } else {
                std::uint32_t v = bits == 1 ? sample(0) * 255 : sample(0);
                if (photometric == PHOTOMETRIC_MINISWHITE) {
                    v = 255 - v;
                }
                pixels.push_back({v, v, v, 255});
            }
        }
    }
    return pixels;
}

void ExpectPage(TIFF* tiff, const EncoderImage& image) {
    ASSERT_EQ(Field<std::uint32_t>(tiff, TIFFTAG_IMAGEWIDTH), image.width);
    ASSERT_EQ(Field<std::uint32_t>(tiff, TIFFTAG_IMAGELENGTH), image.height);
    const std::vector<Rgba> pixels = ReadPage(tiff);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            Rgba want = testing::SourcePixel(image, x, y);
            if (IsIndexed(image.layout)) {
                want.a = 255; // the colour map has no alpha
            }
            ASSERT_EQ(pixels[y * image.width + x], want) << x << "," << y;
        }
    }
}

testing::SampleImage BlackAndWhite(bool whiteFirst) {
    auto sample = testing::MakeSample(PixelLayout::Indexed1, 45, 20);
    sample.palette = {whiteFirst ? 0xFFFFFFFFu : 0xFF000000u,
                      whiteFirst ? 0xFF000000u : 0xFFFFFFFFu};
    sample.view.palette = sample.palette;
    return sample;
}

TEST(TiffEncoder, EveryLayoutSurvivesEveryGeneralCompression) {
    for (TiffCompression compression : {TiffCompression::None, TiffCompression::Lzw,
                                        TiffCompression::PackBits, TiffCompression::Deflate}) {
        for (PixelLayout layout :
             {PixelLayout::Bgra8, PixelLayout::Bgr8, PixelLayout::Gray8, PixelLayout::Indexed1,
              PixelLayout::Indexed4, PixelLayout::Indexed8, PixelLayout::Rgba16,
              PixelLayout::Rgb16}) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(compression) << " layout "
                                              << static_cast<int>(layout));
            const auto sample = testing::MakeSample(layout, 19, 11);
            ByteBuffer file;
            ASSERT_EQ(EncodeTiff({&sample.view, 1}, {compression}, file), EncodeError::None);
            const TiffFile tiff = Open(file, "layout.tif");
            ASSERT_TRUE(tiff);
            ExpectPage(tiff.get(), sample.view);
        }
    }
}

TEST(TiffEncoder, CcittCompressionsStoreBilevelPages) {
    for (TiffCompression compression :
         {TiffCompression::CcittRle, TiffCompression::CcittGroup3, TiffCompression::CcittGroup4}) {
        for (bool whiteFirst : {false, true}) {
            const auto sample = BlackAndWhite(whiteFirst);
            ByteBuffer file;
            ASSERT_EQ(EncodeTiff({&sample.view, 1}, {compression}, file), EncodeError::None);
            const TiffFile tiff = Open(file, "fax.tif");
            ASSERT_TRUE(tiff);
            EXPECT_EQ(Field<std::uint16_t>(tiff.get(), TIFFTAG_PHOTOMETRIC),
                      whiteFirst ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK);
            ExpectPage(tiff.get(), sample.view);
        }
    }
    const auto colour = testing::MakeSample(PixelLayout::Indexed1, 8, 8); // not black and white
    ByteBuffer out{4};
    EXPECT_EQ(EncodeTiff({&colour.view, 1}, {TiffCompression::CcittGroup4}, out),
              EncodeError::Unsupported);
    EXPECT_EQ(out, ByteBuffer{4});
}

TEST(TiffEncoder, SeveralPagesWithNumbersAndResolution) {
    auto first = testing::MakeSample(PixelLayout::Bgr8, 10, 6);
    first.view.dpiX = 300;
    first.view.dpiY = 200;
    const auto second = testing::MakeSample(PixelLayout::Indexed8, 7, 13);
    const auto third = testing::MakeSample(PixelLayout::Rgba16, 5, 5);
    const EncoderImage pages[] = {first.view, second.view, third.view};
    ByteBuffer file;
    ASSERT_EQ(EncodeTiff(pages, {}, file), EncodeError::None);
    const TiffFile tiff = Open(file, "pages.tif");
    ASSERT_TRUE(tiff);
    ASSERT_EQ(TIFFNumberOfDirectories(tiff.get()), 3);
    for (std::uint16_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(TIFFSetDirectory(tiff.get(), i), 1);
        std::uint16_t page = 0, count = 0;
        ASSERT_EQ(TIFFGetField(tiff.get(), TIFFTAG_PAGENUMBER, &page, &count), 1);
        EXPECT_EQ(page, i);
        EXPECT_EQ(count, 3);
        ExpectPage(tiff.get(), pages[i]);
    }
    ASSERT_EQ(TIFFSetDirectory(tiff.get(), 0), 1);
    EXPECT_FLOAT_EQ(Field<float>(tiff.get(), TIFFTAG_XRESOLUTION), 300.0f);
    EXPECT_FLOAT_EQ(Field<float>(tiff.get(), TIFFTAG_YRESOLUTION), 200.0f);
    EXPECT_EQ(Field<std::uint16_t>(tiff.get(), TIFFTAG_RESOLUTIONUNIT), RESUNIT_INCH);
}

TEST(TiffEncoder, NoPagesBadPagesAndUnknownCompressionAreRefused) {
    const auto good = testing::MakeSample(PixelLayout::Bgr8, 4, 4);
    auto bad = testing::MakeSample(PixelLayout::Bgr8, 4, 4);
    bad.view.pixels = bad.view.pixels.first(10);
    ByteBuffer out{2};
    EXPECT_EQ(EncodeTiff({}, {}, out), EncodeError::InvalidImage);
    const EncoderImage pages[] = {good.view, bad.view};
    EXPECT_EQ(EncodeTiff(pages, {}, out), EncodeError::InvalidImage);
    EXPECT_EQ(EncodeTiff({&good.view, 1}, {static_cast<TiffCompression>(42)}, out),
              EncodeError::InvalidOptions);
    EXPECT_EQ(out, ByteBuffer{2});
}

} // namespace
} // namespace vellumark::codecs
