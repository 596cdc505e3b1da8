#include "graphics/device_paint.h"

#include "brush/solid_fill.h"
#include "brush/texture_fill.h"

#include <QColor>

namespace vellumark::gdiplus {

namespace {

Result<DevicePaint> texturePaint(const TextureFill& texture, const QTransform& device) {
    const QImage tile = texture.tile();
    if (tile.isNull()) {
        return Error{OutOfMemory, "no memory for the texture's tile"};
    }
    const QTransform placement = texture.transform() * device;
    DevicePaint paint;
    if (!placement.isInvertible()) {
        // The picture collapses to a line or a point: nothing to paint.
        paint.extentRect = QRect();
        return paint;
    }
    paint.brush = QBrush(tile);
    paint.brush.setTransform(placement);
    if (texture.wrapMode() == WrapModeClamp) {
        const QRectF picture(QPointF(0, 0), QSizeF(texture.picture().size()));
        QPainterPath outline;
        outline.addRect(picture);
        paint.extent = placement.map(outline);
        const QRectF placed = placement.mapRect(picture);
        if (placement.type() <= QTransform::TxScale && placed == QRectF(placed.toRect())) {
            paint.extentRect = placed.toRect();
        }
    }
    return paint;
}

DevicePaint solidPaint(ARGB color) {
    DevicePaint paint;
    paint.brush = QBrush(QColor::fromRgba(color));
    return paint;
}

} // namespace

Result<DevicePaint> devicePaintFor(const Brush& brush, const QTransform& device) {
    switch (brush.kind()) {
    case ObjectKind::SolidFill:
        return solidPaint(static_cast<const SolidFill&>(brush).color());
    case ObjectKind::TextureFill:
        return texturePaint(static_cast<const TextureFill&>(brush), device);
    default:
        return Error{NotImplemented, "brush kind cannot paint yet"};
    }
}

} // namespace vellumark::gdiplus
