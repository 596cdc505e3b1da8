// Qt images over rasters. Formats Qt paints natively are wrapped in place,
// sharing the raster's memory; the others are converted to and from 32-bit
// ARGB one rectangle at a time, so a draw converts only what it touches.
#pragma once

#include "core/result.h"
#include "graphics/raster_view.h"

#include <QImage>
#include <QRect>

namespace vellumark::gdiplus {

// A QImage sharing the raster's pixels, or a null image when Qt has no
// format with the raster's exact memory layout.
QImage wrapRaster(const RasterView& raster);

// The pixels of `area` (inside the raster) as straight 32-bit ARGB.
Result<QImage> readArgb(const RasterView& raster, const QRect& area);

// Stores `argb` (ARGB32, the size of `area`) back into the raster.
Result<void> writeArgb(const RasterView& raster, const QImage& argb, const QRect& area);

} // namespace vellumark::gdiplus
