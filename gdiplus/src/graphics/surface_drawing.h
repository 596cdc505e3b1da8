// Drawing through a surface: maps world geometry to device pixels, puts it
// on the pixel-centre grid of the surface's pixel offset mode and hands it
// to the device painter together with the brush's paint.
#pragma once

#include "brush/brush.h"
#include "core/handle_table.h"
#include "core/result.h"
#include "graphics/graphics.h"
#include "graphics/raster_view.h"
#include "pen/pen.h"

#include <QPainterPath>

namespace vellumark::gdiplus {

class SurfaceDrawing {
public:
    // InvalidParameter when the surface's bitmap has been disposed of.
    static Result<SurfaceDrawing> open(const Graphics& graphics, const HandleTable& objects);

    // Fills a world-space shape.
    Result<void> fill(const QPainterPath& world, const Brush& brush) const;
    // Fills a shape already in device pixels (a stroke outline), with the
    // brush still placed by the world transform.
    Result<void> fillDevice(const QPainterPath& device, const Brush& brush) const;
    // Strokes a world-space outline with the pen.
    Result<void> stroke(const QPainterPath& world, const Pen& pen) const;
    Result<void> clear(ARGB color) const;

private:
    SurfaceDrawing(const Graphics& graphics, const RasterView& raster)
        : graphics_(&graphics), raster_(raster) {}

    const Graphics* graphics_;
    RasterView raster_;
};

} // namespace vellumark::gdiplus
