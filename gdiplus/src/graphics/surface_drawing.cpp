#include "graphics/surface_drawing.h"

#include "graphics/device_paint.h"
#include "graphics/device_painter.h"
#include "graphics/surface_raster.h"
#include "image/bitmap.h"

namespace vellumark::gdiplus {

Result<SurfaceDrawing> SurfaceDrawing::open(const Graphics& graphics, const HandleTable& objects) {
    Result<RasterView> raster = surfaceRaster(graphics.surfaceTarget(), objects);
    if (!raster) {
        return raster.error();
    }
    return SurfaceDrawing(graphics, *raster);
}

Result<void> SurfaceDrawing::fill(const QPainterPath& world, const Brush& brush) const {
    return fillDevice(graphics_->deviceTransform().map(world), brush);
}

Result<void> SurfaceDrawing::fillDevice(const QPainterPath& device, const Brush& brush) const {
    Result<DevicePaint> paint = devicePaintFor(brush, graphics_->deviceTransform());
    if (!paint) {
        return paint.error();
    }
    // Qt samples pixel centres at x.5; without a half-pixel offset the
    // surface's pixel centres sit on integer coordinates, so the shape moves
    // half a pixel onto Qt's grid. Qt's aliased rasteriser also breaks ties
    // the other way round (a centre on a left or top edge is out, on a right
    // or bottom edge in), so the shape moves one step of its 1/64-pixel grid
    // up and left as well. The brush stays where it is, so a texture keeps
    // mapping pixel for pixel.
    constexpr qreal kTieBreak = 1.0 / 64.0;
    const qreal shift = (graphics_->settings().halfPixelOffset() ? 0.0 : 0.5) - kTieBreak;
    const QPainterPath shape = device.translated(shift, shift);
    return DevicePainter(raster_, graphics_->settings(), graphics_->clip()).fill(shape, *paint);
}

Result<void> SurfaceDrawing::stroke(const QPainterPath& world, const Pen& pen) const {
    const QPainterPath outline =
        pen.outline(world, graphics_->deviceTransform(),
                    Graphics::pixelsPerUnit(pen.unit(), graphics_->dpiX()));
    return fillDevice(outline, pen.brush());
}

Result<void> SurfaceDrawing::clear(ARGB color) const {
    return DevicePainter(raster_, graphics_->settings(), graphics_->clip()).clear(color);
}

} // namespace vellumark::gdiplus
