// Pictures keep the layout their file stores: BMP depths and bit-field
// masks, PCX planes, TIFF bilevel, palette, grey and 16-bit pages; icons
// give every entry.
#include "codecs/native/native_picture.h"
#include "native_test_support.h"
#include "stored_layout_fixtures.h"

#include <gtest/gtest.h>
#include <string>

namespace vellumark::codecs::native::testing {
namespace {

std::vector<std::uint32_t> Ramp(std::size_t count, std::uint32_t step) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < count; ++i) {
        colours.push_back(i * step & 0xFFFFFF);
    }
    return colours;
}

// Colour maps of a palette TIFF: entry i is (i, 2i, 3i) in 8 bits.
std::vector<std::uint16_t> TiffColourMap(std::uint32_t entries) {
    std::vector<std::uint16_t> maps(entries * 3);
    for (std::uint32_t i = 0; i < entries; ++i) {
        for (std::uint32_t c = 0; c < 3; ++c) {
            maps[c * entries + i] = static_cast<std::uint16_t>(((i * (c + 1)) & 0xFF) * 257);
        }
    }
    return maps;
}

Bytes PcxPalette() {
    Bytes palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<std::uint8_t>(i / 3 + i % 3);
    }
    return palette;
}

struct StoredCase {
    std::string name;
    Bytes file;
    NativeLayout layout;
    std::size_t paletteSize;
    Rgba16 first;
    Rgba16 second;
};

std::vector<StoredCase> StoredCases() {
    const std::uint32_t opaque = 255, full = 0xFFFF;
    return {
        {"bmp1",
         MakeBmp({1, 0, {}, {0x000000, 0xFFFFFF}, {{0x80}}}),
         NativeLayout::Indexed1,
         2,
         {255, 255, 255, opaque},
         {0, 0, 0, opaque}},
        {"bmp4",
         MakeBmp({4, 0, {}, Ramp(16, 0x111111), {{0x1F}}}),
         NativeLayout::Indexed4,
         16,
         {0x11, 0x11, 0x11, opaque},
         {0xFF, 0xFF, 0xFF, opaque}},
        {"bmp8_short_palette",
         MakeBmp({8, 0, {}, {0x000000, 0x102030, 0x405060}, {{2, 1}}}),
         NativeLayout::Indexed8,
         3,
         {0x40, 0x50, 0x60, opaque},
         {0x10, 0x20, 0x30, opaque}},
        {"bmp16_plain",
         MakeBmp({16, 0, {}, {}, {Words16LE({0x7C00, 0x001F})}}),
         NativeLayout::Rgb555,
         0,
         {31, 0, 0, 1},
         {0, 0, 31, 1}},
        {"bmp16_565",
         MakeBmp({16, 3, {0xF800, 0x07E0, 0x001F}, {}, {Words16LE({0xF800, 0x07E0})}}),
         NativeLayout::Rgb565,
         0,
         {31, 0, 0, 1},
         {0, 63, 0, 1}},
        {"bmp16_1555",
         MakeBmp({16, 6, {0x7C00, 0x03E0, 0x001F, 0x8000}, {}, {Words16LE({0xFC00, 0x001F})}}),
         NativeLayout::Argb1555,
         0,
         {31, 0, 0, 1},
         {0, 0, 31, 0}},
        {"bmp24",
         MakeBmp({24, 0, {}, {}, {{1, 2, 3, 4, 5, 6}}}),
         NativeLayout::Bgr24,
         0,
         {3, 2, 1, opaque},
         {6, 5, 4, opaque}},
        {"bmp32_plain",
         MakeBmp({32, 0, {}, {}, {{1, 2, 3, 9, 4, 5, 6, 9}}}),
         NativeLayout::Bgrx32,
         0,
         {3, 2, 1, opaque},
         {6, 5, 4, opaque}},
        {"bmp32_alpha",
         MakeBmp({32, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {}, {{1, 2, 3, 128, 4, 5, 6, 0}}}),
         NativeLayout::Bgra32,
         0,
         {3, 2, 1, 128},
         {6, 5, 4, 0}},
        // Red in the low byte: no stored layout holds it, so it is converted.
        {"bmp32_swapped_masks",
         MakeBmp({32, 3, {0xFF, 0xFF00, 0xFF0000}, {}, {{1, 2, 3, 0, 4, 5, 6, 0}}}),
         NativeLayout::Bgrx32,
         0,
         {1, 2, 3, opaque},
         {4, 5, 6, opaque}},
        // A run of two of index 1, then the end of the bitmap.
        {"bmp_rle8",
         MakeBmp({8, 1, {}, {0x000000, 0x0A0B0C}, {{2, 1, 0, 1}}}),
         NativeLayout::Bgra32,
         0,
         {0x0A, 0x0B, 0x0C, opaque},
         {0x0A, 0x0B, 0x0C, opaque}},
        {"pcx8_palette",
         MakePcx({5, 8, 1, 2, 2, {{1, 200}}, PcxPalette()}),
         NativeLayout::Indexed8,
         256,
         {1, 2, 3, opaque},
         {200, 201, 202, opaque}},
        {"pcx24",
         MakePcx({5, 8, 3, 2, 2, {{10, 11, 20, 21, 30, 31}}, {}}),
         NativeLayout::Bgr24,
         0,
         {10, 20, 30, opaque},
         {11, 21, 31, opaque}},
        {"pcx32",
         MakePcx({5, 8, 4, 2, 2, {{10, 11, 20, 21, 30, 31, 255, 7}}, {}}),
         NativeLayout::Bgra32,
         0,
         {10, 20, 30, 255},
         {11, 21, 31, 7}},
        {"pcx_monochrome",
         MakePcx({3, 1, 1, 2, 1, {{0x80}}, {}}),
         NativeLayout::Indexed1,
         2,
         {255, 255, 255, opaque},
         {0, 0, 0, opaque}},
        // Pixel 0 has index bits 0 and 3 (9), pixel 1 bits 2 and 3 (12).
        {"pcx_ega",
         MakePcx({3, 1, 4, 2, 1, {{0x80, 0x00, 0x40, 0xC0}}, {}}),
         NativeLayout::Indexed4,
         16,
         {0x55, 0x55, 0xFF, opaque},
         {0xFF, 0x55, 0x55, opaque}},
        {"tiff_bilevel_white_is_zero",
         MakeTiff({0, 1, 1, false, 2, {{0x80}}, {}}),
         NativeLayout::Indexed1,
         2,
         {0, 0, 0, opaque},
         {255, 255, 255, opaque}},
        {"tiff_grey8",
         MakeTiff({1, 8, 1, false, 2, {{17, 255}}, {}}),
         NativeLayout::Indexed8,
         256,
         {17, 17, 17, opaque},
         {255, 255, 255, opaque}},
        {"tiff_palette8",
         MakeTiff({3, 8, 1, false, 2, {{1, 2}}, TiffColourMap(256)}),
         NativeLayout::Indexed8,
         256,
         {1, 2, 3, opaque},
         {2, 4, 6, opaque}},
        {"tiff_palette4",
         MakeTiff({3, 4, 1, false, 2, {{0x12}}, TiffColourMap(16)}),
         NativeLayout::Indexed4,
         16,
         {1, 2, 3, opaque},
         {2, 4, 6, opaque}},
        {"tiff_grey16",
         MakeTiff({1, 16, 1, false, 2, {Words16LE({0x1234, 0xFFFF})}, {}}),
         NativeLayout::Bgr48,
         0,
         {0x1234, 0x1234, 0x1234, full},
         {full, full, full, full}},
        {"tiff_rgb16",
         MakeTiff({2, 16, 3, false, 1, {Words16LE({0x1000, 0x2000, 0x3000})}, {}}),
         NativeLayout::Bgr48,
         0,
         {0x1000, 0x2000, 0x3000, full},
         {0x1000, 0x2000, 0x3000, full}},
        {"tiff_rgba16",
         MakeTiff({2, 16, 4, false, 1, {Words16LE({0x1000, 0x2000, 0x3000, 0x8000})}, {}}),
         NativeLayout::Bgra64,
         0,
         {0x1000, 0x2000, 0x3000, 0x8000},
         {0x1000, 0x2000, 0x3000, 0x8000}},
        // Associated alpha is divided out: the layout holds straight alpha.
        {"tiff_rgba16_associated",
         MakeTiff({2, 16, 4, true, 1, {Words16LE({0x1000, 0x2000, 0x3000, 0x8000})}, {}}),
         NativeLayout::Bgra64,
         0,
         {0x2000, 0x4000, 0x6000, 0x8000},
         {0x2000, 0x4000, 0x6000, 0x8000}},
    };
}

TEST(StoredLayouts, EveryFixtureDecodesInTheLayoutItsFileStores) {
    for (const StoredCase& c : StoredCases()) {
        SCOPED_TRACE(c.name);
        VectorSink sink;
        NativePicture picture;
        ASSERT_EQ(DecodeNative(c.file, sink, picture), DecodeError::None);
        ASSERT_EQ(picture.frames.size(), 1u);
        const NativeFrame& frame = picture.frames[0];
        EXPECT_EQ(frame.layout, c.layout);
        EXPECT_EQ(frame.palette.size(), c.paletteSize);
        EXPECT_EQ(PixelAt(frame, sink.frames[0], sink.strides[0], 0, 0), c.first);
        const std::uint32_t secondX = frame.width > 1 ? 1 : 0;
        EXPECT_EQ(PixelAt(frame, sink.frames[0], sink.strides[0], secondX, 0), c.second);
    }
}

TEST(StoredLayouts, BmpRowsAreTurnedTopDownAndResolutionComesFromTheHeader) {
    BmpFixture fixture{24, 0, {}, {}, {{1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2}}};
    fixture.pixelsPerMetre = 3937; // 100 dpi
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeBmp(fixture), sink, picture), DecodeError::None);
    EXPECT_EQ(PixelAt(picture.frames[0], sink.frames[0], sink.strides[0], 0, 0),
              (Rgba16{1, 1, 1, 255}));
    EXPECT_EQ(PixelAt(picture.frames[0], sink.frames[0], sink.strides[0], 0, 1),
              (Rgba16{2, 2, 2, 255}));
    EXPECT_TRUE(picture.realDpi);
    EXPECT_NEAR(picture.dpiX, 100.0, 0.01);
}

TEST(StoredLayouts, IconGivesEveryEntryWithTheLargestFirst) {
    const Bytes icon = MakeIcon({{16, 0xFF0000}, {48, 0x00FF00}, {32, 0x0000FF}});
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(icon, sink, picture), DecodeError::None);
    EXPECT_EQ(picture.format, NativeFormat::Icon);
    EXPECT_EQ(picture.dimension, FrameDimension::Page);
    ASSERT_EQ(picture.frames.size(), 3u);
    const std::uint32_t sides[] = {48, 16, 32};
    const Rgba16 colours[] = {{0, 255, 0, 255}, {255, 0, 0, 255}, {0, 0, 255, 255}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(picture.frames[i].width, sides[i]);
        EXPECT_EQ(picture.frames[i].layout, NativeLayout::Bgra32);
        EXPECT_EQ(PixelAt(picture.frames[i], sink.frames[i], sink.strides[i], sides[i] - 1, 0),
                  colours[i]);
    }
}

TEST(StoredLayouts, DamagedIconEntriesAreLeftOutButADamagedBestEntryFails) {
    Bytes icon = MakeIcon({{16, 0xFF0000}, {8, 0x00FF00}});
    // Entry 1 (the smaller) claims 1-bit pixels with no room for its rows.
    const std::size_t second = icon[6 + 16 + 12] + std::size_t{icon[6 + 16 + 13]} * 256;
    icon[second + 14] = 1;
    icon.resize(second + 40 + 8);
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(icon, sink, picture), DecodeError::None);
    EXPECT_EQ(picture.frames.size(), 1u);

    Bytes cut = MakeIcon({{16, 0xFF0000}});
    cut.resize(cut.size() - 200);
    EXPECT_NE(DecodeNative(cut, sink, picture), DecodeError::None);
}

} // namespace
} // namespace vellumark::codecs::native::testing
