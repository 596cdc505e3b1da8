// Loading real-world-shaped files through the flat API: native pixel
// formats, palettes, frames, resolution, flags and property items, and
// what damaged or hostile files give.
#include "image_fixtures.h"
#include "native_fixtures.h"
#include "stored_layout_fixtures.h"
#include "support/started_library.h"

#include <cstring>

namespace vellumark::gdiplus::testing {
namespace {

namespace fixtures = codecs::native::testing;

constexpr GUID kTiffFormat{
    0xB96B3CB1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID kTimeDimension{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
constexpr GUID kPageDimension{
    0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};

bool sameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

PixelFormat formatOf(GpImage image) {
    PixelFormat format = 0;
    EXPECT_EQ(GdipGetImagePixelFormat(image, &format), Ok);
    return format;
}

UINT flagsOf(GpImage image) {
    UINT flags = 0;
    EXPECT_EQ(GdipGetImageFlags(image, &flags), Ok);
    return flags;
}

// The item's type and value bytes, or type 0 when the image lacks it.
std::pair<WORD, std::vector<std::uint8_t>> property(GpImage image, PROPID id) {
    UINT size = 0;
    if (GdipGetPropertyItemSize(image, id, &size) != Ok) {
        return {0, {}};
    }
    std::vector<std::uint8_t> block(size);
    auto* item = reinterpret_cast<PropertyItem*>(block.data());
    EXPECT_EQ(GdipGetPropertyItem(image, id, size, item), Ok);
    const auto* value = static_cast<const std::uint8_t*>(item->value);
    return {item->type, std::vector<std::uint8_t>(value, value + item->length)};
}

fixtures::PngFixture withResolutionAndGamma(fixtures::PngFixture png) {
    png.pixelsPerMetre = 3937; // 100 dpi
    png.gammaTimes100000 = 45455;
    return png;
}

using DecodedImages = StartedLibrary;

TEST_F(DecodedImages, JpegIs24BitWithExifPropertiesAndItsResolution) {
    GpStatus status = GenericError;
    const GpImage image = loadBytes(fixtures::MakeJpegWithExif(), &status);
    ASSERT_EQ(status, Ok);
    EXPECT_EQ(formatOf(image), PixelFormat24bppRGB);
    const UINT flags = flagsOf(image);
    EXPECT_EQ(flags & (ImageFlagsReadOnly | ImageFlagsHasRealDPI | ImageFlagsHasRealPixelSize |
                       ImageFlagsColorSpaceYCBCR),
              ImageFlagsReadOnly | ImageFlagsHasRealDPI | ImageFlagsHasRealPixelSize |
                  ImageFlagsColorSpaceYCBCR);
    EXPECT_EQ(flags & (ImageFlagsHasAlpha | ImageFlagsColorSpaceRGB), 0u);
    REAL dpi = 0;
    EXPECT_EQ(GdipGetImageHorizontalResolution(image, &dpi), Ok);
    EXPECT_FLOAT_EQ(dpi, 300.0f);
    EXPECT_EQ(property(image, 0x0112), (std::pair<WORD, std::vector<std::uint8_t>>{3, {6, 0}}));
    EXPECT_EQ(property(image, 0x829A).first, 5);
    UINT count = 0;
    EXPECT_EQ(GdipGetPropertyCount(image, &count), Ok);
    EXPECT_EQ(count, 6u);
    GdipDisposeImage(image);
}

TEST_F(DecodedImages, GreyJpegIsIndexedWithAGreyPalette) {
    const GpImage image = loadBytes(fixtures::MakeJpeg(8, 8, true, 0));
    ASSERT_NE(image, 0u);
    EXPECT_EQ(formatOf(image), PixelFormat8bppIndexed);
    EXPECT_NE(flagsOf(image) & ImageFlagsColorSpaceGRAY, 0u);
    EXPECT_EQ(flagsOf(image) & ImageFlagsHasRealDPI, 0u);
    INT size = 0;
    EXPECT_EQ(GdipGetImagePaletteSize(image, &size), Ok);
    EXPECT_EQ(size, 8 + 4 * 256);
    GdipDisposeImage(image);
}

TEST_F(DecodedImages, PngKeepsItsDepthPaletteAndResolution) {
    struct Case {
        fixtures::PngFixture png;
        PixelFormat format;
    };
    const Case cases[] = {
        {fixtures::PngOf(3, 4), PixelFormat4bppIndexed},
        {fixtures::PngOf(3, 1), PixelFormat1bppIndexed},
        {fixtures::PngOf(2, 8), PixelFormat24bppRGB},
        {fixtures::PngOf(2, 16), PixelFormat48bppRGB},
        {fixtures::PngOf(6, 16), PixelFormat64bppARGB},
        {withResolutionAndGamma(fixtures::PngOf(6, 8)), PixelFormat32bppARGB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const GpImage image = loadBytes(fixtures::MakePng(c.png));
        ASSERT_NE(image, 0u);
        EXPECT_EQ(formatOf(image), c.format);
        REAL dpi = 0;
        EXPECT_EQ(GdipGetImageHorizontalResolution(image, &dpi), Ok);
        EXPECT_NEAR(dpi, c.png.pixelsPerMetre != 0 ? 100.0 : 96.0, 0.01);
        EXPECT_EQ((flagsOf(image) & ImageFlagsHasRealDPI) != 0, c.png.pixelsPerMetre != 0);
        EXPECT_EQ(property(image, 0x0301).first, c.png.gammaTimes100000 != 0 ? 5 : 0);
        GdipDisposeImage(image);
    }
}

TEST_F(DecodedImages, SixteenBitPngReadsBackAsItsColours) {
    fixtures::PngFixture png = fixtures::PngOf(2, 16);
    png.width = 3;
    png.height = 2;
    const GpImage image = loadBytes(fixtures::MakePng(png));
    ASSERT_NE(image, 0u);
    const std::vector<ARGB> pixels = argbPixels(image);
    ASSERT_EQ(pixels.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        const int x = static_cast<int>(i % 3), y = static_cast<int>(i / 3);
        auto eight = [&](int channel) {
            return (fixtures::PngSample(png, x, y, channel) * 255 + 32767) / 65535;
        };
        const ARGB expected = 0xFF000000u | eight(0) << 16 | eight(1) << 8 | eight(2);
        for (int shift : {0, 8, 16}) {
            EXPECT_NEAR(static_cast<int>(pixels[i] >> shift & 0xFF),
                        static_cast<int>(expected >> shift & 0xFF), 1)
                << i;
        }
    }
    GdipDisposeImage(image);
}

TEST_F(DecodedImages, AnimatedGifHasTimeFramesDelaysAndLoopCount) {
    const GpImage image = loadBytes(fixtures::MakeAnimatedGif());
    ASSERT_NE(image, 0u);
    UINT dimensions = 0;
    EXPECT_EQ(GdipImageGetFrameDimensionsCount(image, &dimensions), Ok);
    ASSERT_EQ(dimensions, 1u);
    GUID dimension{};
    EXPECT_EQ(GdipImageGetFrameDimensionsList(image, &dimension, 1), Ok);
    EXPECT_TRUE(sameGuid(dimension, kTimeDimension));
    UINT frames = 0;
    EXPECT_EQ(GdipImageGetFrameCount(image, &kTimeDimension, &frames), Ok);
    EXPECT_EQ(frames, 3u);
    EXPECT_EQ(property(image, kFrameDelayTag), (std::pair<WORD, std::vector<std::uint8_t>>{
                                                   4, {10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0}}));
    EXPECT_EQ(property(image, 0x5101), (std::pair<WORD, std::vector<std::uint8_t>>{3, {3, 0}}));

    const std::vector<ARGB> first = argbPixels(image);
    ASSERT_EQ(GdipImageSelectActiveFrame(image, &kTimeDimension, 2), Ok);
    const std::vector<ARGB> third = argbPixels(image);
    ASSERT_EQ(first.size(), 30u);
    EXPECT_EQ(first[0], 0xFF000000u); // index 0: black
    EXPECT_EQ(third[0], 0xFF00FF00u); // index 2: green
    EXPECT_EQ(GdipImageSelectActiveFrame(image, &kTimeDimension, 3), InvalidParameter);
    GdipDisposeImage(image);
}

TEST_F(DecodedImages, TiffPagesAreFramesWithTheirOwnSizes) {
    GpStatus status = GenericError;
    const GpImage image = loadBytes(fixtures::MakeTwoPageTiff(), &status);
    ASSERT_EQ(status, Ok);
    GUID format{};
    EXPECT_EQ(GdipGetImageRawFormat(image, &format), Ok);
    EXPECT_TRUE(sameGuid(format, kTiffFormat));
    UINT pages = 0;
    EXPECT_EQ(GdipImageGetFrameCount(image, &kPageDimension, &pages), Ok);
    EXPECT_EQ(pages, 2u);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(image, &width), Ok);
    EXPECT_EQ(width, 5u);
    EXPECT_EQ(formatOf(image), PixelFormat24bppRGB);
    ASSERT_EQ(GdipImageSelectActiveFrame(image, &kPageDimension, 1), Ok);
    EXPECT_EQ(GdipGetImageWidth(image, &width), Ok);
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(formatOf(image), PixelFormat32bppPARGB);
    GdipDisposeImage(image);
}

TEST_F(DecodedImages, BmpPcxAndTiffLoadInTheFormatTheirFileStores) {
    const struct {
        const char* name;
        fixtures::Bytes file;
        PixelFormat format;
        UINT paletteEntries;
        ARGB first, second;
    } cases[] = {
        {"bmp4", fixtures::MakeBmp({4, 0, {}, {0x000000, 0x123456}, {{0x10}}}),
         PixelFormat4bppIndexed, 2, 0xFF123456, 0xFF000000},
        {"bmp555", fixtures::MakeBmp({16, 0, {}, {}, {fixtures::Words16LE({0x7C00, 0x001F})}}),
         PixelFormat16bppRGB555, 0, 0xFFFF0000, 0xFF0000FF},
        {"bmp565",
         fixtures::MakeBmp(
             {16, 3, {0xF800, 0x07E0, 0x001F}, {}, {fixtures::Words16LE({0x07E0, 0})}}),
         PixelFormat16bppRGB565, 0, 0xFF00FF00, 0xFF000000},
        {"bmp1555",
         fixtures::MakeBmp(
             {16, 6, {0x7C00, 0x03E0, 0x001F, 0x8000}, {}, {fixtures::Words16LE({0x83E0, 0})}}),
         PixelFormat16bppARGB1555, 0, 0xFF00FF00, 0},
        {"bmp32", fixtures::MakeBmp({32, 0, {}, {}, {{1, 2, 3, 0, 4, 5, 6, 0}}}),
         PixelFormat32bppRGB, 0, 0xFF030201, 0xFF060504},
        {"pcx_monochrome", fixtures::MakePcx({3, 1, 1, 2, 1, {{0x40}}, {}}), PixelFormat1bppIndexed,
         2, 0xFF000000, 0xFFFFFFFF},
        {"tiff_grey8", fixtures::MakeTiff({1, 8, 1, false, 2, {{0x40, 0xC0}}, {}}),
         PixelFormat8bppIndexed, 256, 0xFF404040, 0xFFC0C0C0},
        {"tiff_rgb16",
         fixtures::MakeTiff({2, 16, 3, false, 1, {fixtures::Words16LE({0xFFFF, 0, 0})}, {}}),
         PixelFormat48bppRGB, 0, 0xFFFF0000, 0xFFFF0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GpImage image = loadBytes(c.file);
        ASSERT_NE(image, 0u);
        EXPECT_EQ(formatOf(image), c.format);
        INT size = 0;
        EXPECT_EQ(GdipGetImagePaletteSize(image, &size), Ok);
        const INT header = 8; // Flags and Count before the entries
        EXPECT_EQ(size, c.paletteEntries == 0 ? header : header + 4 * INT(c.paletteEntries));
        const std::vector<ARGB> pixels = argbPixels(image);
        EXPECT_EQ(pixels.at(0), c.first);
        EXPECT_EQ(pixels.at(pixels.size() > 1 ? 1 : 0), c.second);
        GdipDisposeImage(image);
    }
}

TEST_F(DecodedImages, IconsHaveTheIconFormatAndEveryEntryAsAPage) {
    const GpImage icon = loadBytes(fixtures::MakeIcon({{16, 0xFF0000}, {32, 0x0000FF}}));
    ASSERT_NE(icon, 0u);
    GUID raw{};
    EXPECT_EQ(GdipGetImageRawFormat(icon, &raw), Ok);
    EXPECT_TRUE(sameGuid(
        raw, {0xB96B3CB5, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}));
    EXPECT_EQ(formatOf(icon), PixelFormat32bppARGB);
    UINT pages = 0;
    EXPECT_EQ(GdipImageGetFrameCount(icon, &kPageDimension, &pages), Ok);
    EXPECT_EQ(pages, 2u);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(icon, &width), Ok);
    EXPECT_EQ(width, 32u);
    EXPECT_EQ(GdipImageSelectActiveFrame(icon, &kPageDimension, 1), Ok);
    EXPECT_EQ(GdipGetImageWidth(icon, &width), Ok);
    EXPECT_EQ(width, 16u);
    EXPECT_EQ(argbPixels(icon).at(0), 0xFFFF0000u);
    GdipDisposeImage(icon);
}

TEST_F(DecodedImages, DamagedAndHostileFilesFailWithAStatus) {
    const std::vector<std::uint8_t> wholes[] = {fixtures::MakeJpegWithExif(), fixtures::MakePng({}),
                                                fixtures::MakeAnimatedGif(),
                                                fixtures::MakeTwoPageTiff()};
    for (const auto& whole : wholes) {
        const std::vector<std::uint8_t> half(whole.begin(),
                                             whole.begin() + static_cast<long>(whole.size() / 2));
        GpStatus status = Ok;
        const GpImage image = loadBytes(half, &status);
        EXPECT_EQ(status, OutOfMemory);
        EXPECT_EQ(image, 0u);
    }
    std::vector<std::uint8_t> huge = fixtures::MakePng({});
    fixtures::PutBE32(huge, 16, 100000);
    fixtures::PutBE32(huge, 20, 100000);
    GpStatus status = Ok;
    EXPECT_EQ(loadBytes(huge, &status), 0u);
    EXPECT_EQ(status, OutOfMemory);
}

} // namespace
} // namespace vellumark::gdiplus::testing
