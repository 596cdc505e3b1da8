#include "codecs/native/native_picture.h"
#include "codecs/native/property_items.h"
#include "native_fixtures.h"
#include "native_test_support.h"

#include <gtest/gtest.h>

namespace vellumark::codecs::native::testing {
namespace {

TEST(GifNative, AnimationKeepsEveryFrameWithDelaysAndLoopCount) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeAnimatedGif(), sink, picture), DecodeError::None);
    EXPECT_EQ(picture.format, NativeFormat::Gif);
    EXPECT_EQ(picture.dimension, FrameDimension::Time);
    ASSERT_EQ(picture.frames.size(), 3u);
    for (const NativeFrame& frame : picture.frames) {
        EXPECT_EQ(frame.width, 6u);
        EXPECT_EQ(frame.height, 5u);
        EXPECT_EQ(frame.layout, NativeLayout::Bgra32);
    }
    const PropertyItem* delays = FindProperty(picture, kTagFrameDelay);
    ASSERT_NE(delays, nullptr);
    EXPECT_EQ(delays->type, kTypeLong);
    EXPECT_EQ(delays->value, (std::vector<std::uint8_t>{10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0}));
    const PropertyItem* loops = FindProperty(picture, kTagLoopCount);
    ASSERT_NE(loops, nullptr);
    EXPECT_EQ(loops->type, kTypeShort);
    EXPECT_EQ(loops->value, (std::vector<std::uint8_t>{3, 0}));
}

TEST(GifNative, TransparentPixelsShowThePreviousFrame) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeAnimatedGif(), sink, picture), DecodeError::None);
    ASSERT_EQ(picture.frames.size(), 3u);
    const Rgba16 colours[] = {{0, 0, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    for (std::uint32_t i = 0; i < 30; ++i) {
        const std::uint32_t x = i % 6, y = i / 6;
        EXPECT_EQ(PixelAt(picture.frames[0], sink.frames[0], sink.strides[0], x, y),
                  colours[i % 4]);
        // Frame 1 keys out index 3, where frame 0 showed index 2.
        const Rgba16 second = (i + 1) % 4 == 3 ? colours[i % 4] : colours[(i + 1) % 4];
        EXPECT_EQ(PixelAt(picture.frames[1], sink.frames[1], sink.strides[1], x, y), second);
        EXPECT_EQ(PixelAt(picture.frames[2], sink.frames[2], sink.strides[2], x, y),
                  colours[(i + 2) % 4]);
    }
}

TEST(TiffNative, PagesBecomeFramesWithTheFirstPagesResolution) {
    VectorSink sink;
    NativePicture picture;
    const Bytes tiff = MakeTwoPageTiff();
    ASSERT_FALSE(tiff.empty());
    ASSERT_EQ(DecodeNative(tiff, sink, picture), DecodeError::None);
    EXPECT_EQ(picture.format, NativeFormat::Tiff);
    EXPECT_EQ(picture.dimension, FrameDimension::Page);
    ASSERT_EQ(picture.frames.size(), 2u);
    EXPECT_EQ(picture.frames[0].width, 5u);
    EXPECT_EQ(picture.frames[0].height, 4u);
    EXPECT_EQ(picture.frames[0].layout, NativeLayout::Bgr24);
    EXPECT_EQ(picture.frames[1].width, 3u);
    EXPECT_EQ(picture.frames[1].layout, NativeLayout::Pbgra32);
    EXPECT_TRUE(picture.realDpi);
    EXPECT_DOUBLE_EQ(picture.dpiX, 150.0);
    // The fixture's first page holds byte i = i * 11 in B, G, R order.
    for (std::uint32_t i = 0; i < 20; ++i) {
        const auto byte = [&](std::uint32_t k) { return (k * 11) & 0xFFu; };
        EXPECT_EQ(PixelAt(picture.frames[0], sink.frames[0], sink.strides[0], i % 5, i / 5),
                  (Rgba16{byte(3 * i + 2), byte(3 * i + 1), byte(3 * i), 255}));
    }
}

} // namespace
} // namespace vellumark::codecs::native::testing
