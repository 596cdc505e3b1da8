// Saving GIF files and reading them back with this library's own decoder:
// transparency of pictures with alpha, the loop count and frame delays.
#include "image_fixtures.h"
#include "native_fixtures.h"
#include "support/started_library.h"

#include <array>
#include <cstring>

namespace vellumark::gdiplus::testing {
namespace {

namespace fixtures = codecs::native::testing;

constexpr PROPID kLoopCountTag = 0x5101;
constexpr GUID kTimeDimension{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};

using GifSaves = StartedLibrary;

std::vector<std::uint8_t> propertyValue(GpImage image, PROPID id) {
    UINT size = 0;
    if (GdipGetPropertyItemSize(image, id, &size) != Ok) {
        return {};
    }
    std::vector<std::uint64_t> block(size / 8 + 1);
    auto* item = reinterpret_cast<PropertyItem*>(block.data());
    EXPECT_EQ(GdipGetPropertyItem(image, id, size, item), Ok);
    const auto* value = static_cast<const std::uint8_t*>(item->value);
    return {value, value + item->length};
}

void setProperty(GpImage image, PROPID id, WORD type, std::vector<std::uint8_t> value) {
    PropertyItem item{id, static_cast<std::uint32_t>(value.size()), type, value.data()};
    ASSERT_EQ(GdipSetPropertyItem(image, &item), Ok);
}

UINT frameCount(GpImage image) {
    UINT count = 0;
    EXPECT_EQ(GdipImageGetFrameCount(image, &kTimeDimension, &count), Ok);
    return count;
}

TEST_F(GifSaves, PixelsWithLessThanHalfAlphaBecomeTransparentAndTheRestStayOpaque) {
    // Alpha 0x7F is the last value below one half, 0x80 the first above.
    std::vector<ARGB> pixels = {0xFFFF0000, 0x7F00FF00, 0x800000FF, 0xFF000000,
                                0x00FFFFFF, 0xFFFFFFFF, 0x01000000, 0xFF00FF00};
    const GpBitmap bitmap = wrapArgb(pixels, 4, 2);
    const GpImage reloaded = loadBytes(encode(bitmap, kGifEncoder));
    ASSERT_NE(reloaded, 0u);
    const std::vector<ARGB> back = argbPixels(reloaded);
    const std::array<ARGB, 8> expected = {0xFFFF0000, 0,          0xFF0000FF, 0xFF000000,
                                          0,          0xFFFFFFFF, 0,          0xFF00FF00};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        if (expected[i] == 0) {
            EXPECT_EQ(back[i] >> 24, 0u);
        } else {
            EXPECT_EQ(back[i], expected[i]);
        }
    }
    GdipDisposeImage(reloaded);
    GdipDisposeImage(bitmap);
}

TEST_F(GifSaves, OpaquePicturesGetNoTransparentIndex) {
    std::vector<ARGB> pixels = {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    const GpBitmap bitmap = wrapArgb(pixels, 2, 2);
    const GpImage reloaded = loadBytes(encode(bitmap, kGifEncoder));
    ASSERT_NE(reloaded, 0u);
    EXPECT_EQ(argbPixels(reloaded), std::vector<ARGB>(pixels.begin(), pixels.end()));
    EXPECT_TRUE(propertyValue(reloaded, 0x5104).empty()); // IndexTransparent
    GdipDisposeImage(reloaded);
    GdipDisposeImage(bitmap);
}

TEST_F(GifSaves, AnimationsKeepTheirLoopCountAndFrameDelays) {
    const GpImage animation = loadBytes(fixtures::MakeAnimatedGif());
    ASSERT_NE(animation, 0u);
    ASSERT_EQ(frameCount(animation), 3u);
    setProperty(animation, kLoopCountTag, PropertyTagTypeShort, {7, 1}); // 263
    setProperty(animation, kFrameDelayTag, PropertyTagTypeLong,
                {5, 0, 0, 0, 6, 0, 0, 0, 0, 2, 0, 0});

    const GpImage reloaded = loadBytes(encode(animation, kGifEncoder));
    ASSERT_NE(reloaded, 0u);
    EXPECT_EQ(frameCount(reloaded), 3u);
    EXPECT_EQ(propertyValue(reloaded, kLoopCountTag), (std::vector<std::uint8_t>{7, 1}));
    EXPECT_EQ(propertyValue(reloaded, kFrameDelayTag),
              (std::vector<std::uint8_t>{5, 0, 0, 0, 6, 0, 0, 0, 0, 2, 0, 0}));
    GdipDisposeImage(reloaded);

    // Without the property an animation repeats for ever.
    ASSERT_EQ(GdipRemovePropertyItem(animation, kLoopCountTag), Ok);
    const GpImage forever = loadBytes(encode(animation, kGifEncoder));
    EXPECT_EQ(propertyValue(forever, kLoopCountTag), (std::vector<std::uint8_t>{0, 0}));
    GdipDisposeImage(forever);
    GdipDisposeImage(animation);
}

} // namespace
} // namespace vellumark::gdiplus::testing
