#include "codecs/encoders/gif_encoder.h"
#include "test_images.h"

#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <memory>

namespace vellumark::codecs {
namespace {

struct ReadCursor {
    const ByteBuffer* data;
    std::size_t at;
};

int ReadFromBuffer(GifFileType* gif, GifByteType* out, int count) {
    auto* cursor = static_cast<ReadCursor*>(gif->UserData);
    const std::size_t n =
        std::min(static_cast<std::size_t>(count), cursor->data->size() - cursor->at);
    std::memcpy(out, cursor->data->data() + cursor->at, n);
    cursor->at += n;
    return static_cast<int>(n);
}

struct Closer {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, Closer>;

// Opens and reads the whole file with giflib; null when giflib refuses it.
GifFile Slurp(const ByteBuffer& file, ReadCursor& cursor) {
    cursor = {&file, 0};
    int error = 0;
    GifFile gif(DGifOpen(&cursor, ReadFromBuffer, &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
        return nullptr;
    }
    return gif;
}

void ExpectFramePixels(const EncoderImage& image, const SavedImage& saved) {
    ASSERT_EQ(saved.ImageDesc.Width, static_cast<int>(image.width));
    ASSERT_EQ(saved.ImageDesc.Height, static_cast<int>(image.height));
    const ColorMapObject* map = saved.ImageDesc.ColorMap;
    ASSERT_NE(map, nullptr);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            const GifByteType index = saved.RasterBits[y * image.width + x];
            ASSERT_LT(index, map->ColorCount);
            const GifColorType c = map->Colors[index];
            const auto want = testing::SourcePixel(image, x, y);
            ASSERT_EQ((testing::Rgba{c.Red, c.Green, c.Blue, want.a}), want) << x << "," << y;
        }
    }
}

int LoopCountOf(const SavedImage& first) {
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = first.ExtensionBlocks[i];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
            const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
            return data.Bytes[1] | (data.Bytes[2] << 8);
        }
    }
    return -1;
}

TEST(GifEncoder, AnimationKeepsFramesDelaysTransparencyAndLoopCount) {
    const auto first = testing::MakeSample(PixelLayout::Indexed8, 21, 9);
    const auto second = testing::MakeSample(PixelLayout::Indexed4, 30, 7);
    const auto third = testing::MakeSample(PixelLayout::Indexed1, 11, 12);
    const GifFrame frames[] = {{first.view, 10, 3}, {second.view, 250, -1}, {third.view, 0, 1}};
    ByteBuffer file;
    ASSERT_EQ(EncodeGif(frames, {5}, file), EncodeError::None);
    EXPECT_EQ(std::memcmp(file.data(), "GIF89a", 6), 0);

    ReadCursor cursor{};
    const GifFile gif = Slurp(file, cursor);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 30);
    EXPECT_EQ(gif->SHeight, 12);
    ASSERT_EQ(gif->ImageCount, 3);
    EXPECT_EQ(LoopCountOf(gif->SavedImages[0]), 5);
    const int delays[] = {10, 250, 0};
    const int transparent[] = {3, NO_TRANSPARENT_COLOR, 1};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, delays[i]);
        EXPECT_EQ(control.TransparentColor, transparent[i]);
        ExpectFramePixels(frames[i].image, gif->SavedImages[i]);
    }
}

TEST(GifEncoder, SingleGreyFrameHasNoLoopAndAGreyTable) {
    const auto grey = testing::MakeSample(PixelLayout::Gray8, 16, 16);
    const GifFrame frame{grey.view};
    ByteBuffer file;
    ASSERT_EQ(EncodeGif({&frame, 1}, {}, file), EncodeError::None);
    ReadCursor cursor{};
    const GifFile gif = Slurp(file, cursor);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 1);
    EXPECT_EQ(LoopCountOf(gif->SavedImages[0]), -1);
    ExpectFramePixels(grey.view, gif->SavedImages[0]);
}

TEST(GifEncoder, TrueColourFramesAndBadSettingsAreRefused) {
    const auto colour = testing::MakeSample(PixelLayout::Bgra8, 4, 4);
    const auto indexed = testing::MakeSample(PixelLayout::Indexed8, 4, 4);
    ByteBuffer out{1};
    const GifFrame trueColour{colour.view};
    EXPECT_EQ(EncodeGif({&trueColour, 1}, {}, out), EncodeError::Unsupported);
    const GifFrame badIndex{indexed.view, 0, 256};
    EXPECT_EQ(EncodeGif({&badIndex, 1}, {}, out), EncodeError::InvalidOptions);
    const GifFrame badDelay{indexed.view, 70000, -1};
    EXPECT_EQ(EncodeGif({&badDelay, 1}, {}, out), EncodeError::InvalidOptions);
    const GifFrame good{indexed.view};
    EXPECT_EQ(EncodeGif({&good, 1}, {65536}, out), EncodeError::InvalidOptions);
    EXPECT_EQ(EncodeGif({}, {}, out), EncodeError::InvalidImage);
    EXPECT_EQ(out, ByteBuffer{1});
}

} // namespace
} // namespace vellumark::codecs
