// The encoder list, the lookup by format, and saving to Bytes and files.
#include "imaging/image/encoder_info.h"
#include "imaging/image/image.h"
#include "imaging/image/tests/imaging_fixture.h"
#include "imaging/image/tests/test_pictures.h"
#include "imaging/last_status.h"
#include "platform/binding/call_spy.h"

#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using binding::RecordedCall;
using test::ImagingTest;
using test::kJpegFormat;
using test::kPageDimension;
using test::kQuality;
using test::kSaveFlag;
using test::kTiffFormat;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;
using ::testing::SizeIs;

Bytes Long(std::uint32_t value) {
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

EncoderParameterList OneLong(const GuidText& category, std::uint32_t value) {
    return {1, {{category, 1, EncoderParameterValueTypeLong, Long(value)}}};
}

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

using EncoderTest = ImagingTest;

TEST_F(EncoderTest, ListsTheInstalledEncodersWithTheirDescriptions) {
    std::vector<EncoderInfo> encoders(3); // replaced, not appended to
    const std::uint32_t count = ListImageEncoders(encoders);
    ASSERT_GT(count, 0u);
    ASSERT_THAT(encoders, SizeIs(count));
    EXPECT_THAT(encoders, Contains(Field(&EncoderInfo::formatId, kPngFormat)));
    for (const EncoderInfo& info : encoders) {
        EXPECT_THAT(info.encoderId, SizeIs(38));
        EXPECT_FALSE(info.codecName.empty()) << info.formatId;
        EXPECT_FALSE(info.mimeType.empty()) << info.formatId;
        EXPECT_NE(info.flags & ImageCodecFlagsEncoder, 0u) << info.formatId;
        EXPECT_THAT(info.signaturePatterns, SizeIs(info.signatureCount * info.signatureSize));
        EXPECT_THAT(info.signatureMasks, SizeIs(info.signatureCount * info.signatureSize));
    }
}

TEST_F(EncoderTest, FindsAnEncoderOnlyByTheExactUpperCaseFormat) {
    const Text png = FindEncoderForFormat(kPngFormat);
    EXPECT_THAT(png, SizeIs(38));
    EXPECT_NE(png, kPngFormat);
    EXPECT_EQ(FindEncoderForFormat("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), "");
    EXPECT_EQ(FindEncoderForFormat(""), "");
}

TEST_F(EncoderTest, WithoutTheLibraryEveryLookupComesBackEmpty) {
    ImagingShutdown();
    std::vector<EncoderInfo> encoders(2);
    EXPECT_EQ(ListImageEncoders(encoders), 0u);
    EXPECT_EQ(LastStatus, GdiplusNotInitialized);
    EXPECT_THAT(encoders, SizeIs(2));
    EXPECT_EQ(FindEncoderForFormat(kPngFormat), "");
    ASSERT_NE(ImagingStartup(), 0u);
}

using SaveTest = ImagingTest;

TEST_F(SaveTest, SavesPngBytesThroughTheEncoderLookup) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    CallSpy spy;
    const Bytes png = image.SaveImageToStream(kPngFormat);

    EXPECT_EQ(LastStatus, Ok);
    EXPECT_TRUE(test::StartsWith(png, test::kPngSignature));
    ASSERT_THAT(spy.Names(), ElementsAre("GdipGetImageEncodersSize", "GdipGetImageEncoders",
                                         "GdipSaveImageToStream"));
    EXPECT_EQ(spy.Calls()[2].Integer(0), image.GetHandle());
    EXPECT_EQ(spy.Calls()[2].Pointer(3), nullptr);

    Image reloaded;
    ASSERT_TRUE(reloaded.LoadImageFromStream(png));
    EXPECT_EQ(reloaded.GetImageWidth(), 3u);
    EXPECT_EQ(reloaded.GetImageHeight(), 2u);
}

TEST_F(SaveTest, AFormatWithoutAnEncoderSavesNothing) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    CallSpy spy;
    GUID encoder{1, 1, 1, {1}};
    spy.OnCall([&](const RecordedCall& call) {
        if (call.Name() == "GdipSaveImageToStream") {
            std::memcpy(&encoder, call.Pointer(2), sizeof encoder);
        }
    });
    EXPECT_THAT(image.SaveImageToStream("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), IsEmpty());
    EXPECT_NE(LastStatus, Ok);
    EXPECT_EQ(BytesFromGuid(encoder), Bytes(16, 0));
}

TEST_F(SaveTest, WithoutAFormatAnImageIsSavedInItsOwnFormat) {
    Image png;
    ASSERT_TRUE(png.LoadImageFromStream(test::kRgbaPng3x2));
    const Bytes jpegBytes = png.SaveImageToStream(kJpegFormat);
    ASSERT_EQ(LastStatus, Ok);

    Image jpeg;
    ASSERT_TRUE(jpeg.LoadImageFromStream(jpegBytes));
    ASSERT_EQ(jpeg.GetImageRawFormat(), kJpegFormat);
    CallSpy spy;
    const Bytes again = jpeg.SaveImageToStream();
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_TRUE(test::StartsWith(again, {0xFF, 0xD8, 0xFF}));
    ASSERT_FALSE(spy.Names().empty());
    EXPECT_EQ(spy.Names().front(), "GdipGetImageRawFormat");
}

TEST_F(SaveTest, ParametersReachTheLibraryAsOneBlock) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    const EncoderParameterList quality = OneLong(kQuality, 40);
    CallSpy spy;
    Bytes seen;
    spy.OnCall([&](const RecordedCall& call) {
        if (call.Name() == "GdipSaveImageToStream") {
            const auto* block = static_cast<const std::uint8_t*>(call.Pointer(3));
            seen.assign(block, block + 40);
        }
    });
    const Bytes jpeg = image.SaveImageToStream(kJpegFormat, &quality);
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_TRUE(test::StartsWith(jpeg, {0xFF, 0xD8, 0xFF}));
    ASSERT_THAT(seen, SizeIs(40));
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(Bytes(seen.begin() + 8, seen.begin() + 24), TextToGuid(kQuality));
    std::uintptr_t value = 0;
    std::memcpy(&value, seen.data() + 32, sizeof value);
    EXPECT_EQ(value, reinterpret_cast<std::uintptr_t>(quality.items[0].value.data()));
}

TEST_F(SaveTest, SavesFilesAsBmpUnlessToldOtherwise) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    const std::string bmp = ScratchFile("plain.bmp");
    const std::string png = ScratchFile("wide.png");

    EXPECT_TRUE(image.SaveImageToFile(bmp));
    EXPECT_TRUE(test::StartsWith(ReadFile(bmp), {'B', 'M'}));
    EXPECT_TRUE(image.SaveImageToFile(ToWideText(png), kPngFormat));
    EXPECT_TRUE(test::StartsWith(ReadFile(png), test::kPngSignature));

    EXPECT_FALSE(image.SaveImageToFile(ScratchFile("none.png"), "png"));
    EXPECT_NE(LastStatus, Ok);
}

TEST_F(SaveTest, SaveAddContinuesAMultiPageFile) {
    Image first;
    Image second;
    ASSERT_TRUE(first.LoadImageFromStream(test::kRgbaPng3x2));
    ASSERT_TRUE(second.LoadImageFromStream(test::kPalettePng2x2));
    const std::string path = ScratchFile("pages.tif");
    const auto multiFrame = OneLong(kSaveFlag, EncoderValueMultiFrame);
    const auto nextPage = OneLong(kSaveFlag, EncoderValueFrameDimensionPage);
    const auto flush = OneLong(kSaveFlag, EncoderValueFlush);

    ASSERT_TRUE(first.SaveImageToFile(path, kTiffFormat, &multiFrame)) << LastStatus;
    const Bytes onePage = ReadFile(path);
    EXPECT_TRUE(test::StartsWith(onePage, {'I', 'I', 42, 0}));
    CallSpy spy;
    EXPECT_TRUE(first.SaveAddImage(second, nextPage)) << LastStatus;
    EXPECT_TRUE(first.SaveAdd(flush)) << LastStatus;
    ASSERT_THAT(spy.Names(), ElementsAre("GdipSaveAddImage", "GdipSaveAdd"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), first.GetHandle());
    EXPECT_EQ(spy.Calls()[0].Integer(1), second.GetHandle());
    EXPECT_GT(ReadFile(path).size(), onePage.size());

    // Nothing is open any more.
    EXPECT_FALSE(first.SaveAdd(flush));
    EXPECT_EQ(LastStatus, WrongState);
}

TEST_F(SaveTest, EncoderParameterListFollowsTheValueTypes) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    EncoderParameterList list;
    ASSERT_TRUE(image.GetEncoderParameterList(kJpegFormat, list));
    ASSERT_GT(list.count, 0u);
    ASSERT_THAT(list.items, SizeIs(list.count));
    EXPECT_THAT(list.items, Contains(Field(&EncoderParameterItem::category, kQuality)));
    for (const EncoderParameterItem& item : list.items) {
        EXPECT_THAT(item.value, SizeIs(EncoderValueBytes(item.valueType, item.valueCount)))
            << item.category;
    }

    Image empty;
    EncoderParameterList kept = OneLong(kQuality, 1);
    EXPECT_FALSE(empty.GetEncoderParameterList(kJpegFormat, kept));
    EXPECT_NE(LastStatus, Ok);
    EXPECT_EQ(kept.count, 1u);
    EXPECT_THAT(kept.items, SizeIs(1));
}

} // namespace
} // namespace vellumark::imaging
