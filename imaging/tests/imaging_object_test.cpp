#include "imaging/imaging_object.h"
#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Shaped like TextureBrush: a brush level whose SetNativeHandle passes the
// handle on to a texture level. A solid fill stands in for the texture.
class BrushShaped final : public ImagingObject {
public:
    ~BrushShaped() override { Destroy(); }

    void SetNativeHandle(GpHandle handle) override {
        brushHandle = handle;
        SetDerivedHandle(brushHandle);
    }
    void SetDerivedHandle(GpHandle handle) override { textureHandle = handle; }
    bool ReleaseNative() override { return DeleteBrush(); }

    bool DeleteBrush() { return ReleaseWith(brushHandle, binding::GdipDeleteBrush); }
    bool CreateSolidFill(ARGB colour) {
        const bool created = StoreStatus(binding::GdipCreateSolidFill(colour, &textureHandle));
        ImagingObject::SetHandle(textureHandle);
        return created;
    }

    GpHandle brushHandle = 0;
    GpHandle textureHandle = 0;
};

// Shaped like Region: one level whose SetNativeHandle stores and stops. A
// matrix stands in for the region.
class RegionShaped final : public ImagingObject {
public:
    ~RegionShaped() override { Destroy(); }

    void SetNativeHandle(GpHandle handle) override { regionHandle = handle; }
    void SetDerivedHandle(GpHandle) override { ++derivedCalls; }
    bool ReleaseNative() override { return ReleaseWith(regionHandle, binding::GdipDeleteMatrix); }

    bool Create() {
        const bool created = StoreStatus(binding::GdipCreateMatrix(&regionHandle));
        ImagingObject::SetHandle(regionHandle);
        return created;
    }

    GpHandle regionHandle = 0;
    int derivedCalls = 0;
};

class ImagingObjectTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(ImagingStartup(), 0u); }
    void TearDown() override { ImagingShutdown(); }
};

TEST_F(ImagingObjectTest, SetHandleReachesEveryLevelOfABrush) {
    BrushShaped brush;
    ImagingObject& base = brush; // through the table, as callers reach it
    base.SetHandle(0x1234);
    EXPECT_EQ(base.GetHandle(), 0x1234u);
    EXPECT_EQ(brush.brushHandle, 0x1234u);
    EXPECT_EQ(brush.textureHandle, 0x1234u);

    base.SetHandle(0);
    EXPECT_EQ(base.GetHandle(), 0u);
    EXPECT_EQ(brush.brushHandle, 0u);
    EXPECT_EQ(brush.textureHandle, 0u);
}

TEST_F(ImagingObjectTest, SetHandleOnARegionStopsAtItsOwnLevel) {
    RegionShaped region;
    ImagingObject& base = region;
    base.SetHandle(0x77);
    EXPECT_EQ(base.GetHandle(), 0x77u);
    EXPECT_EQ(region.regionHandle, 0x77u);
    EXPECT_EQ(region.derivedCalls, 0);
}

TEST_F(ImagingObjectTest, CreatedHandleIsSeenByEveryLevel) {
    BrushShaped brush;
    ASSERT_TRUE(brush.CreateSolidFill(0xFF00FF00u));
    EXPECT_NE(brush.GetHandle(), 0u);
    EXPECT_EQ(brush.brushHandle, brush.GetHandle());
    EXPECT_EQ(brush.textureHandle, brush.GetHandle());
}

TEST_F(ImagingObjectTest, ReleaseFreesTheNativeObjectAndClearsEveryLevel) {
    BrushShaped brush;
    ASSERT_TRUE(brush.CreateSolidFill(0xFF000000u));
    const GpHandle held = brush.GetHandle();
    LastStatus = GenericError;
    CallSpy spy;

    EXPECT_TRUE(brush.ReleaseNative());

    ASSERT_THAT(spy.Names(), ElementsAre("GdipDeleteBrush"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), held);
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_EQ(brush.GetHandle(), 0u);
    EXPECT_EQ(brush.brushHandle, 0u);
    EXPECT_EQ(brush.textureHandle, 0u);
}

TEST_F(ImagingObjectTest, FailedReleaseReportsTheStatusAndStillLetsGo) {
    RegionShaped region;
    region.SetHandle(0x0BAD0BAD); // not a handle the library gave out
    EXPECT_FALSE(region.ReleaseNative());
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(region.GetHandle(), 0u);
    EXPECT_EQ(region.regionHandle, 0u);
}

TEST_F(ImagingObjectTest, ReleaseOfAFreshObjectMakesNoCallAndKeepsLastStatus) {
    BrushShaped brush;
    RegionShaped region;
    LastStatus = OutOfMemory;
    CallSpy spy;

    EXPECT_FALSE(brush.ReleaseNative());
    EXPECT_FALSE(region.ReleaseNative());

    EXPECT_THAT(spy.Calls(), IsEmpty());
    EXPECT_EQ(LastStatus, OutOfMemory);
}

TEST_F(ImagingObjectTest, DestroyReleasesWhatIsHeldAndNothingAfterAnExplicitRelease) {
    RegionShaped held;
    ASSERT_TRUE(held.Create());
    RegionShaped released;
    ASSERT_TRUE(released.Create());
    ASSERT_TRUE(released.ReleaseNative());
    const GpHandle heldHandle = held.GetHandle();
    CallSpy spy;

    released.Destroy();
    EXPECT_THAT(spy.Calls(), IsEmpty());

    held.Destroy();
    ASSERT_THAT(spy.Names(), ElementsAre("GdipDeleteMatrix"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), heldHandle);
    EXPECT_EQ(held.GetHandle(), 0u);
}

TEST_F(ImagingObjectTest, AllocAndFreeUseTheLibraryAllocatorAndKeepLastStatus) {
    BrushShaped brush;
    LastStatus = Aborted;
    CallSpy spy;

    void* block = brush.Alloc(24);
    ASSERT_NE(block, nullptr);
    brush.Free(block);

    ASSERT_THAT(spy.Names(), ElementsAre("GdipAlloc", "GdipFree"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), 24);
    EXPECT_EQ(spy.Calls()[1].Pointer(0), block);
    EXPECT_EQ(LastStatus, Aborted);
}

} // namespace
} // namespace vellumark::imaging
