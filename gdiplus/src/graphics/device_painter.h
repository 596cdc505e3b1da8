// Paints device-space shapes into a raster with QPainter. Formats Qt paints
// natively are painted in place; for the others the touched rectangle is
// converted to ARGB, painted and converted back.
#pragma once

#include "core/result.h"
#include "graphics/device_paint.h"
#include "graphics/raster_view.h"
#include "graphics/render_settings.h"

#include <QPainterPath>
#include <optional>

namespace vellumark::gdiplus {

class DevicePainter {
public:
    // `clip` (device pixels, none for no clip) limits everything painted.
    DevicePainter(const RasterView& raster, const RenderSettings& settings,
                  const std::optional<QPainterPath>& clip)
        : raster_(raster), settings_(settings), clip_(clip) {}

    // Fills the shape; a pixel is painted when its centre is inside (or by
    // coverage when anti-aliasing).
    Result<void> fill(const QPainterPath& shape, const DevicePaint& paint);
    // Sets every pixel inside the clip to `color`, compositing ignored.
    Result<void> clear(ARGB color);

private:
    template <typename Paint> Result<void> paintArea(const QRectF& bounds, Paint&& paint);

    RasterView raster_;
    const RenderSettings& settings_;
    const std::optional<QPainterPath>& clip_;
};

} // namespace vellumark::gdiplus
