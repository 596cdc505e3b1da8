// Device contexts of the library's GDI table and what each draws into.
//
// A memory device context draws into the bitmap selected into it. A window
// device context draws into a copy of the window's pixels taken when it was
// handed out (or into the screen surface for window 0 and the desktop). A
// surface device context, handed out by GdipGetDC, draws into whatever its
// surface draws into, named by handle so that nothing dangles when that goes.
#pragma once

#include "gdiplus/gdiplus.h"
#include "image/pixel_surface.h"

#include <optional>

namespace vellumark::gdiplus {

// What a drawing surface draws into: an image of the handle table or a
// device context of the GDI table; exactly one of them is non-zero.
struct SurfaceTarget {
    GpImage image = 0;
    HDC deviceContext = 0;
};

struct MemoryDc {
    HBITMAP selected = 0;
};

struct WindowDc {
    HWND window = 0;
    // The window's pixels; none for the screen, which has a surface of its own.
    std::optional<PixelSurface> pixels;
};

struct SurfaceDc {
    SurfaceTarget target;
};

} // namespace vellumark::gdiplus
