// Loading, queries, cloning, thumbnails, rotation and disposal of Image.
#include "imaging/image/image.h"
#include "imaging/image/tests/imaging_fixture.h"
#include "imaging/image/tests/test_pictures.h"
#include "imaging/last_status.h"
#include "platform/binding/call_spy.h"

#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using binding::RecordedCall;
using test::ImagingTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const GuidText kZeroGuid = "{00000000-0000-0000-0000-000000000000}";

using ImageTest = ImagingTest;

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST_F(ImageTest, LoadFromStreamGivesThePicturesSizeAndFormat) {
    Image image;
    CallSpy spy;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    EXPECT_THAT(spy.Names(), ElementsAre("GdipLoadImageFromStream"));
    EXPECT_EQ(spy.Calls()[0].Pointer(0), image.Source().GetStream());

    EXPECT_EQ(LastStatus, Ok);
    EXPECT_NE(image.GetHandle(), 0u);
    EXPECT_EQ(image.ImageHandle(), image.GetHandle());
    EXPECT_EQ(image.GetImageWidth(), 3u);
    EXPECT_EQ(image.GetImageHeight(), 2u);
    EXPECT_EQ(image.GetImageRawFormat(), kPngFormat);
    EXPECT_EQ(image.GetImageType(), ImageTypeBitmap);
    EXPECT_EQ(image.GetImagePixelFormat(), PixelFormat32bppARGB);
    EXPECT_NE(image.GetImageFlags() & ImageFlagsHasAlpha, 0u);
    EXPECT_GT(image.GetImageHorizontalResolution(), 0.0f);
    EXPECT_GT(image.GetImageVerticalResolution(), 0.0f);
    const GpSizeF size = image.GetImageDimension();
    EXPECT_EQ(size.Width, 3.0f);
    EXPECT_EQ(size.Height, 2.0f);
}

TEST_F(ImageTest, UseIcmPicksTheColourCorrectingLoaders) {
    Image image;
    CallSpy spy;
    EXPECT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2, true));
    ASSERT_TRUE(image.DisposeImage());
    const std::string path = ScratchFile("icm.png");
    WriteFile(path, test::kRgbaPng3x2);
    EXPECT_TRUE(image.LoadImageFromFile(path, true));
    EXPECT_THAT(spy.Names(), ElementsAre("GdipLoadImageFromStreamICM", "GdipDisposeImage",
                                         "GdipLoadImageFromFileICM"));
}

TEST_F(ImageTest, LoadingNothingFailsWithTheLibrarysStatus) {
    Image image;
    EXPECT_FALSE(image.LoadImageFromStream({}));
    EXPECT_NE(LastStatus, Ok);
    EXPECT_EQ(image.GetHandle(), 0u);
    // The stream stays open until the image is disposed of or destroyed.
    EXPECT_NE(image.Source().GetStream(), nullptr);
}

TEST_F(ImageTest, TextAndWideFileNamesLoadAlike) {
    const std::string path = ScratchFile("picture.png");
    WriteFile(path, test::kRgbaPng3x2);

    Image byText;
    Image byWide;
    CallSpy spy;
    Bytes passedName;
    spy.OnCall([&](const RecordedCall& call) {
        if (call.Name() == "GdipLoadImageFromFile") {
            const auto* name = static_cast<const std::uint8_t*>(call.Pointer(0));
            passedName.assign(name, name + 2 * (path.size() + 1));
        }
    });
    ASSERT_TRUE(byText.LoadImageFromFile(path));
    EXPECT_EQ(passedName, ToWideText(path));
    ASSERT_TRUE(byWide.LoadImageFromFile(ToWideText(path)));
    EXPECT_EQ(passedName, ToWideText(path));

    EXPECT_THAT(spy.Names(), ElementsAre("GdipLoadImageFromFile", "GdipLoadImageFromFile"));
    EXPECT_EQ(byText.GetImageWidth(), byWide.GetImageWidth());
    EXPECT_EQ(byText.GetImageHeight(), byWide.GetImageHeight());
}

TEST_F(ImageTest, AnEmptyWideNameIsANullNameAndAnUnterminatedOneIsTerminated) {
    Image image;
    CallSpy spy;
    EXPECT_FALSE(image.LoadImageFromFile(WideText{}));
    ASSERT_EQ(spy.Calls().size(), 1u);
    EXPECT_EQ(spy.Calls()[0].Pointer(0), nullptr);
    EXPECT_NE(LastStatus, Ok);

    // "ab" without its terminator: the library must still find an end.
    spy.Clear();
    Bytes passedName;
    spy.OnCall([&](const RecordedCall& call) {
        const auto* name = static_cast<const std::uint8_t*>(call.Pointer(0));
        passedName.assign(name, name + 6);
    });
    EXPECT_FALSE(image.LoadImageFromFile(WideText{'a', 0, 'b', 0}));
    EXPECT_EQ(passedName, (Bytes{'a', 0, 'b', 0, 0, 0}));
}

TEST_F(ImageTest, DisposeTwiceReleasesOnceAndEmptiesTheImage) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    const GpHandle held = image.GetHandle();
    CallSpy spy;

    EXPECT_TRUE(image.DisposeImage());
    ASSERT_THAT(spy.Names(), ElementsAre("GdipDisposeImage"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), held);
    EXPECT_EQ(image.GetHandle(), 0u);
    EXPECT_EQ(image.ImageHandle(), 0u);
    EXPECT_EQ(image.Source().GetStream(), nullptr);

    LastStatus = Aborted;
    spy.Clear();
    EXPECT_FALSE(image.DisposeImage());
    EXPECT_THAT(spy.Calls(), IsEmpty());
    EXPECT_EQ(LastStatus, Aborted);
}

TEST_F(ImageTest, QueriesOnAnEmptyImageGiveZeroesAndTheStatus) {
    Image image;
    EXPECT_EQ(image.GetImageWidth(), 0u);
    EXPECT_EQ(LastStatus, InvalidParameter);
    LastStatus = Ok;
    EXPECT_EQ(image.GetImageHeight(), 0u);
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(image.GetImageType(), 0);
    EXPECT_EQ(image.GetImageFlags(), 0u);
    EXPECT_EQ(image.GetImagePixelFormat(), 0);
    EXPECT_EQ(image.GetImageHorizontalResolution(), 0.0f);
    EXPECT_EQ(image.GetImageRawFormat(), kZeroGuid);
    const GpSizeF size = image.GetImageDimension();
    EXPECT_EQ(size.Width, 0.0f);
    EXPECT_EQ(size.Height, 0.0f);
    EXPECT_EQ(LastStatus, InvalidParameter);
}

TEST_F(ImageTest, BoundsReturnTheStatusItself) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    GpRectF rect{};
    GpImageUnit unit = -1;
    EXPECT_EQ(image.GetImageBounds(rect, &unit), Ok);
    EXPECT_EQ(rect.Width, 3.0f);
    EXPECT_EQ(rect.Height, 2.0f);
    EXPECT_EQ(unit, 2); // UnitPixel

    CallSpy spy;
    EXPECT_EQ(image.GetImageBounds(rect), Ok);
    ASSERT_EQ(spy.Calls().size(), 1u);
    EXPECT_EQ(spy.Calls()[0].Pointer(1), &rect);
    EXPECT_EQ(spy.Calls()[0].Pointer(2), nullptr);

    Image empty;
    EXPECT_EQ(empty.GetImageBounds(rect), InvalidParameter);
}

TEST_F(ImageTest, CloneAndThumbnailHandTheirResultToTheTarget) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));

    Image clone;
    ASSERT_TRUE(image.CloneImage(clone));
    EXPECT_NE(clone.GetHandle(), 0u);
    EXPECT_NE(clone.GetHandle(), image.GetHandle());
    EXPECT_EQ(clone.ImageHandle(), clone.GetHandle());
    EXPECT_EQ(clone.GetImageWidth(), 3u);
    EXPECT_EQ(clone.Source().GetStream(), nullptr);

    Image thumbnail;
    CallSpy spy;
    ASSERT_TRUE(image.GetImageThumbnail(5, 4, thumbnail));
    ASSERT_THAT(spy.Names(), ElementsAre("GdipGetImageThumbnail"));
    EXPECT_EQ(spy.Calls()[0].Pointer(4), nullptr);
    EXPECT_EQ(spy.Calls()[0].Pointer(5), nullptr);
    EXPECT_EQ(thumbnail.GetImageWidth(), 5u);
    EXPECT_EQ(thumbnail.GetImageHeight(), 4u);
}

TEST_F(ImageTest, AFailedCloneOrThumbnailLeavesTheTargetHoldingNothing) {
    Image empty;
    Image target;
    target.SetHandle(0x0BAD); // made up: replaced, never released
    EXPECT_FALSE(empty.CloneImage(target));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(target.GetHandle(), 0u);
    EXPECT_EQ(target.ImageHandle(), 0u);

    target.SetHandle(0x0BAD);
    EXPECT_FALSE(empty.GetImageThumbnail(4, 4, target));
    EXPECT_EQ(target.GetHandle(), 0u);
}

TEST_F(ImageTest, RotateFlipTurnsThePicture) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    EXPECT_TRUE(image.ImageRotateFlip(Rotate90FlipNone));
    EXPECT_EQ(image.GetImageWidth(), 2u);
    EXPECT_EQ(image.GetImageHeight(), 3u);
    EXPECT_FALSE(image.ImageRotateFlip(8));
    EXPECT_EQ(LastStatus, InvalidParameter);
}

TEST_F(ImageTest, DestroyReleasesTheImageAndItsStream) {
    Image image;
    ASSERT_TRUE(image.LoadImageFromStream(test::kRgbaPng3x2));
    CallSpy spy;
    image.Destroy();
    EXPECT_THAT(spy.Names(), ElementsAre("GdipDisposeImage"));
    EXPECT_EQ(image.Source().GetStream(), nullptr);
    spy.Clear();
    image.Destroy();
    EXPECT_THAT(spy.Calls(), IsEmpty());
}

} // namespace
} // namespace vellumark::imaging
