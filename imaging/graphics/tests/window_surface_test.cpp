// Graphics on windows and device contexts: which flat calls each create
// makes, who takes and gives back a window's device context, and the device
// context a surface hands out.
#include "imaging/brush/tests/native_objects.h"
#include "imaging/graphics/graphics.h"
#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <gdiplus/gdi.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using test_support::ScanBitmap;
using ::testing::ElementsAre;

constexpr ARGB kGreen = 0xFF00FF00u;

ARGB Clear(std::int32_t, std::int32_t) {
    return 0;
}

// A registered window of 3 x 2 pixels that shows nothing and keeps nothing.
class QuietWindow {
public:
    QuietWindow() {
        const GdiplusGdiWindowHost host{nullptr, &Size, &Capture, &Present};
        EXPECT_EQ(::GdiplusGdiRegisterWindow(&host, &handle_), Ok);
    }
    ~QuietWindow() { ::GdiplusGdiUnregisterWindow(handle_); }
    QuietWindow(const QuietWindow&) = delete;
    QuietWindow& operator=(const QuietWindow&) = delete;

    std::int32_t Handle() const { return static_cast<std::int32_t>(handle_); }

private:
    static BOOL Size(void*, INT* width, INT* height) {
        *width = 3;
        *height = 2;
        return 1;
    }
    static void Capture(void*, INT, INT, INT, BYTE*) {}
    static void Present(void*, INT, INT, INT, const BYTE*) {}

    HWND handle_ = 0;
};

class WindowSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(ImagingStartup(), 0u); }
    void TearDown() override { ImagingShutdown(); }
};

TEST_F(WindowSurfaceTest, ScreenAndDesktopTakeTheirDeviceContextAndGiveItBackOnce) {
    for (const std::int32_t window : {Graphics::kScreenWindow, Graphics::kDesktopWindow}) {
        ScanBitmap canvas(2, 2, Clear);
        Graphics surface;
        CallSpy spy;

        ASSERT_TRUE(surface.CreateFromHWND(window)) << window;
        EXPECT_EQ(surface.WindowHandle(), window);
        const std::uint32_t dc = surface.DeviceContext();
        EXPECT_NE(dc, 0u);
        EXPECT_TRUE(surface.DeleteGraphics());
        EXPECT_EQ(surface.WindowHandle(), Graphics::kNoWindow);
        EXPECT_EQ(surface.DeviceContext(), 0u);

        ASSERT_THAT(spy.Names(), ElementsAre("GdiplusGdiGetDC", "GdipCreateFromHDC",
                                             "GdipDeleteGraphics", "GdiplusGdiReleaseDC"));
        EXPECT_EQ(spy.Calls()[0].Integer(0), window);
        EXPECT_EQ(spy.Calls()[1].Integer(0), dc);
        EXPECT_EQ(spy.Calls()[3].Integer(0), window);
        EXPECT_EQ(spy.Calls()[3].Integer(1), dc);

        // Reopened on an image, the object has no device context to give back.
        spy.Clear();
        ASSERT_TRUE(surface.GetImageGraphicsContext(canvas.Object()));
        EXPECT_TRUE(surface.DeleteGraphics());
        EXPECT_THAT(spy.Names(), ElementsAre("GdipGetImageGraphicsContext", "GdipDeleteGraphics"));
    }
}

TEST_F(WindowSurfaceTest, OtherWindowsGoStraightToTheLibrary) {
    QuietWindow window;
    struct Case {
        bool useIcm;
        const char* function;
    };
    for (const Case& c : {Case{false, "GdipCreateFromHWND"}, Case{true, "GdipCreateFromHWNDICM"}}) {
        Graphics surface;
        CallSpy spy;
        ASSERT_TRUE(surface.CreateFromHWND(window.Handle(), c.useIcm)) << c.function;
        EXPECT_EQ(surface.WindowHandle(), Graphics::kNoWindow);
        EXPECT_NE(surface.GetHandle(), 0u);
        EXPECT_TRUE(surface.DeleteGraphics());
        ASSERT_THAT(spy.Names(), ElementsAre(c.function, "GdipDeleteGraphics"));
        EXPECT_EQ(spy.Calls()[0].Integer(0), window.Handle());
    }
}

TEST_F(WindowSurfaceTest, UnknownWindowLeavesTheObjectEmpty) {
    Graphics surface;
    EXPECT_FALSE(surface.CreateFromHWND(0x7654321));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(surface.GetHandle(), 0u);
    EXPECT_EQ(surface.WindowHandle(), Graphics::kNoWindow);
}

TEST_F(WindowSurfaceTest, DeviceGivenChoosesTheSecondForm) {
    const HDC dc = ::GdiplusGdiCreateCompatibleDC(0);
    struct Case {
        std::optional<std::uint32_t> device;
        const char* function;
        GpStatus status;
    };
    for (const Case& c :
         {Case{std::nullopt, "GdipCreateFromHDC", Ok}, Case{0u, "GdipCreateFromHDC2", Ok},
          Case{5u, "GdipCreateFromHDC2", InvalidParameter}}) {
        Graphics surface;
        CallSpy spy;
        EXPECT_EQ(surface.CreateFromHDC(dc, c.device), c.status == Ok) << c.function;
        EXPECT_EQ(LastStatus, c.status);
        ASSERT_FALSE(spy.Calls().empty());
        EXPECT_EQ(spy.Calls()[0].Name(), c.function);
        EXPECT_EQ(spy.Calls()[0].Integer(0), dc);
        if (c.device) {
            EXPECT_EQ(spy.Calls()[0].Integer(1), *c.device);
        }
        EXPECT_EQ(surface.GetHandle() != 0, c.status == Ok);
    }
    EXPECT_EQ(::GdiplusGdiDeleteDC(dc), 1);
}

TEST_F(WindowSurfaceTest, DeviceContextOfASurfaceDrawsIntoItsBitmapWhileTheSurfaceWaits) {
    ScanBitmap canvas(3, 2, Clear);
    Graphics surface;
    ASSERT_TRUE(surface.GetImageGraphicsContext(canvas.Object()));
    const std::uint32_t dc = surface.GetDC();
    ASSERT_NE(dc, 0u);
    EXPECT_FALSE(surface.SetPageScale(2.0F));
    EXPECT_EQ(LastStatus, ObjectBusy);

    Graphics onDc;
    ASSERT_TRUE(onDc.CreateFromHDC(dc));
    EXPECT_TRUE(onDc.GraphicsClear(kGreen));
    EXPECT_EQ(canvas.At(2, 1), kGreen);
    EXPECT_TRUE(onDc.DeleteGraphics());

    EXPECT_FALSE(surface.ReleaseDC(dc + 1));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_TRUE(surface.ReleaseDC(dc));
    EXPECT_TRUE(surface.SetPageScale(2.0F));
    EXPECT_EQ(Graphics().GetDC(), 0u) << "an empty object has no surface to ask";
    EXPECT_EQ(LastStatus, InvalidParameter);
}

} // namespace
} // namespace vellumark::imaging
