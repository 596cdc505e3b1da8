#include "imaging/brush/tests/native_objects.h"
#include "imaging/brush/texture_brush.h"
#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using test_support::NativeObject;
using test_support::ScanBitmap;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

ARGB Grey(std::int32_t x, std::int32_t y) {
    return 0xFF000000u | static_cast<ARGB>(x * 16 + y);
}

class TextureBrushTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(ImagingStartup(), 0u); }
    void TearDown() override { ImagingShutdown(); }
};

// A tiling brush over a 2 x 2 picture, and a matrix to read transforms into.
class TextureTransformTest : public TextureBrushTest {
protected:
    void SetUp() override {
        TextureBrushTest::SetUp();
        image_.emplace(2, 2, Grey);
        ASSERT_TRUE(brush_.CreateTexture(image_->Object()));
        test_support::MakeMatrix(matrix_, 7, 0, 0, 7, 7, 7);
    }
    void TearDown() override {
        brush_.Destroy();
        matrix_.Destroy();
        image_.reset();
        TextureBrushTest::TearDown();
    }

    std::optional<ScanBitmap> image_;
    TextureBrush brush_;
    NativeObject matrix_{::GdipDeleteMatrix};
};

// Where the native matrix behind `matrix` takes `point`.
GpPointF Mapped(const ImagingObject& matrix, GpPointF point) {
    EXPECT_EQ(::GdipTransformMatrixPoints(matrix.GetHandle(), &point, 1), Ok);
    return point;
}

TEST_F(TextureBrushTest, CreateTextureTilesUnlessAWrapModeIsGiven) {
    ScanBitmap image(4, 4, Grey);
    TextureBrush tiled;
    TextureBrush clamped;
    CallSpy spy;

    ASSERT_TRUE(tiled.CreateTexture(image.Object()));
    ASSERT_TRUE(clamped.CreateTexture(image.Object(), WrapModeClamp));

    ASSERT_THAT(spy.Names(), ElementsAre("GdipCreateTexture", "GdipCreateTexture"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), image.Object().GetHandle());
    EXPECT_EQ(spy.Calls()[0].Integer(1), WrapModeTile);
    EXPECT_EQ(spy.Calls()[1].Integer(1), WrapModeClamp);
    EXPECT_EQ(tiled.GetTextureWrapMode(), WrapModeTile);
    EXPECT_EQ(clamped.GetTextureWrapMode(), WrapModeClamp);
    EXPECT_EQ(clamped.GetBrushType(), BrushTypeTextureFill);
    EXPECT_NE(clamped.GetHandle(), 0u);
    EXPECT_NE(clamped.GetHandle(), tiled.GetHandle());
}

TEST_F(TextureBrushTest, RectangleCreationsPassTheirArgumentsInTheLibrarysOrder) {
    ScanBitmap image(8, 8, Grey);
    NativeObject attributes(::GdipDisposeImageAttributes);
    GpImageAttributes created = 0;
    ASSERT_EQ(::GdipCreateImageAttributes(&created), Ok);
    attributes.SetHandle(created);
    TextureBrush brush;
    CallSpy spy;

    EXPECT_TRUE(brush.CreateTexture2I(image.Object(), 1, 2, 3, 4, WrapModeTileFlipX));
    EXPECT_TRUE(brush.DeleteBrush());
    EXPECT_TRUE(brush.CreateTexture2(image.Object(), 1.5f, 2.0f, 3.0f, 4.0f));
    EXPECT_TRUE(brush.DeleteBrush());
    EXPECT_TRUE(brush.CreateTextureIAI(image.Object(), 1, 2, 3, 4, attributes));
    EXPECT_TRUE(brush.DeleteBrush());
    EXPECT_TRUE(brush.CreateTextureIA(image.Object(), 0.0f, 0.0f, 8.0f, 8.0f, attributes));

    const auto& calls = spy.Calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].Integer(1), WrapModeTileFlipX);
    EXPECT_EQ(calls[0].Integer(2), 1);
    EXPECT_EQ(calls[0].Integer(5), 4);
    EXPECT_EQ(calls[2].Integer(1), WrapModeTile);
    EXPECT_EQ(calls[2].Real(2), 1.5);
    EXPECT_EQ(calls[4].Integer(1), attributes.GetHandle());
    EXPECT_EQ(calls[4].Integer(3), 2);
    EXPECT_EQ(calls[6].Integer(1), attributes.GetHandle());
    EXPECT_EQ(calls[6].Real(4), 8.0);
}

TEST_F(TextureBrushTest, FailedCreationLeavesTheBrushEmpty) {
    NativeObject noImage;
    TextureBrush brush;
    EXPECT_FALSE(brush.CreateTexture(noImage, WrapModeClamp));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(brush.GetHandle(), 0u);
    // Queries on an empty brush give 0 and leave the reason in LastStatus.
    EXPECT_EQ(brush.GetBrushType(), 0);
    EXPECT_EQ(LastStatus, InvalidParameter);
}

TEST_F(TextureBrushTest, DeleteBrushOnAnEmptyBrushMakesNoCall) {
    TextureBrush brush;
    LastStatus = WrongState;
    CallSpy spy;
    EXPECT_FALSE(brush.DeleteBrush());
    EXPECT_THAT(spy.Calls(), IsEmpty());
    EXPECT_EQ(LastStatus, WrongState);
}

TEST_F(TextureBrushTest, DeleteBrushReleasesAndALaterDestroyMakesNoCall) {
    ScanBitmap image(2, 2, Grey);
    TextureBrush brush;
    ASSERT_TRUE(brush.CreateTexture(image.Object()));
    const GpHandle held = brush.GetHandle();
    CallSpy spy;

    EXPECT_TRUE(brush.DeleteBrush());
    EXPECT_EQ(brush.GetHandle(), 0u);
    brush.Destroy();

    ASSERT_THAT(spy.Names(), ElementsAre("GdipDeleteBrush"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), held);
}

TEST_F(TextureTransformTest, ScalingAboutAPointKeepsThatPointInEitherOrder) {
    for (const GpMatrixOrder order : {MatrixOrderPrepend, MatrixOrderAppend}) {
        SCOPED_TRACE(order);
        ASSERT_TRUE(brush_.ResetTextureTransform());
        CallSpy spy;

        EXPECT_TRUE(brush_.ScaleTextureTransformAt(2.0f, 2.0f, GpPointF{10.0f, 10.0f}, order));
        ASSERT_TRUE(brush_.GetTextureTransform(matrix_));

        EXPECT_THAT(spy.Names(),
                    ElementsAre("GdipTranslateTextureTransform", "GdipScaleTextureTransform",
                                "GdipTranslateTextureTransform", "GdipGetTextureTransform"));
        EXPECT_EQ(spy.Calls()[1].Integer(3), order);
        const GpPointF centre = Mapped(matrix_, {10.0f, 10.0f});
        const GpPointF beside = Mapped(matrix_, {11.0f, 10.0f});
        EXPECT_FLOAT_EQ(centre.X, 10.0f);
        EXPECT_FLOAT_EQ(centre.Y, 10.0f);
        EXPECT_FLOAT_EQ(beside.X, 12.0f);
        EXPECT_FLOAT_EQ(beside.Y, 10.0f);
    }
}

TEST_F(TextureTransformTest, RotatingAboutAPointKeepsThatPoint) {
    EXPECT_TRUE(brush_.RotateTextureTransformAt(90.0f, GpPointF{5.0f, 5.0f}, MatrixOrderAppend));
    ASSERT_TRUE(brush_.GetTextureTransform(matrix_));

    const GpPointF centre = Mapped(matrix_, {5.0f, 5.0f});
    const GpPointF right = Mapped(matrix_, {6.0f, 5.0f});
    EXPECT_NEAR(centre.X, 5.0f, 1e-4f);
    EXPECT_NEAR(centre.Y, 5.0f, 1e-4f);
    // Clockwise in a y-down space: one step right becomes one step down.
    EXPECT_NEAR(right.X, 5.0f, 1e-4f);
    EXPECT_NEAR(right.Y, 6.0f, 1e-4f);
}

TEST_F(TextureTransformTest, ResetGivesTheIdentityBack) {
    ASSERT_TRUE(brush_.TranslateTextureTransform(3.0f, 4.0f));
    ASSERT_TRUE(brush_.ScaleTextureTransform(2.0f, 5.0f, MatrixOrderAppend));
    ASSERT_TRUE(brush_.RotateTextureTransform(30.0f));

    EXPECT_TRUE(brush_.ResetTextureTransform());
    ASSERT_TRUE(brush_.GetTextureTransform(matrix_));

    BOOL identity = 0;
    ASSERT_EQ(::GdipIsMatrixIdentity(matrix_.GetHandle(), &identity), Ok);
    EXPECT_TRUE(identity);
}

TEST_F(TextureTransformTest, SetAndMultiplyTakeTheMatrixHandle) {
    NativeObject shift(::GdipDeleteMatrix);
    test_support::MakeMatrix(shift, 1, 0, 0, 1, 5, 0);

    ASSERT_TRUE(brush_.SetTextureTransform(shift));
    ASSERT_TRUE(brush_.MultiplyTextureTransform(shift, MatrixOrderAppend));
    ASSERT_TRUE(brush_.GetTextureTransform(matrix_));

    EXPECT_FLOAT_EQ(Mapped(matrix_, {0.0f, 0.0f}).X, 10.0f);
}

TEST_F(TextureBrushTest, CloneAndImageGoToTheirTargets) {
    ScanBitmap image(3, 2, Grey);
    TextureBrush brush;
    ASSERT_TRUE(brush.CreateTexture(image.Object(), WrapModeClamp));
    TextureBrush clone;
    NativeObject picture(::GdipDisposeImage);

    ASSERT_TRUE(brush.CloneBrush(clone));
    ASSERT_TRUE(brush.GetTextureImage(picture));

    EXPECT_NE(clone.GetHandle(), 0u);
    EXPECT_NE(clone.GetHandle(), brush.GetHandle());
    EXPECT_EQ(clone.GetTextureWrapMode(), WrapModeClamp);
    UINT width = 0;
    ASSERT_EQ(::GdipGetImageWidth(picture.GetHandle(), &width), Ok);
    EXPECT_EQ(width, 3u);
    // The clone lives on after the original is gone.
    EXPECT_TRUE(brush.DeleteBrush());
    EXPECT_EQ(clone.GetBrushType(), BrushTypeTextureFill);
}

TEST_F(TextureTransformTest, SetTextureWrapModeIsReadBack) {
    EXPECT_TRUE(brush_.SetTextureWrapMode(WrapModeTileFlipXY));
    EXPECT_EQ(brush_.GetTextureWrapMode(), WrapModeTileFlipXY);
    EXPECT_FALSE(brush_.SetTextureWrapMode(17));
    EXPECT_EQ(LastStatus, InvalidParameter);
}

} // namespace
} // namespace vellumark::imaging
