#include "gdiplus/pixels/linear_light.h"
#include "gdiplus/pixels/premultiply.h"
#include "gdiplus/pixels/row_conversion.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace vellumark::gdiplus::pixels {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Colours = std::vector<std::uint32_t>;

const Colours kColours{
    0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF808080u, 0xFF123456u,
    0x80FF8040u, 0x01FFFFFFu, 0x00ABCDEFu, 0xFE102030u, 0x7F00FF00u,
};

Bytes RowFor(PixelFormat format, std::size_t pixels) {
    return Bytes(
        static_cast<std::size_t>(*MinimumStride(format, static_cast<std::uint32_t>(pixels))), 0xA5);
}

Colours Palette(PixelFormat format) {
    return Colours(kColours.begin(),
                   kColours.begin() + std::min<std::ptrdiff_t>(PaletteCapacity(format), 10));
}

std::uint32_t Opaque(std::uint32_t c) {
    return c | 0xFF000000u;
}

std::uint32_t Luma8(std::uint32_t c) {
    const double y = 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c);
    const auto v = static_cast<std::uint32_t>(y + 0.5);
    return MakeArgb(255, v, v, v);
}

struct RoundTrip {
    PixelFormat format;
    std::function<std::uint32_t(std::uint32_t)> expected;
    int tolerance;
    // Below this alpha the colour channels are not compared (alpha still is).
    std::uint32_t colourFromAlpha = 0;
};

int ChannelGap(std::uint32_t x, std::uint32_t y, int shift) {
    return std::abs(static_cast<int>((x >> shift) & 0xFF) - static_cast<int>((y >> shift) & 0xFF));
}

TEST(RowConversion, ColoursSurviveEveryFormatWithinItsPrecision) {
    auto same = [](std::uint32_t c) { return c; };
    auto transparentIsZero = [](std::uint32_t c) { return AlphaOf(c) == 0 ? 0u : c; };
    const RoundTrip cases[] = {
        {PixelFormat::Format1bppIndexed, same, 0},
        {PixelFormat::Format4bppIndexed, same, 0},
        {PixelFormat::Format8bppIndexed, same, 0},
        {PixelFormat::Format16bppGrayScale, Luma8, 1},
        {PixelFormat::Format16bppRGB555, Opaque, 4},
        {PixelFormat::Format16bppRGB565, Opaque, 4},
        {PixelFormat::Format16bppARGB1555,
         [](std::uint32_t c) { return (c & 0xFFFFFFu) | (AlphaOf(c) >= 128 ? 0xFF000000u : 0u); },
         4},
        {PixelFormat::Format24bppRGB, Opaque, 0},
        {PixelFormat::Format32bppRGB, Opaque, 0},
        {PixelFormat::Format32bppARGB, same, 0},
        {PixelFormat::Format32bppPARGB,
         [](std::uint32_t c) { return Unpremultiply(Premultiply(c)); }, 0},
        {PixelFormat::Format48bppRGB, Opaque, 0},
        {PixelFormat::Format64bppARGB, same, 0},
        {PixelFormat::Format64bppPARGB, transparentIsZero, 1, 128},
        {PixelFormat::Format32bppCMYK, Opaque, 1},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(Value(c.format));
        const std::size_t count = IsIndexed(c.format) ? Palette(c.format).size() : kColours.size();
        const Colours input(kColours.begin(),
                            kColours.begin() + static_cast<std::ptrdiff_t>(count));
        const Colours palette = Palette(c.format);
        PaletteMatcher matcher(palette);
        Bytes row = RowFor(c.format, count);
        ASSERT_TRUE(WriteArgbRow(c.format, input, &matcher, row, 0));
        Colours output(count);
        ASSERT_TRUE(ReadArgbRow(c.format, row, 0, palette, output));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t want = c.expected(input[i]);
            SCOPED_TRACE(::testing::Message() << std::hex << input[i] << " -> " << output[i]);
            EXPECT_EQ(AlphaOf(output[i]), AlphaOf(want));
            if (AlphaOf(want) >= c.colourFromAlpha) {
                for (int shift : {0, 8, 16}) {
                    EXPECT_LE(ChannelGap(output[i], want, shift), c.tolerance);
                }
            }
        }
    }
}

TEST(RowConversion, KnownByteEncodingsOfHalfTransparentRed) {
    struct Case {
        PixelFormat format;
        Bytes bytes;
    };
    const Case cases[] = {
        {PixelFormat::Format32bppARGB, {0x00, 0x00, 0xFF, 0x80}},
        {PixelFormat::Format32bppPARGB, {0x00, 0x00, 0x80, 0x80}},
        {PixelFormat::Format32bppRGB, {0x00, 0x00, 0xFF, 0xFF}},
        {PixelFormat::Format24bppRGB, {0x00, 0x00, 0xFF}},
        {PixelFormat::Format16bppRGB555, {0x00, 0x7C}},
        {PixelFormat::Format16bppRGB565, {0x00, 0xF8}},
        {PixelFormat::Format16bppARGB1555, {0x00, 0xFC}},
        {PixelFormat::Format16bppGrayScale, {0x8B, 0x4C}},
        {PixelFormat::Format32bppCMYK, {0x00, 0xFF, 0xFF, 0x00}},
        // 1.0 is 0x2000; alpha 128/255 of it is 4112 (0x1010).
        {PixelFormat::Format48bppRGB, {0x00, 0x00, 0x00, 0x00, 0x00, 0x20}},
        {PixelFormat::Format64bppARGB, {0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x10, 0x10}},
        {PixelFormat::Format64bppPARGB, {0x00, 0x00, 0x00, 0x00, 0x10, 0x10, 0x10, 0x10}},
    };
    const Colours red{0x80FF0000u};
    for (const Case& c : cases) {
        Bytes row = RowFor(c.format, 1);
        ASSERT_TRUE(WriteArgbRow(c.format, red, nullptr, row, 0));
        EXPECT_EQ(Bytes(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(c.bytes.size())),
                  c.bytes)
            << Value(c.format);
    }
}

TEST(RowConversion, LinearFormatsStoreSrgbMidGreyAsLinearLight) {
    Bytes row = RowFor(PixelFormat::Format48bppRGB, 1);
    ASSERT_TRUE(WriteArgbRow(PixelFormat::Format48bppRGB, Colours{0xFF808080u}, nullptr, row, 0));
    // sRGB 128/255 is 0.2158 in linear light: 1768 of 8192.
    EXPECT_EQ(row[0] | (row[1] << 8), 1768);
}

TEST(RowConversion, EveryEightBitLevelSurvivesLinearFormats) {
    Colours ramp(256);
    for (std::uint32_t v = 0; v < 256; ++v) {
        ramp[v] = MakeArgb(v == 0 ? 255 : v, v, 255 - v, v / 2);
    }
    for (PixelFormat format : {PixelFormat::Format48bppRGB, PixelFormat::Format64bppARGB}) {
        Bytes row = RowFor(format, ramp.size());
        ASSERT_TRUE(WriteArgbRow(format, ramp, nullptr, row, 0));
        Colours back(ramp.size());
        ASSERT_TRUE(ReadArgbRow(format, row, 0, {}, back));
        for (std::size_t i = 0; i < ramp.size(); ++i) {
            const std::uint32_t want =
                format == PixelFormat::Format48bppRGB ? Opaque(ramp[i]) : ramp[i];
            ASSERT_EQ(back[i], want) << Value(format) << " level " << i;
        }
    }
}

TEST(RowConversion, PackedIndicesFillFromTheMostSignificantBits) {
    const Colours palette{0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u};
    PaletteMatcher twoColours(std::span<const std::uint32_t>(palette).first(2));
    Bytes bits(4, 0);
    ASSERT_TRUE(WriteArgbRow(PixelFormat::Format1bppIndexed,
                             Colours{0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu}, &twoColours, bits, 0));
    EXPECT_EQ(bits[0], 0b1010'0000);

    PaletteMatcher four(palette);
    Bytes nibbles(4, 0);
    ASSERT_TRUE(WriteArgbRow(PixelFormat::Format4bppIndexed,
                             Colours{0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u}, &four, nibbles, 0));
    EXPECT_EQ(nibbles[0], 0x12);
    EXPECT_EQ(nibbles[1], 0x30);
}

TEST(RowConversion, WritingFromAnOddPixelKeepsTheNeighboursInTheSameByte) {
    const Colours palette{0xFF000000u, 0xFFFFFFFFu};
    PaletteMatcher matcher(palette);
    Bytes bits{0b1000'0001, 0xFF, 0, 0};
    ASSERT_TRUE(WriteArgbRow(PixelFormat::Format1bppIndexed,
                             Colours{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u}, &matcher, bits, 6));
    EXPECT_EQ(bits[0], 0b1000'0011);
    EXPECT_EQ(bits[1], 0b0111'1111);

    Bytes nibbles{0xAB, 0xCD, 0, 0};
    const Colours sixteen(16, 0xFF000000u);
    Colours many = sixteen;
    many[7] = 0xFF00FF00u;
    PaletteMatcher greens(many);
    ASSERT_TRUE(
        WriteArgbRow(PixelFormat::Format4bppIndexed, Colours{0xFF00FF00u}, &greens, nibbles, 1));
    EXPECT_EQ(nibbles[0], 0xA7);
    EXPECT_EQ(nibbles[1], 0xCD);

    Colours read(2);
    ASSERT_TRUE(ReadArgbRow(PixelFormat::Format4bppIndexed, nibbles, 1, many, read));
    EXPECT_EQ(read, (Colours{0xFF00FF00u, 0xFF000000u}));
}

TEST(RowConversion, ColoursNotInThePaletteTakeTheNearestEntry) {
    const Colours palette{0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u, 0xFFFF0000u, 0x00000000u};
    PaletteMatcher matcher(palette);
    EXPECT_EQ(matcher.IndexOf(0xFFC81E1Eu), 2); // reddish
    EXPECT_EQ(matcher.IndexOf(0xFFFF0000u), 2); // the first of two equal entries
    EXPECT_EQ(matcher.IndexOf(0xFFE0E0E0u), 1);
    EXPECT_EQ(matcher.IndexOf(0x10101010u), 4); // alpha counts too
    EXPECT_EQ(matcher.IndexOf(0xFFC81E1Eu), 2); // remembered answers agree
}

TEST(RowConversion, IndicesBeyondThePaletteReadAsOpaqueBlack) {
    const Bytes row{0, 1, 7, 0};
    Colours out(3);
    ASSERT_TRUE(ReadArgbRow(PixelFormat::Format8bppIndexed, row, 0,
                            Colours{0xFF0000FFu, 0x80FFFFFFu}, out));
    EXPECT_EQ(out, (Colours{0xFF0000FFu, 0x80FFFFFFu, 0xFF000000u}));
}

TEST(RowConversion, RefusesShortRowsUnknownFormatsAndUnusablePalettes) {
    Bytes row(8, 0x5A);
    const Bytes untouched = row;
    Colours two(2, 0xFFFFFFFFu);
    Colours out(3);
    EXPECT_FALSE(ReadArgbRow(PixelFormat::Format24bppRGB, row, 0, {}, out));
    EXPECT_FALSE(ReadArgbRow(PixelFormat::Format32bppARGB, row, 1, {}, two));
    EXPECT_FALSE(ReadArgbRow(PixelFormat::Undefined, row, 0, {}, two));
    EXPECT_FALSE(ReadArgbRow(static_cast<PixelFormat>(0x0026200F), row, 0, {}, two));
    EXPECT_FALSE(WriteArgbRow(PixelFormat::Format64bppARGB, two, nullptr, row, 0));
    EXPECT_FALSE(WriteArgbRow(PixelFormat::Format8bppIndexed, two, nullptr, row, 0));
    PaletteMatcher empty({});
    EXPECT_FALSE(WriteArgbRow(PixelFormat::Format8bppIndexed, two, &empty, row, 0));
    const Colours three{0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u};
    PaletteMatcher tooMany(three);
    EXPECT_FALSE(WriteArgbRow(PixelFormat::Format1bppIndexed, two, &tooMany, row, 0));
    EXPECT_EQ(row, untouched);
    // 8 bytes hold exactly 64 one-bit pixels.
    Colours sixtyFour(64);
    EXPECT_TRUE(ReadArgbRow(PixelFormat::Format1bppIndexed, row, 0, three, sixtyFour));
    Colours sixtyFive(65);
    EXPECT_FALSE(ReadArgbRow(PixelFormat::Format1bppIndexed, row, 0, three, sixtyFive));
}

TEST(RowConversion, WideRowsKeepMoreThanEightBitsWhereTheFormatCan) {
    std::vector<Color16> ramp;
    for (std::uint32_t v = 0; v < 65536; v += 97) {
        const auto w = static_cast<std::uint16_t>(v);
        ramp.push_back(
            {static_cast<std::uint16_t>(65535 - w), w, w, static_cast<std::uint16_t>(65535 - w)});
    }
    for (PixelFormat format : {PixelFormat::Format48bppRGB, PixelFormat::Format64bppARGB}) {
        Bytes row = RowFor(format, ramp.size());
        ASSERT_TRUE(WriteWideRow(format, ramp, nullptr, row, 0));
        std::vector<Color16> back(ramp.size());
        ASSERT_TRUE(ReadWideRow(format, row, 0, {}, back));
        for (std::size_t i = 0; i < ramp.size(); ++i) {
            // Half a 13-bit linear step is at most 52 near black, far below
            // the 128 that a trip through eight bits could lose.
            ASSERT_LE(std::abs(back[i].r - ramp[i].r), 52) << Value(format) << " " << ramp[i].r;
            if (format == PixelFormat::Format64bppARGB) {
                ASSERT_LE(std::abs(back[i].a - ramp[i].a), 4);
            }
        }
    }
    Bytes grey = RowFor(PixelFormat::Format16bppGrayScale, 1);
    const std::vector<Color16> level{{65535, 12345, 12345, 12345}};
    ASSERT_TRUE(WriteWideRow(PixelFormat::Format16bppGrayScale, level, nullptr, grey, 0));
    std::vector<Color16> back(1);
    ASSERT_TRUE(ReadWideRow(PixelFormat::Format16bppGrayScale, grey, 0, {}, back));
    EXPECT_EQ(back[0], level[0]);
}

TEST(RowConversion, WideRowsOfEightBitFormatsRoundToNearest) {
    Bytes row = RowFor(PixelFormat::Format24bppRGB, 70); // more than one internal chunk
    std::vector<Color16> colours(70, Color16{65535, 0x8080, 0x807F, 0x7F80});
    ASSERT_TRUE(WriteWideRow(PixelFormat::Format24bppRGB, colours, nullptr, row, 0));
    EXPECT_EQ(row[207], 0x7F);
    EXPECT_EQ(row[208], 0x80);
    EXPECT_EQ(row[209], 0x80);
    std::vector<Color16> back(70);
    ASSERT_TRUE(ReadWideRow(PixelFormat::Format24bppRGB, row, 0, {}, back));
    EXPECT_EQ(back[69], (Color16{65535, 0x8080, 0x8080, 0x7F7F}));
}

} // namespace
} // namespace vellumark::gdiplus::pixels
