// The encoder list, encoder parameters, and round trips through every
// encoder: saved pixels come back from the decoders.
#include "image_fixtures.h"
#include "support/started_library.h"

#include <cstring>

namespace vellumark::gdiplus::testing {
namespace {

using Encoders = StartedLibrary;

bool sameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::u16string text(const WCHAR* s) {
    return s == nullptr ? u"" : std::u16string(reinterpret_cast<const char16_t*>(s));
}

TEST_F(Encoders, ListCarriesThePublishedDescriptions) {
    UINT count = 0;
    UINT size = 0;
    ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    ASSERT_EQ(count, 5u);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    ASSERT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
    EXPECT_EQ(sizeof(ImageCodecInfo), 104u);
    EXPECT_TRUE(sameGuid(codecs[4].Clsid, kPngEncoder));
    EXPECT_EQ(text(codecs[4].MimeType), u"image/png");
    EXPECT_EQ(text(codecs[1].FilenameExtension), u"*.JPG;*.JPEG;*.JPE;*.JFIF");
    EXPECT_EQ(codecs[2].SigCount, 2u);
    EXPECT_EQ(std::memcmp(codecs[2].SigPattern, "GIF89a", 6), 0);
    EXPECT_EQ(codecs[0].Flags & ImageCodecFlagsEncoder, ImageCodecFlagsEncoder);
    // Every pointer stays inside the caller's buffer.
    const auto* begin = reinterpret_cast<const std::uint8_t*>(buffer.data());
    for (UINT i = 0; i < count; ++i) {
        const auto* name = reinterpret_cast<const std::uint8_t*>(codecs[i].CodecName);
        EXPECT_TRUE(name >= begin && name < begin + size);
        EXPECT_TRUE(codecs[i].SigMask + codecs[i].SigCount * codecs[i].SigSize <= begin + size);
    }
    EXPECT_EQ(GdipGetImageEncoders(count, size - 1, codecs), GenericError);
}

TEST_F(Encoders, UnknownOrZeroEncoderIdFails) {
    FakeStream stream;
    const CLSID zero{};
    EXPECT_NE(GdipSaveImageToStream(makeBitmap(), stream.stream(), &zero, nullptr), Ok);
    EXPECT_TRUE(stream.bytes.empty());
}

TEST_F(Encoders, ParameterListDescribesJpegQuality) {
    const GpBitmap bitmap = makeBitmap();
    UINT size = 0;
    ASSERT_EQ(GdipGetEncoderParameterListSize(bitmap, &kJpegEncoder, &size), Ok);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    auto* list = reinterpret_cast<EncoderParameters*>(buffer.data());
    ASSERT_EQ(GdipGetEncoderParameterList(bitmap, &kJpegEncoder, size, list), Ok);
    EXPECT_EQ(offsetof(EncoderParameters, Parameter), 8u);
    EXPECT_EQ(sizeof(EncoderParameter), 32u);
    ASSERT_EQ(list->Count, 2u);
    EXPECT_TRUE(sameGuid(list->Parameter[1].Guid, kEncoderQuality));
    EXPECT_EQ(list->Parameter[1].Type,
              static_cast<std::uint32_t>(EncoderParameterValueTypeLongRange));
    const auto* range = static_cast<const std::uint32_t*>(list->Parameter[1].Value);
    EXPECT_EQ(range[0], 0u);
    EXPECT_EQ(range[1], 100u);
}

TEST_F(Encoders, JpegQualityChangesTheFileAndIsRangeChecked) {
    std::vector<ARGB> pixels(32 * 32);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = 0xFF000000u | static_cast<ARGB>(i * 2654435761u >> 8);
    }
    const GpBitmap bitmap = wrapArgb(pixels, 32, 32);
    std::uint32_t low = 5;
    std::uint32_t high = 95;
    const EncoderParameters lowQuality = oneLongParameter(kEncoderQuality, low);
    const EncoderParameters highQuality = oneLongParameter(kEncoderQuality, high);
    EXPECT_LT(encode(bitmap, kJpegEncoder, &lowQuality).size(),
              encode(bitmap, kJpegEncoder, &highQuality).size());
    std::uint32_t tooHigh = 101;
    const EncoderParameters bad = oneLongParameter(kEncoderQuality, tooHigh);
    FakeStream stream;
    EXPECT_EQ(GdipSaveImageToStream(bitmap, stream.stream(), &kJpegEncoder, &bad),
              InvalidParameter);
}

struct RoundTrip {
    const char* encoder;
    CLSID clsid;
    PixelFormat format;
    int tolerance; // per channel; 0 for lossless
};

std::ostream& operator<<(std::ostream& os, const RoundTrip& c) {
    return os << c.encoder << " of 0x" << std::hex << c.format;
}

class EncoderRoundTrip : public StartedLibrary, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(EncoderRoundTrip, DecodesToTheSameSizeAndPixels) {
    const RoundTrip& c = GetParam();
    std::vector<ARGB> pixels(9 * 5);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        // Few distinct colours, so palette formats hold them exactly; lossy
        // formats get a smooth ramp, which they keep within their bound.
        const auto x = static_cast<ARGB>(i % 9);
        const auto y = static_cast<ARGB>(i / 9);
        pixels[i] = c.tolerance > 0 ? 0xFF000080 | (x * 20) << 16 | (y * 30) << 8
                    : i % 3 == 0    ? 0xFFFF0000
                    : i % 3 == 1    ? 0xFF0000FF
                                    : 0xFFFFFFFF;
    }
    if (c.format == PixelFormat32bppARGB && c.tolerance == 0) {
        pixels[4] = 0x00000000;
        pixels[7] = 0x80FF0000;
    }
    GpBitmap source = 0;
    ASSERT_EQ(GdipCloneBitmapAreaI(0, 0, 9, 5, c.format, wrapArgb(pixels, 9, 5), &source), Ok);
    const std::vector<ARGB> expected = argbPixels(source);

    GpStatus status = GenericError;
    const GpImage decoded = loadBytes(encode(source, c.clsid), &status);
    ASSERT_EQ(status, Ok);
    const std::vector<ARGB> actual = argbPixels(decoded);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        for (int shift : {0, 8, 16, 24}) {
            const int a = static_cast<int>((actual[i] >> shift) & 0xFF);
            const int e = static_cast<int>((expected[i] >> shift) & 0xFF);
            EXPECT_LE(std::abs(a - e), c.tolerance) << "pixel " << i << " shift " << shift;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryEncoder, EncoderRoundTrip,
                         ::testing::Values(RoundTrip{"png", kPngEncoder, PixelFormat32bppARGB, 0},
                                           RoundTrip{"png", kPngEncoder, PixelFormat24bppRGB, 0},
                                           RoundTrip{"png", kPngEncoder, PixelFormat8bppIndexed, 0},
                                           RoundTrip{"png", kPngEncoder, PixelFormat1bppIndexed, 0},
                                           RoundTrip{"png", kPngEncoder, PixelFormat64bppARGB, 0},
                                           RoundTrip{"bmp", kBmpEncoder, PixelFormat32bppRGB, 0},
                                           RoundTrip{"bmp", kBmpEncoder, PixelFormat24bppRGB, 0},
                                           RoundTrip{"bmp", kBmpEncoder, PixelFormat4bppIndexed, 0},
                                           RoundTrip{"bmp", kBmpEncoder, PixelFormat16bppRGB565, 0},
                                           RoundTrip{"gif", kGifEncoder, PixelFormat8bppIndexed, 0},
                                           RoundTrip{"gif", kGifEncoder, PixelFormat24bppRGB, 0},
                                           RoundTrip{"jpeg", kJpegEncoder, PixelFormat24bppRGB, 24},
                                           RoundTrip{"jpeg", kJpegEncoder, PixelFormat32bppARGB,
                                                     24}),
                         [](const ::testing::TestParamInfo<RoundTrip>& trip) {
                             return std::string(trip.param.encoder) + "_" +
                                    std::to_string(trip.index);
                         });

TEST_F(Encoders, MultiFrameTiffGrowsWithEachAddAndEndsWithFlush) {
    FakeStream stream;
    const GpBitmap first = makeBitmap(4, 4);
    std::uint32_t multi = EncoderValueMultiFrame;
    const EncoderParameters begin = oneLongParameter(kEncoderSaveFlag, multi);
    ASSERT_EQ(GdipSaveImageToStream(first, stream.stream(), &kTiffEncoder, &begin), Ok);
    const std::size_t onePage = stream.bytes.size();
    ASSERT_GT(onePage, 8u);
    EXPECT_EQ(stream.bytes[0], 'I');

    std::uint32_t page = EncoderValueFrameDimensionPage;
    const EncoderParameters add = oneLongParameter(kEncoderSaveFlag, page);
    ASSERT_EQ(GdipSaveAddImage(first, makeBitmap(8, 8), &add), Ok);
    EXPECT_GT(stream.bytes.size(), onePage);

    std::uint32_t flush = EncoderValueFlush;
    const EncoderParameters end = oneLongParameter(kEncoderSaveFlag, flush);
    EXPECT_EQ(GdipSaveAdd(first, &end), Ok);
    EXPECT_EQ(GdipSaveAdd(first, &add), WrongState);
}

// A plain save reads the bitmap where it lies; a multi-frame save outlives
// the call, so the pages it has must not change with the bitmaps it took
// them from, nor vanish with them.
TEST_F(Encoders, MultiFrameSaveKeepsItsPagesAsTheyWereWhenAdded) {
    FakeStream stream;
    std::vector<ARGB> firstPixels(4, 0xFF112233);
    const GpBitmap first = wrapArgb(firstPixels, 2, 2);
    std::uint32_t multi = EncoderValueMultiFrame;
    const EncoderParameters begin = oneLongParameter(kEncoderSaveFlag, multi);
    ASSERT_EQ(GdipSaveImageToStream(first, stream.stream(), &kTiffEncoder, &begin), Ok);
    firstPixels.assign(4, 0xFF445566);

    std::vector<ARGB> secondPixels(4, 0xFF778899);
    const GpBitmap second = wrapArgb(secondPixels, 2, 2);
    std::uint32_t page = EncoderValueFrameDimensionPage;
    const EncoderParameters add = oneLongParameter(kEncoderSaveFlag, page);
    ASSERT_EQ(GdipSaveAddImage(first, second, &add), Ok);
    ASSERT_EQ(GdipDisposeImage(second), Ok);
    secondPixels.assign(4, 0xFFAABBCC);
    const GpBitmap third = makeBitmap(2, 2);
    ASSERT_EQ(GdipSaveAddImage(first, third, &add), Ok); // rewrites every page
    endMultiFrameSave(first);

    const GpImage file = loadBytes(stream.bytes);
    ASSERT_NE(file, 0u);
    UINT pages = 0;
    ASSERT_EQ(GdipImageGetFrameCount(file, &kFrameDimensionPage, &pages), Ok);
    ASSERT_EQ(pages, 3u);
    EXPECT_EQ(argbPixels(file), std::vector<ARGB>(4, 0xFF112233));
    ASSERT_EQ(GdipImageSelectActiveFrame(file, &kFrameDimensionPage, 1), Ok);
    EXPECT_EQ(argbPixels(file), std::vector<ARGB>(4, 0xFF778899));
    for (const GpImage image : {file, static_cast<GpImage>(first), static_cast<GpImage>(third)}) {
        ASSERT_EQ(GdipDisposeImage(image), Ok);
    }
}

TEST_F(Encoders, SaveAddWithoutABeginningSaveIsWrongState) {
    std::uint32_t page = EncoderValueFrameDimensionPage;
    const EncoderParameters add = oneLongParameter(kEncoderSaveFlag, page);
    EXPECT_EQ(GdipSaveAdd(makeBitmap(), &add), WrongState);
}

} // namespace
} // namespace vellumark::gdiplus::testing
