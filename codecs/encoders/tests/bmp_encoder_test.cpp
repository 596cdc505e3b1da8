#include "codecs/encoders/bmp_encoder.h"
#include "test_images.h"

#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::Rgba;

std::uint32_t Le32(const ByteBuffer& b, std::size_t at) {
    return b[at] | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
           (std::uint32_t{b[at + 3]} << 24);
}
std::uint32_t Le16(const ByteBuffer& b, std::size_t at) {
    return b[at] | (std::uint32_t{b[at + 1]} << 8);
}

// Reads pixel (x, y) of the written file by the documented layout,
// independently of the encoder: bottom-up rows padded to 4 bytes, indices
// through the colour table.
Rgba FilePixel(const ByteBuffer& file, std::uint32_t x, std::uint32_t y) {
    const std::uint32_t offset = Le32(file, 10);
    const std::uint32_t width = Le32(file, 18);
    const std::uint32_t height = Le32(file, 22);
    const std::uint32_t bits = Le16(file, 28);
    const std::size_t stride = (std::size_t{width} * bits + 31) / 32 * 4;
    const std::size_t row = offset + stride * (height - 1 - y);
    switch (bits) {
    case 32:
        return {file[row + 4 * x + 2], file[row + 4 * x + 1], file[row + 4 * x],
                file[row + 4 * x + 3]};
    case 24:
        return {file[row + 3 * x + 2], file[row + 3 * x + 1], file[row + 3 * x], 255};
    default: {
        const std::size_t bitAt = std::size_t{x} * bits;
        const std::uint32_t index =
            (std::uint32_t{file[row + bitAt / 8]} >> (8 - bits - bitAt % 8)) & ((1u << bits) - 1);
        const std::size_t entry = 54 + 4 * index;
        return {file[entry + 2], file[entry + 1], file[entry], 255};
    }
    }
}

TEST(BmpEncoder, EveryEightBitLayoutReadsBackThroughTheDocumentedLayout) {
    for (PixelLayout layout :
         {PixelLayout::Bgra8, PixelLayout::Bgr8, PixelLayout::Gray8, PixelLayout::Indexed1,
          PixelLayout::Indexed4, PixelLayout::Indexed8}) {
        SCOPED_TRACE(static_cast<int>(layout));
        auto sample = testing::MakeSample(layout, 13, 5);
        sample.view.dpiX = 72;
        sample.view.dpiY = 144;
        ByteBuffer file;
        ASSERT_EQ(EncodeBmp(sample.view, file), EncodeError::None);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Le32(file, 2), file.size());
        EXPECT_EQ(Le32(file, 14), 40u);
        EXPECT_EQ(Le16(file, 28), BitsPerPixel(layout));
        EXPECT_EQ(Le32(file, 38), 2835u); // 72 dpi
        EXPECT_EQ(Le32(file, 42), 5669u);
        const std::uint32_t tableEntries = Le32(file, 46);
        EXPECT_EQ(Le32(file, 10), 54 + 4 * tableEntries);
        const std::size_t stride = (13u * BitsPerPixel(layout) + 31) / 32 * 4;
        EXPECT_EQ(file.size(), 54 + 4 * tableEntries + stride * 5);
        for (std::uint32_t y = 0; y < 5; ++y) {
            for (std::uint32_t x = 0; x < 13; ++x) {
                Rgba want = testing::SourcePixel(sample.view, x, y);
                if (layout != PixelLayout::Bgra8) {
                    want.a = 255; // the colour table has no alpha
                }
                ASSERT_EQ(FilePixel(file, x, y), want) << x << "," << y;
            }
        }
    }
}

TEST(BmpEncoder, SixteenBitLayoutsAreUnsupportedAndBadInputIsRefused) {
    ByteBuffer out{9};
    EXPECT_EQ(EncodeBmp(testing::MakeSample(PixelLayout::Rgba16, 4, 4).view, out),
              EncodeError::Unsupported);
    auto sample = testing::MakeSample(PixelLayout::Bgr8, 4, 4);
    sample.view.stride = 2;
    EXPECT_EQ(EncodeBmp(sample.view, out), EncodeError::InvalidImage);
    EXPECT_EQ(out, ByteBuffer{9});
}

} // namespace
} // namespace vellumark::codecs
