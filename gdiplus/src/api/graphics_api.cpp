// Flat functions of drawing surfaces: opening and closing, rendering state.
#include "core/api_call.h"
#include "gdi/gdi_objects.h"
#include "gdiplus/pixels/row_conversion.h"
#include "graphics/graphics.h"
#include "graphics/surface_drawing.h"
#include "graphics/surface_raster.h"
#include "image/bitmap.h"

#include <array>

using vellumark::gdiplus::Bitmap;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::GdiObjects;
using vellumark::gdiplus::Graphics;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::RasterView;
using vellumark::gdiplus::RenderSettings;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::surfaceRaster;
using vellumark::gdiplus::success;
using vellumark::gdiplus::SurfaceDrawing;
namespace pixels = vellumark::gdiplus::pixels;
using namespace vellumark::gdiplus::api;

namespace {

// Checks `value` against [lowest, highest], then stores it with `apply`.
template <typename Apply>
GpStatus setSetting(GpGraphics graphics, INT value, INT lowest, INT highest, Apply&& apply) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (auto checked = requireInRange(value, lowest, highest); !checked) {
            return checked;
        }
        apply(surface.settings());
        return success();
    });
}

template <typename Out, typename Read>
GpStatus getSetting(GpGraphics graphics, Out* out, Read&& read) {
    return queryObject<Graphics>(graphics, out,
                                 [&](const Graphics& surface) { return read(surface.settings()); });
}

// The colour after a round trip through one pixel of the format.
Result<ARGB> nearestColor(pixels::PixelFormat format, ARGB color) {
    std::array<std::uint8_t, 8> pixel{};
    std::array<std::uint32_t, 1> argb{color};
    if (!pixels::WriteArgbRow(format, argb, nullptr, pixel, 0) ||
        !pixels::ReadArgbRow(format, pixel, 0, {}, argb)) {
        return Error{GenericError, "colour cannot be stored in this format"};
    }
    return argb[0];
}

} // namespace

extern "C" {

GpStatus GdipGetImageGraphicsContext(GpImage image, GpGraphics* graphics) {
    clearOutput(graphics);
    return onObject<Bitmap>(image, [&](Bitmap& bitmap, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(graphics); !checked) {
            return checked;
        }
        if (pixels::IsIndexed(bitmap.pixels().format())) {
            return Error{OutOfMemory, "no surface on an indexed bitmap"};
        }
        return publish(objects, std::make_unique<Graphics>(image, bitmap.dpiX(), bitmap.dpiY()),
                       graphics);
    });
}

GpStatus GdipDeleteGraphics(GpGraphics graphics) {
    return onObject<Graphics>(graphics, [&](Graphics&, HandleTable& objects) {
        return objects.erase(graphics, Graphics::kKind);
    });
}

GpStatus GdipFlush(GpGraphics graphics, GpFlushIntention intention) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (auto checked = requireInRange(intention, FlushIntentionFlush, FlushIntentionSync);
            !checked) {
            return checked;
        }
        // A surface on a window shows the window what it drew so far.
        if (const HDC dc = surface.surfaceTarget().deviceContext; dc != 0) {
            GdiObjects::instance().present(dc);
        }
        return success();
    });
}

GpStatus GdipGetNearestColor(GpGraphics graphics, ARGB* argb) {
    return onObject<Graphics>(graphics, [&](Graphics& surface, HandleTable& objects) {
        if (auto checked = requirePointer(argb); !checked) {
            return checked;
        }
        Result<RasterView> raster = surfaceRaster(surface.surfaceTarget(), objects);
        if (!raster) {
            return Result<void>(raster.error());
        }
        Result<ARGB> nearest = nearestColor(raster->format, *argb);
        if (!nearest) {
            return Result<void>(nearest.error());
        }
        *argb = *nearest;
        return success();
    });
}

GpStatus GdipSetRenderingOrigin(GpGraphics graphics, INT x, INT y) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) {
        surface.settings().originX = x;
        surface.settings().originY = y;
        return success();
    });
}

GpStatus GdipGetRenderingOrigin(GpGraphics graphics, INT* x, INT* y) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (auto checked = allOf({requirePointer(x), requirePointer(y)}); !checked) {
            return checked;
        }
        *x = surface.settings().originX;
        *y = surface.settings().originY;
        return success();
    });
}

GpStatus GdipSetCompositingMode(GpGraphics graphics, GpCompositingMode compositingMode) {
    return setSetting(graphics, compositingMode, CompositingModeSourceOver,
                      CompositingModeSourceCopy,
                      [&](RenderSettings& s) { s.compositingMode = compositingMode; });
}

GpStatus GdipGetCompositingMode(GpGraphics graphics, GpCompositingMode* compositingMode) {
    return getSetting(graphics, compositingMode,
                      [](const RenderSettings& s) { return s.compositingMode; });
}

GpStatus GdipSetCompositingQuality(GpGraphics graphics, GpCompositingQuality compositingQuality) {
    return setSetting(graphics, compositingQuality, CompositingQualityDefault,
                      CompositingQualityAssumeLinear,
                      [&](RenderSettings& s) { s.compositingQuality = compositingQuality; });
}

GpStatus GdipGetCompositingQuality(GpGraphics graphics, GpCompositingQuality* compositingQuality) {
    return getSetting(graphics, compositingQuality,
                      [](const RenderSettings& s) { return s.compositingQuality; });
}

GpStatus GdipSetTextRenderingHint(GpGraphics graphics, GpTextRenderingHint mode) {
    return setSetting(graphics, mode, TextRenderingHintSystemDefault,
                      TextRenderingHintClearTypeGridFit,
                      [&](RenderSettings& s) { s.textRenderingHint = mode; });
}

GpStatus GdipGetTextRenderingHint(GpGraphics graphics, GpTextRenderingHint* mode) {
    return getSetting(graphics, mode, [](const RenderSettings& s) { return s.textRenderingHint; });
}

GpStatus GdipSetTextContrast(GpGraphics graphics, UINT contrast) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (contrast > RenderSettings::kMaxTextContrast) {
            return invalidArgument("text contrast above 12");
        }
        surface.settings().textContrast = contrast;
        return success();
    });
}

GpStatus GdipGetTextContrast(GpGraphics graphics, UINT* contrast) {
    return getSetting(graphics, contrast, [](const RenderSettings& s) { return s.textContrast; });
}

GpStatus GdipSetInterpolationMode(GpGraphics graphics, GpInterpolationMode interpolationMode) {
    return setSetting(graphics, interpolationMode, InterpolationModeDefault,
                      InterpolationModeHighQualityBicubic,
                      [&](RenderSettings& s) { s.setInterpolationMode(interpolationMode); });
}

GpStatus GdipGetInterpolationMode(GpGraphics graphics, GpInterpolationMode* interpolationMode) {
    return getSetting(graphics, interpolationMode,
                      [](const RenderSettings& s) { return s.interpolationMode; });
}

GpStatus GdipSetSmoothingMode(GpGraphics graphics, GpSmoothingMode smoothingMode) {
    return setSetting(graphics, smoothingMode, SmoothingModeDefault, SmoothingModeAntiAlias8x8,
                      [&](RenderSettings& s) { s.setSmoothingMode(smoothingMode); });
}

GpStatus GdipGetSmoothingMode(GpGraphics graphics, GpSmoothingMode* smoothingMode) {
    return getSetting(graphics, smoothingMode,
                      [](const RenderSettings& s) { return s.smoothingMode; });
}

GpStatus GdipSetPixelOffsetMode(GpGraphics graphics, GpPixelOffsetMode pixelOffsetMode) {
    return setSetting(graphics, pixelOffsetMode, PixelOffsetModeDefault, PixelOffsetModeHalf,
                      [&](RenderSettings& s) { s.pixelOffsetMode = pixelOffsetMode; });
}

GpStatus GdipGetPixelOffsetMode(GpGraphics graphics, GpPixelOffsetMode* pixelOffsetMode) {
    return getSetting(graphics, pixelOffsetMode,
                      [](const RenderSettings& s) { return s.pixelOffsetMode; });
}

GpStatus GdipSetPageUnit(GpGraphics graphics, GpUnit unit) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (auto checked = requireInRange(unit, UnitDisplay, UnitMillimeter); !checked) {
            return checked;
        }
        surface.setPageUnit(unit);
        return success();
    });
}

GpStatus GdipGetPageUnit(GpGraphics graphics, GpUnit* unit) {
    return queryObject<Graphics>(graphics, unit, [](const Graphics& s) { return s.pageUnit(); });
}

GpStatus GdipSetPageScale(GpGraphics graphics, REAL scale) {
    return onObject<Graphics>(graphics, [&](Graphics& surface) -> Result<void> {
        if (!(std::isfinite(scale) && scale > 0)) {
            return invalidArgument("page scale must be positive");
        }
        surface.setPageScale(scale);
        return success();
    });
}

GpStatus GdipGetPageScale(GpGraphics graphics, REAL* scale) {
    return queryObject<Graphics>(graphics, scale, [](const Graphics& s) { return s.pageScale(); });
}

GpStatus GdipGetDpiX(GpGraphics graphics, REAL* dpi) {
    return queryObject<Graphics>(graphics, dpi, [](const Graphics& s) { return s.dpiX(); });
}

GpStatus GdipGetDpiY(GpGraphics graphics, REAL* dpi) {
    return queryObject<Graphics>(graphics, dpi, [](const Graphics& s) { return s.dpiY(); });
}

GpStatus GdipGraphicsClear(GpGraphics graphics, ARGB color) {
    return onObject<Graphics>(graphics, [&](Graphics& surface, HandleTable& objects) {
        Result<SurfaceDrawing> drawing = SurfaceDrawing::open(surface, objects);
        return drawing ? drawing->clear(color) : Result<void>(drawing.error());
    });
}

} // extern "C"
