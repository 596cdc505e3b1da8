// What a brush paints with, placed in device pixels: the one place that turns
// our brushes into Qt brushes.
#pragma once

#include "brush/brush.h"
#include "core/result.h"

#include <QBrush>
#include <QPainterPath>
#include <QRect>
#include <QTransform>
#include <optional>

namespace vellumark::gdiplus {

struct DevicePaint {
    QBrush brush;
    // Where the brush has anything to paint, when that is not everywhere (a
    // clamped texture paints its picture once and nothing around it).
    std::optional<QPainterPath> extent;
    // The same extent when it is a whole-pixel rectangle, which clips far
    // more cheaply than a path.
    std::optional<QRect> extentRect;
};

// `device` maps world coordinates to device pixels. NotImplemented for brush
// kinds without a painter of their own yet.
Result<DevicePaint> devicePaintFor(const Brush& brush, const QTransform& device);

} // namespace vellumark::gdiplus
