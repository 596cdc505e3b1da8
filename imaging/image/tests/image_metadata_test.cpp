// Palettes, frames and property items of Image.
#include "imaging/image/image.h"
#include "imaging/image/tests/imaging_fixture.h"
#include "imaging/image/tests/test_pictures.h"
#include "imaging/last_status.h"
#include "platform/binding/call_spy.h"

#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using binding::RecordedCall;
using test::ImagingTest;
using test::kPageDimension;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::uint32_t kImageDescription = 0x010E;

using PaletteTest = ImagingTest;

TEST_F(PaletteTest, AFailedReadLeavesThePaletteAsItWas) {
    Image empty;
    Palette kept{1, 1, {0xFF123456u}};
    EXPECT_FALSE(empty.GetImagePalette(kept));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(kept.count, 1u);
    EXPECT_THAT(kept.entries, ElementsAre(0xFF123456u));
}

using FrameTest = ImagingTest;

TEST_F(FrameTest, AStillPictureHasOnePageDimensionAndOneFrame) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    std::vector<GuidText> dimensions{"old", "older"};
    EXPECT_EQ(image.ImageGetFrameDimensionsList(dimensions), 1u);
    EXPECT_THAT(dimensions, ElementsAre(kPageDimension));
    EXPECT_EQ(image.ImageGetFrameCount(kPageDimension), 1u);
    EXPECT_TRUE(image.ImageSelectActiveFrame(kPageDimension, 0));
}

TEST_F(FrameTest, DelaysComeFromTheFrameDelayProperty) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    // Three delays and two stray bytes, which make no fourth delay.
    const Bytes value = {10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0, 9, 9};
    ASSERT_TRUE(image.SetPropertyItem(
        ImageProperty{kFrameDelayPropertyId, 14, PropertyTagTypeUndefined, value}));

    std::vector<std::uint32_t> delays{99};
    CallSpy spy;
    ASSERT_TRUE(image.GetFrameDelays(delays));
    EXPECT_THAT(delays, ElementsAre(10u, 20u, 30u));
    ASSERT_THAT(spy.Names(), ElementsAre("GdipGetPropertyItemSize", "GdipGetPropertyItem"));
    EXPECT_EQ(spy.Calls()[0].Integer(1), 0x5100);
}

TEST_F(FrameTest, WithoutTheDelayPropertyTheDelaysStayAsTheyWere) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    std::vector<std::uint32_t> delays{7, 8};
    EXPECT_FALSE(image.GetFrameDelays(delays));
    EXPECT_EQ(LastStatus, PropertyNotFound);
    EXPECT_THAT(delays, ElementsAre(7u, 8u));
}

TEST_F(FrameTest, CountsOnAnEmptyImageAreZero) {
    Image empty;
    std::vector<GuidText> dimensions{"kept"};
    EXPECT_EQ(empty.ImageGetFrameDimensionsList(dimensions), 0u);
    EXPECT_THAT(dimensions, ElementsAre("kept"));
    EXPECT_EQ(empty.ImageGetFrameCount(kPageDimension), 0u);
    EXPECT_EQ(LastStatus, InvalidParameter);
}

using PropertyTest = ImagingTest;

TEST_F(PropertyTest, SetGetListAndRemoveAProperty) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    const ImageProperty description{
        kImageDescription, 6, PropertyTagTypeASCII, {'h', 'e', 'l', 'l', 'o', 0}};
    ASSERT_TRUE(image.SetPropertyItem(description));

    ImageProperty read;
    ASSERT_TRUE(image.GetPropertyItem(kImageDescription, read));
    EXPECT_EQ(read.propertyId, kImageDescription);
    EXPECT_EQ(read.valueLength, 6u);
    EXPECT_EQ(read.valueType, static_cast<std::uint32_t>(PropertyTagTypeASCII));
    EXPECT_EQ(read.value, description.value);

    std::vector<std::uint32_t> ids;
    const std::uint32_t count = image.GetPropertyIdList(ids);
    EXPECT_THAT(ids, SizeIs(count));
    EXPECT_THAT(ids, Contains(kImageDescription));

    ASSERT_TRUE(image.RemovePropertyItem(kImageDescription));
    ImageProperty kept{1, 1, 1, {9}};
    EXPECT_FALSE(image.GetPropertyItem(kImageDescription, kept));
    EXPECT_EQ(LastStatus, PropertyNotFound);
    EXPECT_THAT(kept.value, ElementsAre(9));
}

TEST_F(PropertyTest, AnEmptyValueIsPassedAsANullAddress) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    CallSpy spy;
    std::uint64_t address = 1;
    std::uint32_t length = 1;
    spy.OnCall([&](const RecordedCall& call) {
        const auto* block = static_cast<const std::uint8_t*>(call.Pointer(1));
        std::memcpy(&length, block + 4, 4);
        std::memcpy(&address, block + 16, 8);
    });
    image.SetPropertyItem(ImageProperty{kImageDescription, 0, PropertyTagTypeASCII, {}});
    ASSERT_THAT(spy.Names(), ElementsAre("GdipSetPropertyItem"));
    EXPECT_EQ(address, 0u);
    EXPECT_EQ(length, 0u);
}

TEST_F(PropertyTest, ListsOnAnEmptyImageStayUntouched) {
    Image empty;
    std::vector<std::uint32_t> ids{5};
    EXPECT_EQ(empty.GetPropertyIdList(ids), 0u);
    EXPECT_THAT(ids, ElementsAre(5u));
    EXPECT_FALSE(empty.RemovePropertyItem(kImageDescription));
    EXPECT_EQ(LastStatus, InvalidParameter);
}

} // namespace
} // namespace vellumark::imaging
