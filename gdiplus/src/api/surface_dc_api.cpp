// Flat functions that open surfaces on device contexts and windows, and
// hand out and take back a surface's own device context.
#include "core/api_call.h"
#include "gdi/gdi_objects.h"
#include "gdi/owned_dc.h"
#include "graphics/graphics.h"
#include "graphics/surface_raster.h"

#include <memory>

using vellumark::gdiplus::GdiObjects;
using vellumark::gdiplus::Graphics;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::OwnedDc;
using vellumark::gdiplus::RasterView;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using vellumark::gdiplus::surfaceRaster;
using vellumark::gdiplus::SurfaceTarget;
using namespace vellumark::gdiplus::api;

namespace {

// A surface on `dc`, which must lead to pixels now.
Result<std::unique_ptr<Graphics>> surfaceOn(HDC dc, const HandleTable& objects) {
    const SurfaceTarget target{0, dc};
    Result<RasterView> raster = surfaceRaster(target, objects);
    if (!raster) {
        return raster.error();
    }
    return std::make_unique<Graphics>(target, raster->dpiX, raster->dpiY);
}

GpStatus createFromHdc(HDC hdc, GpGraphics* graphics) {
    clearOutput(graphics);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(graphics); !checked) {
            return checked;
        }
        Result<std::unique_ptr<Graphics>> surface = surfaceOn(hdc, objects);
        if (!surface) {
            return surface.error();
        }
        return publish(objects, std::move(*surface), graphics);
    });
}

GpStatus createFromHwnd(HWND hwnd, GpGraphics* graphics) {
    clearOutput(graphics);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(graphics); !checked) {
            return checked;
        }
        Result<HDC> dc = GdiObjects::instance().takeWindowDc(hwnd);
        if (!dc) {
            return dc.error();
        }
        // Owned from here on, so every failure below gives it back.
        OwnedDc owned(OwnedDc::Kind::Window, hwnd, *dc);
        Result<std::unique_ptr<Graphics>> surface = surfaceOn(*dc, objects);
        if (!surface) {
            return surface.error();
        }
        (*surface)->ownWindowDc(std::move(owned));
        return publish(objects, std::move(*surface), graphics);
    });
}

} // namespace

extern "C" {

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics* graphics) {
    return createFromHdc(hdc, graphics);
}

GpStatus GdipCreateFromHDC2(HDC hdc, HANDLE hDevice, GpGraphics* graphics) {
    if (hDevice != 0) {
        clearOutput(graphics);
        return guarded(
            [](HandleTable&) -> Result<void> { return invalidArgument("no devices here"); });
    }
    return createFromHdc(hdc, graphics);
}

GpStatus GdipCreateFromHWND(HWND hwnd, GpGraphics* graphics) {
    return createFromHwnd(hwnd, graphics);
}

GpStatus GdipCreateFromHWNDICM(HWND hwnd, GpGraphics* graphics) {
    return createFromHwnd(hwnd, graphics);
}

GpStatus GdipGetDC(GpGraphics graphics, HDC* hdc) {
    if (hdc != nullptr) {
        *hdc = 0;
    }
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (auto checked = requirePointer(hdc); !checked) {
            return checked;
        }
        Result<HDC> dc = GdiObjects::instance().createSurfaceDc(surface.surfaceTarget());
        if (!dc) {
            return dc.error();
        }
        surface.handOutDc(OwnedDc(OwnedDc::Kind::Surface, 0, *dc));
        *hdc = *dc;
        return success();
    });
}

// Runs while the surface is busy, so it looks the surface up itself rather
// than through onObject, which refuses busy objects.
GpStatus GdipReleaseDC(GpGraphics graphics, HDC hdc) {
    return guarded([&](HandleTable& objects) -> Result<void> {
        Result<Graphics*> surface = objects.find<Graphics>(graphics);
        if (!surface) {
            return surface.error();
        }
        if (hdc == 0 || (*surface)->handedOutDc() != hdc) {
            return invalidArgument("not the device context this surface handed out");
        }
        (*surface)->takeBackDc();
        return success();
    });
}

} // extern "C"
