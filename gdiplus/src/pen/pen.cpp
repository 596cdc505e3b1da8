#include "pen/pen.h"

#include "pen/stroke_outline.h"

#include <algorithm>
#include <cmath>

namespace vellumark::gdiplus {

namespace {

// The published dash patterns, in pen widths.
std::vector<REAL> publishedPattern(GpDashStyle style) {
    switch (style) {
    case DashStyleDash:
        return {3, 1};
    case DashStyleDot:
        return {1, 1};
    case DashStyleDashDot:
        return {3, 1, 1, 1};
    case DashStyleDashDotDot:
        return {3, 1, 1, 1, 1, 1};
    default:
        return {};
    }
}

} // namespace

Pen::Pen(const Pen& other)
    : Object(other), startCap(other.startCap), endCap(other.endCap), dashCap(other.dashCap),
      lineJoin(other.lineJoin), miterLimit(other.miterLimit), alignment(other.alignment),
      brush_(other.brush_->clone()), width_(other.width_), unit_(other.unit_),
      dashStyle_(other.dashStyle_), dashPattern_(other.dashPattern_),
      dashOffset_(other.dashOffset_) {}

void Pen::setDashStyle(GpDashStyle style) {
    dashStyle_ = style;
    if (style != DashStyleCustom) {
        dashPattern_ = publishedPattern(style);
    }
}

void Pen::setDashPattern(std::vector<REAL> pattern) {
    dashPattern_ = std::move(pattern);
    dashStyle_ = DashStyleCustom;
}

QPainterPath Pen::outline(const QPainterPath& world, const QTransform& device,
                          qreal pixelsPerUnit) const {
    StrokeStyle style;
    style.startCap = startCap;
    style.endCap = endCap;
    style.dashCap = dashCap;
    style.join = lineJoin;
    style.miterLimit = static_cast<qreal>(miterLimit);
    if (dashStyle_ != DashStyleSolid) {
        style.dashPattern.assign(dashPattern_.begin(), dashPattern_.end());
        style.dashOffset = static_cast<qreal>(dashOffset_);
    }
    style.inset = alignment == PenAlignmentInset;
    // A world-unit pen scales with the world transform, so it strokes in
    // world space; any other unit is a fixed size on the device.
    const qreal scale = std::sqrt(std::abs(device.determinant()));
    const bool inWorld = unit_ == UnitWorld;
    const auto width = static_cast<qreal>(width_);
    const qreal deviceWidth = inWorld ? width * scale : width * pixelsPerUnit;
    if (inWorld && deviceWidth >= 1.0) {
        style.width = width;
        return device.map(strokeOutline(world, style));
    }
    style.width = std::max<qreal>(deviceWidth, 1.0);
    return strokeOutline(device.map(world), style);
}

} // namespace vellumark::gdiplus
