#include "codecs/picture_decoder.h"
#include "codecs/tests/bmp_builder.h"
#include "codecs/tests/decode_expectations.h"

#include <gtest/gtest.h>

namespace vellumark::codecs {
namespace {

using testing::ByteVector;
using testing::DecodeOrFail;
using testing::PixelAt;

struct PcxSpec {
    std::uint8_t version = 5;
    std::uint8_t bits = 8;
    std::uint8_t planes = 1;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bytesPerLine = 0;
    ByteVector lines;   // decoded scan lines, planes * bytesPerLine each
    ByteVector palette; // 768 bytes R, G, B, or empty for no trailing palette
};

// Greedy run-length coding; bytes with both top bits set always go in a run.
ByteVector Encode(const ByteVector& raw) {
    ByteVector out;
    for (std::size_t i = 0; i < raw.size();) {
        std::size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) {
            ++run;
        }
        if (run > 1 || raw[i] >= 0xC0) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        }
        out.push_back(raw[i]);
        i += run;
    }
    return out;
}

ByteVector BuildPcx(const PcxSpec& pcx) {
    ByteVector file(128, 0);
    file[0] = 0x0A;
    file[1] = pcx.version;
    file[2] = 1;
    file[3] = pcx.bits;
    testing::PutU16(file, 8, pcx.width - 1);
    testing::PutU16(file, 10, pcx.height - 1);
    file[65] = pcx.planes;
    testing::PutU16(file, 66, pcx.bytesPerLine);
    const ByteVector encoded = Encode(pcx.lines);
    file.insert(file.end(), encoded.begin(), encoded.end());
    if (!pcx.palette.empty()) {
        file.push_back(0x0C);
        file.insert(file.end(), pcx.palette.begin(), pcx.palette.end());
    }
    return file;
}

TEST(PcxDecoder, PalettedEightBitWithRunsAcrossLines) {
    PcxSpec pcx;
    pcx.width = 3;
    pcx.height = 2;
    pcx.bytesPerLine = 4;                 // one padding byte a line
    pcx.lines = {7, 7, 7, 7, 7, 1, 2, 0}; // the first run reaches into the second line
    pcx.palette = testing::NoiseBytes(768, 3);
    const Bgra8Image image = DecodeOrFail(BuildPcx(pcx));
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    auto colour = [&](std::size_t index) {
        return std::array<std::uint8_t, 4>{pcx.palette[index * 3 + 2], pcx.palette[index * 3 + 1],
                                           pcx.palette[index * 3], 255};
    };
    EXPECT_EQ(PixelAt(image, 0, 0), colour(7));
    EXPECT_EQ(PixelAt(image, 2, 0), colour(7));
    EXPECT_EQ(PixelAt(image, 0, 1), colour(7));
    EXPECT_EQ(PixelAt(image, 1, 1), colour(1));
    EXPECT_EQ(PixelAt(image, 2, 1), colour(2));
}

TEST(PcxDecoder, PlanarTrueColour) {
    PcxSpec pcx;
    pcx.width = 2;
    pcx.height = 1;
    pcx.bytesPerLine = 2;
    pcx.planes = 3;
    pcx.lines = {10, 11, 20, 21, 30, 0xC5}; // red plane, green plane, blue plane
    EXPECT_EQ(PixelAt(DecodeOrFail(BuildPcx(pcx)), 1, 0),
              (std::array<std::uint8_t, 4>{0xC5, 21, 11, 255}));
    pcx.planes = 4;
    pcx.lines.insert(pcx.lines.end(), {255, 40});
    EXPECT_EQ(PixelAt(DecodeOrFail(BuildPcx(pcx)), 1, 0),
              (std::array<std::uint8_t, 4>{0xC5, 21, 11, 40}));
}

TEST(PcxDecoder, VersionThreeOneBitPlanes) {
    PcxSpec mono;
    mono.version = 3;
    mono.bits = 1;
    mono.width = 9;
    mono.height = 1;
    mono.bytesPerLine = 2;
    mono.lines = {0b10000000, 0b10000000};
    const Bgra8Image image = DecodeOrFail(BuildPcx(mono));
    EXPECT_EQ(PixelAt(image, 0, 0), (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 8, 0), (std::array<std::uint8_t, 4>{255, 255, 255, 255}));

    PcxSpec ega = mono;
    ega.width = 2;
    ega.bytesPerLine = 1;
    ega.planes = 4;
    // Pixel 0: planes 0 and 2 set, index 5 (magenta AA00AA); pixel 1: index 14 (yellow FFFF55).
    ega.lines = {0b10000000, 0b01000000, 0b11000000, 0b01000000};
    const Bgra8Image egaImage = DecodeOrFail(BuildPcx(ega));
    EXPECT_EQ(PixelAt(egaImage, 0, 0), (std::array<std::uint8_t, 4>{0xAA, 0x00, 0xAA, 255}));
    EXPECT_EQ(PixelAt(egaImage, 1, 0), (std::array<std::uint8_t, 4>{0x55, 0xFF, 0xFF, 255}));
}

TEST(PcxDecoder, BrokenFilesFail) {
    PcxSpec good;
    good.width = 4;
    good.height = 4;
    good.bytesPerLine = 4;
    good.planes = 3;
    good.lines = testing::NoiseBytes(48, 9);
    const ByteVector goodFile = BuildPcx(good);
    auto withField = [&](std::size_t at, std::uint32_t value) {
        ByteVector bytes = goodFile;
        testing::PutU16(bytes, at, value);
        return bytes;
    };
    PcxSpec noPalette = good;
    noPalette.planes = 1;
    noPalette.lines.resize(16);
    const testing::FailureCase cases[] = {
        {"65536 x 65536",
         [&] {
             ByteVector bytes = withField(8, 0xFFFF);
             testing::PutU16(bytes, 10, 0xFFFF);
             return bytes;
         }(),
         DecodeError::OverLimit},
        {"8000 x 8000 from a few bytes",
         [&] {
             ByteVector bytes = withField(8, 7999);
             testing::PutU16(bytes, 10, 7999);
             testing::PutU16(bytes, 66, 8000);
             return bytes;
         }(),
         DecodeError::Malformed},
        {"right edge before left", withField(4, 10), DecodeError::Malformed},
        {"line shorter than the width", withField(66, 3), DecodeError::Malformed},
        {"two planes",
         [&] {
             ByteVector bytes = goodFile;
             bytes[65] = 2;
             return bytes;
         }(),
         DecodeError::Unsupported},
        {"header cut short", ByteVector(goodFile.begin(), goodFile.begin() + 100),
         DecodeError::Malformed},
        {"data cut short", ByteVector(goodFile.begin(), goodFile.end() - 5),
         DecodeError::Malformed},
        {"256 colours without the palette", BuildPcx(noPalette), DecodeError::Malformed},
    };
    testing::ExpectFailures(cases);
}

} // namespace
} // namespace vellumark::codecs
