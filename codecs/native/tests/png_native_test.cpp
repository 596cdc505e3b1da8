#include "codecs/native/native_picture.h"
#include "codecs/native/property_items.h"
#include "native_fixtures.h"
#include "native_test_support.h"

#include <gtest/gtest.h>

namespace vellumark::codecs::native::testing {
namespace {

struct PngCase {
    const char* name;
    int colourType;
    int bitDepth;
    bool key;
    NativeLayout layout;
};

const PngCase kPngCases[] = {
    {"palette1", 3, 1, false, NativeLayout::Indexed1},
    {"palette2", 3, 2, false, NativeLayout::Indexed8},
    {"palette4", 3, 4, false, NativeLayout::Indexed4},
    {"palette8_keyed", 3, 8, true, NativeLayout::Indexed8},
    {"grey1", 0, 1, false, NativeLayout::Indexed1},
    {"grey2", 0, 2, false, NativeLayout::Indexed8},
    {"grey4", 0, 4, false, NativeLayout::Indexed4},
    {"grey8_keyed", 0, 8, true, NativeLayout::Indexed8},
    {"grey16", 0, 16, false, NativeLayout::Bgr48},
    {"grey_alpha8", 4, 8, false, NativeLayout::Bgra32},
    {"grey_alpha16", 4, 16, false, NativeLayout::Bgra64},
    {"rgb8", 2, 8, false, NativeLayout::Bgr24},
    {"rgb8_keyed", 2, 8, true, NativeLayout::Bgra32},
    {"rgb16", 2, 16, false, NativeLayout::Bgr48},
    {"rgb16_keyed", 2, 16, true, NativeLayout::Bgra64},
    {"rgba8", 6, 8, false, NativeLayout::Bgra32},
    {"rgba16", 6, 16, false, NativeLayout::Bgra64},
};

// The colour the fixture stored at (x, y), at the depth the layout keeps.
Rgba16 StoredColour(const PngFixture& f, const NativeFrame& frame, int x, int y) {
    auto sample = [&](int channel) { return PngSample(f, x, y, channel); };
    const bool wide = frame.layout == NativeLayout::Bgr48 || frame.layout == NativeLayout::Bgra64;
    const std::uint32_t opaque = wide ? 0xFFFF : 0xFF;
    const std::uint32_t max = (1u << f.bitDepth) - 1;
    switch (f.colourType) {
    case 3: {
        const std::uint32_t index = sample(0);
        const std::uint32_t alpha = f.transparencyKey && index == 0 ? 0 : 255;
        return {index * 16, 255 - index * 8, index * 5, alpha};
    }
    case 0: {
        const std::uint32_t grey = wide ? sample(0) : sample(0) * 255 / max;
        return {grey, grey, grey, f.transparencyKey && sample(0) == 0 ? 0 : opaque};
    }
    case 4:
        return {sample(0), sample(0), sample(0), sample(1)};
    case 2: {
        const bool keyed = f.transparencyKey && sample(0) == 0 && sample(1) == 0 && sample(2) == 0;
        return {sample(0), sample(1), sample(2), keyed ? 0 : opaque};
    }
    default:
        return {sample(0), sample(1), sample(2), sample(3)};
    }
}

TEST(PngNative, EveryColourTypeAndDepthDecodesToItsNativeLayout) {
    for (const PngCase& c : kPngCases) {
        SCOPED_TRACE(c.name);
        PngFixture fixture;
        fixture.width = 9; // not a multiple of 8: packed rows end mid-byte
        fixture.height = 3;
        fixture.colourType = c.colourType;
        fixture.bitDepth = c.bitDepth;
        fixture.transparencyKey = c.key;
        VectorSink sink;
        NativePicture picture;
        ASSERT_EQ(DecodeNative(MakePng(fixture), sink, picture), DecodeError::None);
        ASSERT_EQ(picture.frames.size(), 1u);
        const NativeFrame& frame = picture.frames[0];
        EXPECT_EQ(frame.layout, c.layout);
        EXPECT_EQ(picture.format, NativeFormat::Png);
        for (int y = 0; y < fixture.height; ++y) {
            for (int x = 0; x < fixture.width; ++x) {
                ASSERT_EQ(PixelAt(frame, sink.frames[0], sink.strides[0],
                                  static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)),
                          StoredColour(fixture, frame, x, y))
                    << x << "," << y;
            }
        }
    }
}

TEST(PngNative, ResolutionGammaAndTextBecomeProperties) {
    PngFixture fixture;
    fixture.pixelsPerMetre = 11811; // 300 dpi
    fixture.gammaTimes100000 = 45455;
    fixture.texts = {{"Title", "Statement"}, {"Author", "Ada"}, {"Private", "dropped"}};
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakePng(fixture), sink, picture), DecodeError::None);

    EXPECT_TRUE(picture.realDpi);
    EXPECT_NEAR(picture.dpiX, 300.0, 0.01);
    EXPECT_NEAR(picture.dpiY, 300.0, 0.01);
    ASSERT_NE(FindProperty(picture, kTagPixelPerUnitX), nullptr);
    EXPECT_EQ(FindProperty(picture, kTagPixelPerUnitX)->value,
              (std::vector<std::uint8_t>{0x23, 0x2E, 0, 0}));
    EXPECT_EQ(FindProperty(picture, kTagPixelUnit)->value, (std::vector<std::uint8_t>{1}));
    ASSERT_NE(FindProperty(picture, kTagGamma), nullptr);
    EXPECT_EQ(FindProperty(picture, kTagGamma)->value,
              (std::vector<std::uint8_t>{0xA0, 0x86, 1, 0, 0x8F, 0xB1, 0, 0}));
    ASSERT_NE(FindProperty(picture, kTagImageTitle), nullptr);
    EXPECT_EQ(FindProperty(picture, kTagImageTitle)->type, kTypeAscii);
    const auto& title = FindProperty(picture, kTagImageTitle)->value;
    EXPECT_EQ(std::string(title.begin(), title.end()), std::string("Statement", 10));
    ASSERT_NE(FindProperty(picture, kTagArtist), nullptr);
    EXPECT_EQ(picture.properties.size(), 6u); // unit, x, y, gamma, title, artist
}

TEST(PngNative, WithoutPhysTheResolutionIsTheDefault) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakePng({}), sink, picture), DecodeError::None);
    EXPECT_FALSE(picture.realDpi);
    EXPECT_EQ(picture.dpiX, 96.0);
    EXPECT_TRUE(picture.properties.empty());
}

} // namespace
} // namespace vellumark::codecs::native::testing
