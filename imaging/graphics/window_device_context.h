// Where Graphics::CreateFromHWND gets a window's device context and where
// DeleteGraphics gives it back: the GetDC / ReleaseDC pair of the window
// system. Linux has no GDI, so by default the pair is the imaging library's
// own GDI calls (GdiplusGdiGetDC / GdiplusGdiReleaseDC of gdiplus/gdi.h,
// through the binding), where window 0 and the desktop window are a screen
// surface of the library's own. A test that watches the pair installs its
// own source.
#pragma once

#include <cstdint>

namespace vellumark::imaging {

class WindowDeviceContexts {
public:
    virtual ~WindowDeviceContexts() = default;
    // The device context of `window` (0: the whole screen); 0 when none.
    virtual std::uint32_t GetDC(std::int32_t window) = 0;
    // Gives back a device context GetDC handed out; the result is ignored.
    virtual void ReleaseDC(std::int32_t window, std::uint32_t deviceContext) = 0;
};

// The source in use: the one installed last, or the default.
WindowDeviceContexts& CurrentWindowDeviceContexts();

// Installs `source` (not owned; it must outlive its use) and returns the one
// it replaces; null puts the default back.
WindowDeviceContexts* InstallWindowDeviceContexts(WindowDeviceContexts* source);

} // namespace vellumark::imaging
