#include "codecs/native/native_picture.h"
#include "codecs/native/property_items.h"
#include "native_fixtures.h"
#include "native_test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vellumark::codecs::native::testing {
namespace {

const PropertyItem& Property(const NativePicture& picture, std::uint32_t id) {
    static const PropertyItem kMissing{};
    const PropertyItem* item = FindProperty(picture, id);
    EXPECT_NE(item, nullptr) << "property 0x" << std::hex << id;
    return item ? *item : kMissing;
}

TEST(JpegNative, ColourDecodesInPlaceAsBgrMatchingThePictureBoxDecoder) {
    const Bytes jpeg = MakeJpeg(16, 8, false, 0);
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(jpeg, sink, picture), DecodeError::None);
    ASSERT_EQ(picture.frames.size(), 1u);
    const NativeFrame& frame = picture.frames[0];
    EXPECT_EQ(picture.format, NativeFormat::Jpeg);
    EXPECT_EQ(frame.layout, NativeLayout::Bgr24);
    EXPECT_EQ(picture.colourSpace, ColourSpace::Ycbcr);
    EXPECT_FALSE(picture.realDpi);
    EXPECT_EQ(picture.dpiX, 96.0);

    const DecodeResult reference = DecodePicture(jpeg);
    ASSERT_TRUE(reference.image);
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 16; ++x) {
            const std::uint8_t* bgra = reference.image->pixels.data() + (y * 16 + x) * 4;
            EXPECT_EQ(PixelAt(frame, sink.frames[0], sink.strides[0], x, y),
                      (Rgba16{bgra[2], bgra[1], bgra[0], 255}))
                << x << "," << y;
        }
    }
}

TEST(JpegNative, GreyscaleIsEightBitIndexedWithAGreyPalette) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeJpeg(8, 8, true, 0), sink, picture), DecodeError::None);
    const NativeFrame& frame = picture.frames.at(0);
    EXPECT_EQ(frame.layout, NativeLayout::Indexed8);
    EXPECT_EQ(picture.colourSpace, ColourSpace::Gray);
    ASSERT_EQ(frame.palette.size(), 256u);
    EXPECT_EQ(frame.palette[0], 0xFF000000u);
    EXPECT_EQ(frame.palette[128], 0xFF808080u);
    EXPECT_EQ(frame.palette[255], 0xFFFFFFFFu);
}

TEST(JpegNative, ExifTagsBecomeLittleEndianPropertiesAndGiveTheResolution) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeJpegWithExif(), sink, picture), DecodeError::None);

    const PropertyItem& orientation = Property(picture, 0x0112);
    EXPECT_EQ(orientation.type, kTypeShort);
    EXPECT_EQ(orientation.value, (std::vector<std::uint8_t>{6, 0}));
    const PropertyItem& xResolution = Property(picture, kTagXResolution);
    EXPECT_EQ(xResolution.type, kTypeRational);
    EXPECT_EQ(xResolution.value, (std::vector<std::uint8_t>{44, 1, 0, 0, 1, 0, 0, 0}));
    const PropertyItem& make = Property(picture, 0x010F);
    EXPECT_EQ(make.type, kTypeAscii);
    EXPECT_EQ(std::string(make.value.begin(), make.value.end()), std::string("Vellumark", 10));
    const PropertyItem& exposure = Property(picture, 0x829A); // from the EXIF sub-IFD
    EXPECT_EQ(exposure.value, (std::vector<std::uint8_t>{1, 0, 0, 0, 125, 0, 0, 0}));

    EXPECT_TRUE(picture.realDpi);
    EXPECT_DOUBLE_EQ(picture.dpiX, 300.0);
    EXPECT_DOUBLE_EQ(picture.dpiY, 300.0);
    // Orientation is reported, not applied.
    EXPECT_EQ(picture.frames.at(0).width, 16u);
    EXPECT_EQ(picture.frames.at(0).height, 8u);
}

TEST(JpegNative, ThumbnailIfdTagsAndTheJpegThumbnailGetTheThumbnailIds) {
    const Bytes thumbnail = MakeJpeg(4, 2, false, 0);
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeJpegWithExifThumbnail(thumbnail), sink, picture), DecodeError::None);

    const std::uint32_t length = static_cast<std::uint32_t>(thumbnail.size());
    const struct {
        std::uint32_t id;
        std::uint16_t type;
        std::vector<std::uint8_t> value;
    } expected[] = {
        {0x5020, kTypeShort, {4, 0}},                       // ThumbnailImageWidth
        {0x5023, kTypeShort, {6, 0}},                       // ThumbnailCompression
        {0x502D, kTypeRational, {72, 0, 0, 0, 1, 0, 0, 0}}, // ThumbnailResolutionX
        {0x5012, kTypeLong, {1, 0, 0, 0}},                  // ThumbnailFormat: JPEG
        {0x0202,
         kTypeLong,
         {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8), 0, 0}},
        {0x501B, kTypeByte, thumbnail}, // ThumbnailData
    };
    for (const auto& item : expected) {
        SCOPED_TRACE(item.id);
        const PropertyItem& found = Property(picture, item.id);
        EXPECT_EQ(found.type, item.type);
        EXPECT_EQ(found.value, item.value);
    }
    // The thumbnail's tags stay apart from the primary picture's.
    EXPECT_EQ(FindProperty(picture, kTagXResolution), nullptr);
    EXPECT_EQ(FindProperty(picture, 0x0103), nullptr);
    EXPECT_FALSE(picture.realDpi);
    EXPECT_EQ(picture.frames.at(0).width, 16u);
}

TEST(JpegNative, JfifDensityGivesTheResolutionAndResolutionItems) {
    VectorSink sink;
    NativePicture picture;
    ASSERT_EQ(DecodeNative(MakeJpeg(4, 4, false, 200), sink, picture), DecodeError::None);
    EXPECT_TRUE(picture.realDpi);
    EXPECT_DOUBLE_EQ(picture.dpiX, 200.0);
    EXPECT_EQ(Property(picture, kTagXResolution).value,
              (std::vector<std::uint8_t>{200, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Property(picture, kTagResolutionUnit).value, (std::vector<std::uint8_t>{2, 0}));
}

} // namespace
} // namespace vellumark::codecs::native::testing
