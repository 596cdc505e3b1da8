// The library's GDI calls (gdi.h) and the surfaces opened on their device
// contexts and windows: what a surface draws lands in the selected bitmap,
// the window's host or the surface that handed out the device context.
#include "gdiplus/gdi.h"
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "image_fixtures.h"
#include "support/started_library.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace vellumark::gdiplus::testing {
namespace {

constexpr ARGB kRed = 0xFFFF0000u;
constexpr ARGB kBlue = 0xFF0000FFu;
constexpr ARGB kGreen = 0xFF00FF00u;

// A host window of one colour that records what it is shown.
struct FakeWindow {
    INT width = 5;
    INT height = 4;
    ARGB shows = kBlue;
    std::vector<ARGB> presented;
    int presents = 0;
    HWND handle = 0;

    explicit FakeWindow(INT w = 5, INT h = 4) : width(w), height(h) {
        const GdiplusGdiWindowHost host{this, &getSize, &capture, &present};
        EXPECT_EQ(GdiplusGdiRegisterWindow(&host, &handle), Ok);
    }
    ~FakeWindow() { GdiplusGdiUnregisterWindow(handle); }
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    ARGB at(INT x, INT y) const { return presented.at(static_cast<std::size_t>(y * width + x)); }

    static BOOL getSize(void* context, INT* w, INT* h) {
        auto* self = static_cast<FakeWindow*>(context);
        *w = self->width;
        *h = self->height;
        return self->width > 0 ? 1 : 0;
    }
    static void capture(void* context, INT w, INT h, INT stride, BYTE* pixels) {
        auto* self = static_cast<FakeWindow*>(context);
        for (INT y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<ARGB*>(pixels + y * stride);
            std::fill(row, row + w, self->shows);
        }
    }
    static void present(void* context, INT w, INT h, INT stride, const BYTE* pixels) {
        auto* self = static_cast<FakeWindow*>(context);
        self->presented.clear();
        for (INT y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const ARGB*>(pixels + y * stride);
            self->presented.insert(self->presented.end(), row, row + w);
        }
        ++self->presents;
    }
};

class GdiTest : public StartedLibrary {
protected:
    static GpGraphics surfaceOn(HDC dc) {
        GpGraphics graphics = 0;
        EXPECT_EQ(GdipCreateFromHDC(dc, &graphics), Ok);
        return graphics;
    }
    static HBITMAP blankGdiBitmap() {
        HBITMAP handle = 0;
        EXPECT_EQ(GdipCreateHBITMAPFromBitmap(makeBitmap(4, 3), &handle, 0), Ok);
        return handle;
    }
    static std::vector<ARGB> pixelsOf(HBITMAP handle) {
        GpBitmap copy = 0;
        EXPECT_EQ(GdipCreateBitmapFromHBITMAP(handle, 0, &copy), Ok);
        return argbPixels(copy);
    }
};

TEST_F(GdiTest, MemoryDcDrawsIntoItsSelectedBitmapUntilTheStockBitmapIsPutBack) {
    const HBITMAP bitmap = blankGdiBitmap();
    const HDC dc = GdiplusGdiCreateCompatibleDC(0);
    ASSERT_NE(dc, 0u);
    const HGDIOBJ stock = GdiplusGdiSelectObject(dc, bitmap);
    ASSERT_NE(stock, 0u);
    EXPECT_EQ(GdiplusGdiSelectObject(GdiplusGdiCreateCompatibleDC(0), bitmap), 0u)
        << "a bitmap is selected into one device context at a time";

    const GpGraphics graphics = surfaceOn(dc);
    EXPECT_EQ(GdipGraphicsClear(graphics, kRed), Ok);
    EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
    EXPECT_EQ(pixelsOf(bitmap), std::vector<ARGB>(12, kRed));

    EXPECT_EQ(GdiplusGdiDeleteObject(bitmap), 0) << "still selected";
    EXPECT_EQ(GdiplusGdiSelectObject(dc, stock), bitmap);
    EXPECT_EQ(GdiplusGdiDeleteObject(bitmap), 1);
    EXPECT_EQ(GdiplusGdiDeleteObject(bitmap), 0) << "already deleted";
    EXPECT_EQ(GdiplusGdiDeleteObject(stock), 1) << "the stock bitmap is never deleted";
    EXPECT_EQ(GdiplusGdiDeleteDC(dc), 1);
    EXPECT_EQ(GdiplusGdiDeleteDC(dc), 0);
    EXPECT_EQ(GdiplusGdiSelectObject(dc, stock), 0u);
}

TEST_F(GdiTest, DeletingEachKindNeedsItsOwnCall) {
    const HBITMAP bitmap = quietGdiObject(false);
    const HICON icon = quietGdiObject(true);
    const HDC dc = GdiplusGdiCreateCompatibleDC(0);
    EXPECT_EQ(GdiplusGdiDestroyIcon(bitmap), 0);
    EXPECT_EQ(GdiplusGdiDeleteObject(icon), 0);
    EXPECT_EQ(GdiplusGdiDeleteObject(dc), 0);
    EXPECT_EQ(GdiplusGdiDeleteDC(bitmap), 0);
    EXPECT_EQ(GdiplusGdiDestroyIcon(icon), 1);
    GpBitmap fromIcon = 0;
    EXPECT_EQ(GdipCreateBitmapFromHICON(icon, &fromIcon), InvalidParameter);
    EXPECT_EQ(GdiplusGdiDeleteObject(bitmap), 1);
    EXPECT_EQ(GdiplusGdiDeleteDC(dc), 1);
}

TEST_F(GdiTest, GdiObjectsBelongToTheProcessNotToAStart) {
    GdiplusShutdown(token_);
    const HDC dc = GdiplusGdiCreateCompatibleDC(0);
    EXPECT_NE(dc, 0u);
    GpGraphics graphics = 0;
    EXPECT_EQ(GdipCreateFromHDC(dc, &graphics), GdiplusNotInitialized);
    token_ = startLibrary();
    EXPECT_EQ(GdipCreateFromHDC(dc, &graphics), Ok);
    EXPECT_EQ(GdiplusGdiDeleteDC(dc), 1);
}

TEST_F(GdiTest, SurfaceOnADeletedDeviceContextFailsInsteadOfDrawing) {
    const HDC dc = GdiplusGdiCreateCompatibleDC(0);
    const GpGraphics graphics = surfaceOn(dc);
    ASSERT_EQ(GdiplusGdiDeleteDC(dc), 1);
    EXPECT_EQ(GdipGraphicsClear(graphics, kRed), InvalidParameter);
    ARGB colour = kRed;
    EXPECT_EQ(GdipGetNearestColor(graphics, &colour), InvalidParameter);
    EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
}

TEST_F(GdiTest, WindowDeviceContextShowsTheWindowWhatWasDrawnWhenGivenBack) {
    FakeWindow window;
    const HDC dc = GdiplusGdiGetDC(window.handle);
    ASSERT_NE(dc, 0u);
    const GpGraphics graphics = surfaceOn(dc);
    EXPECT_EQ(GdipFillRectangleI(graphics, solidBrush(kRed), 0, 0, 2, 2), Ok);
    EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
    EXPECT_EQ(window.presents, 0);

    EXPECT_EQ(GdiplusGdiReleaseDC(GDIPLUSGDI_DESKTOP_WINDOW, dc), 0) << "another window's";
    EXPECT_EQ(GdiplusGdiReleaseDC(window.handle, dc), 1);
    ASSERT_EQ(window.presents, 1);
    EXPECT_EQ(window.at(1, 1), kRed);
    EXPECT_EQ(window.at(2, 1), kBlue) << "the window's own look around the drawing";
    EXPECT_EQ(window.at(4, 3), kBlue);
    EXPECT_EQ(GdiplusGdiReleaseDC(window.handle, dc), 0) << "given back twice";
}

TEST_F(GdiTest, SurfaceOnAWindowShowsItsDrawingOnFlushDeleteAndShutDown) {
    FakeWindow window;
    for (auto create : {GdipCreateFromHWND, GdipCreateFromHWNDICM}) {
        window.presents = 0;
        GpGraphics graphics = 0;
        ASSERT_EQ(create(window.handle, &graphics), Ok);
        EXPECT_EQ(GdipGraphicsClear(graphics, kGreen), Ok);
        EXPECT_EQ(GdipFlush(graphics, FlushIntentionFlush), Ok);
        ASSERT_EQ(window.presents, 1);
        EXPECT_EQ(window.at(3, 2), kGreen);
        EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
        EXPECT_EQ(window.presents, 2);
    }
    GpGraphics open = 0;
    ASSERT_EQ(GdipCreateFromHWND(window.handle, &open), Ok);
    GdiplusShutdown(token_);
    EXPECT_EQ(window.presents, 3) << "the shut-down gives the window's device context back";
    token_ = startLibrary();
}

TEST_F(GdiTest, WindowsThatCannotBeDrawnOn) {
    FakeWindow sizeless(0, 0);
    HWND stale = 0;
    {
        FakeWindow gone;
        stale = gone.handle;
    }
    struct Case {
        const char* what;
        HWND window;
        GpStatus status;
    };
    for (const Case& c :
         {Case{"unregistered", stale, InvalidParameter},
          Case{"made up", 0x7654321u, InvalidParameter},
          Case{"a device context", GdiplusGdiCreateCompatibleDC(0), InvalidParameter},
          Case{"no size", sizeless.handle, Win32Error}}) {
        GpGraphics graphics = 1;
        EXPECT_EQ(GdipCreateFromHWND(c.window, &graphics), c.status) << c.what;
        EXPECT_EQ(graphics, 0u) << c.what;
        EXPECT_EQ(GdiplusGdiGetDC(c.window), 0u) << c.what;
    }
    EXPECT_EQ(GdiplusGdiUnregisterWindow(stale), InvalidParameter);
}

TEST_F(GdiTest, WindowZeroAndTheDesktopAreTheScreen) {
    for (HWND screen : {0u, GDIPLUSGDI_DESKTOP_WINDOW}) {
        const HDC dc = GdiplusGdiGetDC(screen);
        ASSERT_NE(dc, 0u) << screen;
        const GpGraphics graphics = surfaceOn(dc);
        REAL dpi = 0;
        EXPECT_EQ(GdipGetDpiX(graphics, &dpi), Ok);
        EXPECT_EQ(dpi, 96.0F);
        EXPECT_EQ(GdipFillRectangleI(graphics, solidBrush(kGreen), 1900, 1060, 40, 40), Ok);
        EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
        EXPECT_EQ(GdiplusGdiReleaseDC(screen == 0 ? GDIPLUSGDI_DESKTOP_WINDOW : 0, dc), 0)
            << "given back for the other window";
        EXPECT_EQ(GdiplusGdiReleaseDC(screen, dc), 1);
    }
}

TEST_F(GdiTest, SurfaceIsBusyWhileItsDeviceContextIsOut) {
    Canvas canvas(3, 2);
    HDC dc = 0;
    ASSERT_EQ(GdipGetDC(canvas.graphics, &dc), Ok);
    ASSERT_NE(dc, 0u);
    HDC second = 7;
    EXPECT_EQ(GdipGetDC(canvas.graphics, &second), ObjectBusy);
    EXPECT_EQ(second, 0u);
    EXPECT_EQ(GdipSetSmoothingMode(canvas.graphics, SmoothingModeAntiAlias), ObjectBusy);
    EXPECT_EQ(GdipGraphicsClear(canvas.graphics, kRed), ObjectBusy);
    EXPECT_EQ(GdipDeleteGraphics(canvas.graphics), ObjectBusy);

    // The device context draws into the surface's pixels, also through a
    // device context handed out by a surface on it.
    const GpGraphics onDc = surfaceOn(dc);
    EXPECT_EQ(GdipGraphicsClear(onDc, kGreen), Ok);
    EXPECT_EQ(canvas.at(2, 1), kGreen);
    HDC nested = 0;
    ASSERT_EQ(GdipGetDC(onDc, &nested), Ok);
    EXPECT_EQ(GdipFillRectangleI(surfaceOn(nested), solidBrush(kRed), 0, 0, 1, 1), Ok);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    EXPECT_EQ(canvas.at(1, 0), kGreen);

    EXPECT_EQ(GdipReleaseDC(canvas.graphics, nested), InvalidParameter) << "not its own";
    EXPECT_EQ(GdipReleaseDC(onDc, nested), Ok);
    EXPECT_EQ(GdipReleaseDC(canvas.graphics, 0), InvalidParameter);
    EXPECT_EQ(GdipReleaseDC(canvas.graphics, dc), Ok);
    EXPECT_EQ(GdipReleaseDC(canvas.graphics, dc), InvalidParameter) << "given back twice";
    EXPECT_EQ(GdipGraphicsClear(onDc, kBlue), InvalidParameter) << "its device context is gone";
    EXPECT_EQ(GdipSetSmoothingMode(canvas.graphics, SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(GdipDeleteGraphics(canvas.graphics), Ok);
}

TEST_F(GdiTest, RegistrationChecksItsArgumentsAndNeverHandsOutTheDesktopWindow) {
    HWND window = 5;
    EXPECT_EQ(GdiplusGdiRegisterWindow(nullptr, &window), InvalidParameter);
    EXPECT_EQ(window, 0u);
    const GdiplusGdiWindowHost noCapture{nullptr, &FakeWindow::getSize, nullptr,
                                         &FakeWindow::present};
    EXPECT_EQ(GdiplusGdiRegisterWindow(&noCapture, &window), InvalidParameter);
    const GdiplusGdiWindowHost host{nullptr, &FakeWindow::getSize, &FakeWindow::capture,
                                    &FakeWindow::present};
    EXPECT_EQ(GdiplusGdiRegisterWindow(&host, nullptr), InvalidParameter);

    // Handles count up from 0x10000, so registering windows until one lies
    // past the desktop window's number crosses it.
    std::vector<HWND> windows;
    do {
        ASSERT_EQ(GdiplusGdiRegisterWindow(&host, &window), Ok);
        EXPECT_NE(window, GDIPLUSGDI_DESKTOP_WINDOW);
        EXPECT_NE(window, 0u);
        windows.push_back(window);
    } while (window < GDIPLUSGDI_DESKTOP_WINDOW && windows.size() < 100);
    for (HWND registered : windows) {
        EXPECT_EQ(GdiplusGdiUnregisterWindow(registered), Ok);
    }
}

} // namespace
} // namespace vellumark::gdiplus::testing
