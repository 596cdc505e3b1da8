#include "gdiplus/pixels/pixel_format.h"

#include <gtest/gtest.h>
#include <limits>

namespace vellumark::gdiplus::pixels {
namespace {

struct FormatFacts {
    PixelFormat format;
    std::uint32_t bits;
    bool indexed, alpha, premultiplied, extended, canonical, gdi;
};

// From the published constants: bit depth and flag bits of every format.
constexpr FormatFacts kFacts[] = {
    {PixelFormat::Format1bppIndexed, 1, true, false, false, false, false, true},
    {PixelFormat::Format4bppIndexed, 4, true, false, false, false, false, true},
    {PixelFormat::Format8bppIndexed, 8, true, false, false, false, false, true},
    {PixelFormat::Format16bppGrayScale, 16, false, false, false, true, false, false},
    {PixelFormat::Format16bppRGB555, 16, false, false, false, false, false, true},
    {PixelFormat::Format16bppRGB565, 16, false, false, false, false, false, true},
    {PixelFormat::Format16bppARGB1555, 16, false, true, false, false, false, true},
    {PixelFormat::Format24bppRGB, 24, false, false, false, false, false, true},
    {PixelFormat::Format32bppRGB, 32, false, false, false, false, false, true},
    {PixelFormat::Format32bppARGB, 32, false, true, false, false, true, true},
    {PixelFormat::Format32bppPARGB, 32, false, true, true, false, false, true},
    {PixelFormat::Format48bppRGB, 48, false, false, false, true, false, false},
    {PixelFormat::Format64bppARGB, 64, false, true, false, true, true, false},
    {PixelFormat::Format64bppPARGB, 64, false, true, true, true, false, false}, // 0x001C400E
    {PixelFormat::Format32bppCMYK, 32, false, false, false, false, false, false},
};

TEST(PixelFormat, FlagsAndDepthOfEveryPublishedFormat) {
    ASSERT_EQ(AllPixelFormats().size(), std::size(kFacts));
    for (const FormatFacts& f : kFacts) {
        SCOPED_TRACE(Value(f.format));
        EXPECT_EQ(ToPixelFormat(Value(f.format)), f.format);
        EXPECT_EQ(BitsPerPixel(f.format), f.bits);
        EXPECT_EQ(IsIndexed(f.format), f.indexed);
        EXPECT_EQ(HasAlpha(f.format), f.alpha);
        EXPECT_EQ(IsPremultiplied(f.format), f.premultiplied);
        EXPECT_EQ(IsExtended(f.format), f.extended);
        EXPECT_EQ(IsCanonical(f.format), f.canonical);
        EXPECT_EQ(HasFlag(f.format, kGdiFlag), f.gdi);
        EXPECT_EQ(PaletteCapacity(f.format), f.indexed ? 1u << f.bits : 0u);
    }
}

TEST(PixelFormat, RejectsValuesThatAreNotPublishedFormats) {
    for (std::int32_t value : {0, 0x10, 0x0026200B, 0x0126200A, -1, 0x0002200A, 0x001A400E}) {
        EXPECT_EQ(ToPixelFormat(value), std::nullopt) << value;
    }
}

TEST(PixelFormat, StrideIsTheRowRoundedUpToWholeWords) {
    struct Case {
        PixelFormat format;
        std::uint32_t width;
        std::int32_t stride;
    };
    const Case cases[] = {
        {PixelFormat::Format1bppIndexed, 1, 4}, {PixelFormat::Format1bppIndexed, 33, 8},
        {PixelFormat::Format4bppIndexed, 9, 8}, {PixelFormat::Format8bppIndexed, 5, 8},
        {PixelFormat::Format24bppRGB, 5, 16},   {PixelFormat::Format24bppRGB, 4, 12},
        {PixelFormat::Format16bppRGB565, 3, 8}, {PixelFormat::Format48bppRGB, 3, 20},
        {PixelFormat::Format32bppARGB, 0, 0},   {PixelFormat::Format64bppARGB, 7, 56},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MinimumStride(c.format, c.width), c.stride)
            << Value(c.format) << " width " << c.width;
    }
}

TEST(PixelFormat, StrideThatOverflowsASignedWordIsRefused) {
    const auto huge = std::numeric_limits<std::uint32_t>::max();
    EXPECT_EQ(MinimumStride(PixelFormat::Format32bppARGB, huge), std::nullopt);
    EXPECT_EQ(MinimumStride(PixelFormat::Format32bppARGB, 0x20000000), std::nullopt);
    EXPECT_EQ(MinimumStride(PixelFormat::Format32bppARGB, 0x1FFFFFFF), 0x7FFFFFFC);
    EXPECT_EQ(MinimumStride(PixelFormat::Undefined, 10), std::nullopt);
}

} // namespace
} // namespace vellumark::gdiplus::pixels
