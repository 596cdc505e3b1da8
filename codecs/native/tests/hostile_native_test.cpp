// Damaged and hostile files: each fixture truncated and corrupted must end
// in a failure status (never a crash), and a header claiming an enormous
// picture must fail before any pixel memory is asked for.
#include "codecs/native/native_picture.h"
#include "native_fixtures.h"
#include "stored_layout_fixtures.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace vellumark::codecs::native::testing {
namespace {

struct Fixture {
    const char* name;
    std::function<Bytes()> make;
    std::size_t headerAt = 12; // where a run of 0xFF bytes wrecks the header
};

// `count` rows of `bytes` bytes each, all different.
std::vector<Bytes> Rows(std::size_t bytes, std::size_t count) {
    std::vector<Bytes> rows(count, Bytes(bytes));
    for (std::size_t y = 0; y < count; ++y) {
        for (std::size_t x = 0; x < bytes; ++x) {
            rows[y][x] = static_cast<std::uint8_t>(x * 7 + y * 13);
        }
    }
    return rows;
}

std::vector<Fixture> AllFixtures() {
    return {
        // Past the EXIF segment (damaged metadata alone is skipped), into the
        // quantisation tables.
        {"jpeg_exif", [] { return MakeJpegWithExif(); }, 172},
        {"jpeg_grey", [] { return MakeJpeg(32, 16, true, 72); }},
        {"png_rgba", [] { return MakePng({}); }},
        {"png_palette", [] { return MakePng(PngOf(3, 4)); }},
        {"png_rgb16", [] { return MakePng(PngOf(2, 16)); }},
        {"gif_animated", [] { return MakeAnimatedGif(); }},
        {"tiff_two_pages", [] { return MakeTwoPageTiff(); }, 4},
        // Widths match the rows: 8 indices, 8 pixels of 16 bits.
        {"bmp_indexed",
         [] {
             return MakeBmp({8, 0, {}, {0x102030, 0x405060}, Rows(8, 6), 8});
         },
         18},
        {"bmp_565",
         [] {
             return MakeBmp({16, 3, {0xF800, 0x07E0, 0x001F}, {}, Rows(16, 6), 8});
         },
         18},
        // The version byte: no PCX reader looks past it.
        {"pcx_palette",
         [] {
             return MakePcx({5, 8, 1, 8, 8, Rows(8, 6), Bytes(768, 0x33)});
         },
         1},
        {"pcx_ega",
         [] {
             return MakePcx({3, 1, 4, 8, 1, Rows(4, 6), {}});
         },
         1},
        {"tiff_grey16",
         [] {
             return MakeTiff({1, 16, 1, false, 4, Rows(8, 6), {}});
         },
         4},
    };
}

TEST(HostileNative, TruncatedFilesFail) {
    for (const Fixture& fixture : AllFixtures()) {
        const Bytes whole = fixture.make();
        ASSERT_FALSE(whole.empty()) << fixture.name;
        {
            VectorSink sink;
            NativePicture picture;
            ASSERT_EQ(DecodeNative(whole, sink, picture), DecodeError::None) << fixture.name;
        }
        for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{7}, whole.size() / 3,
                                whole.size() / 2, whole.size() - 13}) {
            const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            VectorSink sink;
            NativePicture picture;
            EXPECT_NE(DecodeNative(part, sink, picture), DecodeError::None)
                << fixture.name << " cut at " << cut;
        }
    }
}

// Overwrites a run in the middle of the header area with 0xFF bytes: the
// decoders must report damage or decode something consistent, never crash
// or write outside what they asked for (the sanitizers watch).
TEST(HostileNative, CorruptedHeadersFail) {
    for (const Fixture& fixture : AllFixtures()) {
        Bytes damaged = fixture.make();
        const auto at = damaged.begin() + static_cast<std::ptrdiff_t>(fixture.headerAt);
        std::fill(at, at + 28, 0xFF);
        VectorSink sink;
        NativePicture picture;
        EXPECT_NE(DecodeNative(damaged, sink, picture), DecodeError::None) << fixture.name;
    }
}

TEST(HostileNative, HugePngHeaderFailsWithoutAllocating) {
    Bytes png = MakePng({});
    PutBE32(png, 16, 100000);
    PutBE32(png, 20, 100000);
    VectorSink sink;
    NativePicture picture;
    EXPECT_EQ(DecodeNative(png, sink, picture), DecodeError::OverLimit);
    EXPECT_EQ(sink.allocations, 0u);
}

TEST(HostileNative, HugeJpegHeaderFailsWithoutAllocating) {
    Bytes jpeg = MakeJpeg(8, 8, false, 0);
    // SOF0: FF C0, length, precision, then height and width (big-endian).
    const std::uint8_t sof[] = {0xFF, 0xC0};
    auto at = std::search(jpeg.begin(), jpeg.end(), std::begin(sof), std::end(sof));
    ASSERT_NE(at, jpeg.end());
    const std::size_t offset = static_cast<std::size_t>(at - jpeg.begin());
    for (std::size_t i : {offset + 5, offset + 7}) {
        jpeg[i] = 0xFF; // 65500 x 65500
        jpeg[i + 1] = 0xDC;
    }
    VectorSink sink;
    NativePicture picture;
    EXPECT_EQ(DecodeNative(jpeg, sink, picture), DecodeError::OverLimit);
    EXPECT_EQ(sink.allocations, 0u);
}

TEST(HostileNative, HugeGifScreenFailsWithoutAllocating) {
    Bytes gif = MakeAnimatedGif();
    for (std::size_t i = 6; i < 10; ++i) {
        gif[i] = 0xFF; // 65535 x 65535
    }
    VectorSink sink;
    NativePicture picture;
    EXPECT_EQ(DecodeNative(gif, sink, picture), DecodeError::OverLimit);
    EXPECT_EQ(sink.allocations, 0u);
}

TEST(HostileNative, ContentWithoutASignatureIsNotAPicture) {
    const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    VectorSink sink;
    NativePicture picture;
    EXPECT_EQ(DecodeNative(text, sink, picture), DecodeError::NotAPicture);
    EXPECT_EQ(DecodeNative({}, sink, picture), DecodeError::NotAPicture);
}

} // namespace
} // namespace vellumark::codecs::native::testing
