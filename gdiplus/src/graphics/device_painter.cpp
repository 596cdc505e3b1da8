#include "graphics/device_painter.h"

#include "graphics/raster_image.h"

#include <QPainter>

namespace vellumark::gdiplus {

namespace {

void applySettings(QPainter& painter, const RenderSettings& settings) {
    painter.setRenderHint(QPainter::Antialiasing, settings.antialiased());
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          settings.interpolationMode != InterpolationModeNearestNeighbor);
    painter.setCompositionMode(settings.compositingMode == CompositingModeSourceCopy
                                   ? QPainter::CompositionMode_Source
                                   : QPainter::CompositionMode_SourceOver);
}

} // namespace

// Runs `paint(QPainter&)` on the pixels in `bounds` (device pixels).
template <typename Paint>
Result<void> DevicePainter::paintArea(const QRectF& bounds, Paint&& paint) {
    // Bounds are cut to the raster (plus a margin for edge pixels) before
    // they become integers, so huge shapes cannot overflow them.
    const QRectF surface(-1, -1, raster_.width + 2, raster_.height + 2);
    QRectF touched = bounds.normalized() & surface;
    if (clip_) {
        touched &= clip_->boundingRect() & surface;
    }
    const QRect area =
        touched.toAlignedRect().adjusted(-1, -1, 1, 1) & QRect(0, 0, raster_.width, raster_.height);
    if (area.isEmpty()) {
        return success();
    }
    QImage native = wrapRaster(raster_);
    if (!native.isNull()) {
        QPainter painter(&native);
        painter.setClipRect(area);
        if (clip_) {
            painter.setClipPath(*clip_, Qt::IntersectClip);
        }
        applySettings(painter, settings_);
        paint(painter);
        return success();
    }
    Result<QImage> converted = readArgb(raster_, area);
    if (!converted) {
        return converted.error();
    }
    {
        QPainter painter(&*converted);
        painter.translate(-area.topLeft());
        if (clip_) {
            painter.setClipPath(*clip_);
        }
        applySettings(painter, settings_);
        paint(painter);
    }
    return writeArgb(raster_, *converted, area);
}

Result<void> DevicePainter::fill(const QPainterPath& shape, const DevicePaint& paint) {
    if (paint.extentRect && paint.extentRect->isEmpty()) {
        return success();
    }
    QPainterPath painted = shape;
    QRectF bounds = shape.boundingRect();
    if (paint.extentRect) {
        bounds &= QRectF(*paint.extentRect);
    } else if (paint.extent) {
        painted = shape.intersected(*paint.extent);
        bounds = painted.boundingRect();
    }
    return paintArea(bounds, [&](QPainter& painter) {
        if (paint.extentRect) {
            painter.setClipRect(*paint.extentRect, Qt::IntersectClip);
        }
        painter.fillPath(painted, paint.brush);
    });
}

Result<void> DevicePainter::clear(ARGB color) {
    const QRectF everything(0, 0, raster_.width, raster_.height);
    return paintArea(everything, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(everything, QColor::fromRgba(color));
    });
}

} // namespace vellumark::gdiplus
