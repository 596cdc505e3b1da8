#include "codecs/encoders/png_encoder.h"
#include "test_images.h"

#include <csetjmp>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <png.h>

namespace vellumark::codecs {
namespace {

using testing::Rgba;
using testing::SourcePixel;

struct DecodedPng {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    bool hasPhys = false;
    png_uint_32 ppmX = 0, ppmY = 0;
    std::vector<Rgba> pixels; // at the file's depth, palette and tRNS expanded
};

struct ReadCursor {
    const ByteBuffer* data;
    std::size_t at;
};

void ReadFromBuffer(png_structp png, png_bytep out, png_size_t count) {
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cursor->at + count > cursor->data->size()) {
        png_error(png, "read past end");
    }
    std::memcpy(out, cursor->data->data() + cursor->at, count);
    cursor->at += count;
}

// Reads the file with libpng itself; nothing when libpng reports an error
// (CRC, Adler, truncation). Plain data only between setjmp and longjmp.
bool ReadPng(const ByteBuffer& file, DecodedPng& result, std::vector<std::uint8_t>& raw) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ReadCursor cursor{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, ReadFromBuffer);
    png_read_info(png, info);
    result.width = png_get_image_width(png, info);
    result.height = png_get_image_height(png, info);
    result.bitDepth = png_get_bit_depth(png, info);
    result.colourType = png_get_color_type(png, info);
    int unit = 0;
    result.hasPhys = png_get_pHYs(png, info, &result.ppmX, &result.ppmY, &unit) != 0 && unit == 1;
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFFFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    raw.assign(rowBytes * result.height, 0);
    for (std::uint32_t y = 0; y < result.height; ++y) {
        png_read_row(png, raw.data() + rowBytes * y, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

std::optional<DecodedPng> Decode(const ByteBuffer& file) {
    DecodedPng result;
    std::vector<std::uint8_t> raw;
    if (!ReadPng(file, result, raw)) {
        return std::nullopt;
    }
    const bool wide = result.bitDepth == 16;
    for (std::size_t i = 0; i < raw.size(); i += wide ? 8 : 4) {
        auto sample = [&](std::size_t k) -> std::uint32_t {
            return wide ? (std::uint32_t{raw[i + 2 * k]} << 8) | raw[i + 2 * k + 1] : raw[i + k];
        };
        result.pixels.push_back({sample(0), sample(1), sample(2), sample(3)});
    }
    return result;
}

void ExpectSamePixels(const EncoderImage& image, const DecodedPng& decoded) {
    ASSERT_EQ(decoded.width, image.width);
    ASSERT_EQ(decoded.height, image.height);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            ASSERT_EQ(decoded.pixels[y * image.width + x], SourcePixel(image, x, y))
                << "at " << x << "," << y;
        }
    }
}

TEST(PngEncoder, EveryLayoutDecodesToTheSamePixels) {
    struct Case {
        PixelLayout layout;
        int bitDepth, colourType;
    };
    const Case cases[] = {
        {PixelLayout::Bgra8, 8, 6},    {PixelLayout::Bgr8, 8, 2},     {PixelLayout::Gray8, 8, 0},
        {PixelLayout::Indexed1, 1, 3}, {PixelLayout::Indexed4, 4, 3}, {PixelLayout::Indexed8, 8, 3},
        {PixelLayout::Rgba16, 16, 6},  {PixelLayout::Rgb16, 16, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.layout));
        const auto sample = testing::MakeSample(c.layout, 37, 23);
        ByteBuffer file;
        ASSERT_EQ(EncodePng(sample.view, {}, file), EncodeError::None);
        const auto decoded = Decode(file);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->bitDepth, c.bitDepth);
        EXPECT_EQ(decoded->colourType, c.colourType);
        EXPECT_FALSE(decoded->hasPhys);
        ExpectSamePixels(sample.view, *decoded);
    }
}

TEST(PngEncoder, EveryFilterAndLevelIsLossless) {
    const auto sample = testing::MakeSample(PixelLayout::Bgra8, 64, 40);
    for (PngFilter filter :
         {PngFilter::None, PngFilter::Sub, PngFilter::Up, PngFilter::Average, PngFilter::Paeth}) {
        for (int level : {0, 1, 12}) {
            ByteBuffer file;
            ASSERT_EQ(EncodePng(sample.view, {filter, level}, file), EncodeError::None);
            const auto decoded = Decode(file);
            ASSERT_TRUE(decoded) << static_cast<int>(filter) << " " << level;
            ExpectSamePixels(sample.view, *decoded);
        }
    }
}

TEST(PngEncoder, ResolutionIsStoredInDotsPerMetre) {
    auto sample = testing::MakeSample(PixelLayout::Bgr8, 4, 4);
    sample.view.dpiX = 96;
    sample.view.dpiY = 300;
    ByteBuffer file;
    ASSERT_EQ(EncodePng(sample.view, {}, file), EncodeError::None);
    const auto decoded = Decode(file);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->hasPhys);
    EXPECT_EQ(decoded->ppmX, 3780u);
    EXPECT_EQ(decoded->ppmY, 11811u);
}

TEST(PngEncoder, IndicesBeyondTheGivenPaletteDecodeAsOpaqueBlack) {
    auto sample = testing::MakeSample(PixelLayout::Indexed8, 20, 3);
    sample.palette.resize(5);
    sample.view.palette = sample.palette;
    ByteBuffer file;
    ASSERT_EQ(EncodePng(sample.view, {}, file), EncodeError::None);
    const auto decoded = Decode(file);
    ASSERT_TRUE(decoded);
    ExpectSamePixels(sample.view, *decoded); // SourcePixel reads such indices as black too
}

TEST(PngEncoder, LargeImagesSpanSeveralDataChunks) {
    // Noise does not compress, so the data is well over one 1 MiB chunk.
    auto sample = testing::MakeSample(PixelLayout::Bgra8, 700, 600, 0);
    std::uint32_t state = 12345;
    for (auto& byte : sample.pixels) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    ByteBuffer file;
    ASSERT_EQ(EncodePng(sample.view, {}, file), EncodeError::None);
    ASSERT_GT(file.size(), std::size_t{1} << 20);
    const auto decoded = Decode(file);
    ASSERT_TRUE(decoded);
    ExpectSamePixels(sample.view, *decoded);
}

// Bands are compressed apart and joined into one stream: whatever the cut,
// libpng must read the exact pixels back (the stream's Adler-32 included).
TEST(PngEncoder, BandedOutputDecodesExactlyAroundBandBoundaries) {
    struct Case {
        std::uint32_t width, height, bands;
        PixelLayout layout;
        PngFilter filter;
        int level;
    };
    // With 2 bands of a 2k-row image each band holds k rows; k +- 1 moves the
    // cut by a row either way. Odd widths leave rows that are not a multiple
    // of 4 bytes in the RGB and palette layouts.
    const Case cases[] = {
        {37, 1, 2, PixelLayout::Bgra8, PngFilter::Up, 1}, // one row: one band only
        {37, 2, 2, PixelLayout::Bgra8, PngFilter::Up, 1}, // one row a band
        {37, 3, 2, PixelLayout::Bgra8, PngFilter::Up, 1},
        {33, 63, 2, PixelLayout::Bgra8, PngFilter::Up, 1}, // band size 32 - 1
        {33, 64, 2, PixelLayout::Bgra8, PngFilter::Up, 1}, // band size 32
        {33, 65, 2, PixelLayout::Bgra8, PngFilter::Up, 1}, // band size 32 + 1
        {301, 257, 3, PixelLayout::Bgra8, PngFilter::Up, 1},
        {301, 40, 40, PixelLayout::Bgra8, PngFilter::Up, 1}, // one row a band, many bands
        {31, 50, 7, PixelLayout::Bgr8, PngFilter::Paeth, 1}, // filters look at the row above
        {31, 50, 4, PixelLayout::Bgra8, PngFilter::Average, 6},
        {29, 41, 3, PixelLayout::Indexed4, PngFilter::Sub, 12},
        {17, 30, 5, PixelLayout::Rgba16, PngFilter::Up, 0}, // stored blocks only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " in " << c.bands
                                          << " bands, level " << c.level);
        const auto sample = testing::MakeSample(c.layout, c.width, c.height);
        for (unsigned threads : {1u, 2u}) {
            ByteBuffer file;
            PngOptions options{c.filter, c.level};
            options.bands = c.bands;
            options.threads = threads;
            ASSERT_EQ(EncodePng(sample.view, options, file), EncodeError::None);
            const auto decoded = Decode(file);
            ASSERT_TRUE(decoded);
            ExpectSamePixels(sample.view, *decoded);
        }
    }
}

// Noise ends bands in stored blocks at any level; a large image takes the
// automatic two-band path. Both must give the pixels of a one-band file.
TEST(PngEncoder, AutomaticBandsOfNoiseMatchOneBand) {
    auto sample = testing::MakeSample(PixelLayout::Bgra8, 403, 301, 1);
    std::uint32_t state = 99;
    for (std::size_t i = 0; i < sample.pixels.size(); ++i) {
        state = state * 1103515245u + 12345u;
        // Noise in the top half, flat in the bottom: a band of each kind.
        sample.pixels[i] = i < sample.pixels.size() / 2 ? static_cast<std::uint8_t>(state >> 24)
                                                        : std::uint8_t{0x80};
    }
    ASSERT_GE(std::size_t{403} * 4 * 301, kPngParallelMinBytes);
    for (int level : {1, 6}) {
        ByteBuffer automatic;
        ByteBuffer single;
        PngOptions one{PngFilter::Up, level};
        one.bands = 1;
        ASSERT_EQ(EncodePng(sample.view, {PngFilter::Up, level}, automatic), EncodeError::None);
        ASSERT_EQ(EncodePng(sample.view, one, single), EncodeError::None);
        const auto fromAutomatic = Decode(automatic);
        const auto fromSingle = Decode(single);
        ASSERT_TRUE(fromAutomatic && fromSingle) << level;
        EXPECT_EQ(fromAutomatic->pixels, fromSingle->pixels) << level;
        ExpectSamePixels(sample.view, *fromAutomatic);
    }
}

TEST(PngEncoder, BadDescriptionsAndOptionsAreReportedAndLeaveTheBufferAlone) {
    const auto good = testing::MakeSample(PixelLayout::Bgra8, 8, 8);
    struct Case {
        const char* what;
        void (*spoil)(EncoderImage&);
        EncodeError error;
    };
    const Case cases[] = {
        {"zero width", [](EncoderImage& i) { i.width = 0; }, EncodeError::InvalidImage},
        {"zero height", [](EncoderImage& i) { i.height = 0; }, EncodeError::InvalidImage},
        {"stride below a row", [](EncoderImage& i) { i.stride = 31; }, EncodeError::InvalidImage},
        {"pixels end early",
         [](EncoderImage& i) { i.pixels = i.pixels.first(i.pixels.size() - 4); },
         EncodeError::InvalidImage},
        {"no pixels", [](EncoderImage& i) { i.pixels = {}; }, EncodeError::InvalidImage},
        {"indexed without palette",
         [](EncoderImage& i) {
             i.layout = PixelLayout::Indexed8;
             i.palette = {};
         },
         EncodeError::InvalidImage},
        {"huge width", [](EncoderImage& i) { i.width = 0x7FFFFFFF; }, EncodeError::OverLimit},
        {"too many bytes",
         [](EncoderImage& i) {
             i.width = 60000;
             i.height = 60000;
         },
         EncodeError::OverLimit},
    };
    for (const Case& c : cases) {
        EncoderImage image = good.view;
        c.spoil(image);
        ByteBuffer out{1, 2, 3};
        EXPECT_EQ(EncodePng(image, {}, out), c.error) << c.what;
        EXPECT_EQ(out, (ByteBuffer{1, 2, 3})) << c.what;
    }
    ByteBuffer out;
    EXPECT_EQ(EncodePng(good.view, {PngFilter::Up, 13}, out), EncodeError::InvalidOptions);
    EXPECT_EQ(EncodePng(good.view, {static_cast<PngFilter>(9), 6}, out),
              EncodeError::InvalidOptions);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace vellumark::codecs
