#include "pen/pen.h"

#include <QPainterPathStroker>
#include <cmath>

namespace vellumark::gdiplus {

namespace {

Qt::PenCapStyle qtCap(GpLineCap cap) {
    switch (cap) {
    case LineCapSquare:
    case LineCapSquareAnchor:
        return Qt::SquareCap;
    case LineCapRound:
    case LineCapRoundAnchor:
        return Qt::RoundCap;
    default:
        return Qt::FlatCap;
    }
}

Qt::PenJoinStyle qtJoin(GpLineJoin join) {
    switch (join) {
    case LineJoinBevel:
        return Qt::BevelJoin;
    case LineJoinRound:
        return Qt::RoundJoin;
    case LineJoinMiterClipped:
        return Qt::MiterJoin; // Qt clips the miter at the limit
    default:
        return Qt::SvgMiterJoin; // bevels beyond the limit, as published for miter
    }
}

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
    QPainterPathStroker stroker;
    stroker.setCapStyle(qtCap(startCap));
    stroker.setJoinStyle(qtJoin(lineJoin));
    stroker.setMiterLimit(static_cast<qreal>(miterLimit));
    if (dashStyle_ != DashStyleSolid && !dashPattern_.empty()) {
        QList<qreal> pattern(dashPattern_.begin(), dashPattern_.end());
        // Qt measures a flat-capped pattern from its dashes' ends alone.
        stroker.setDashPattern(pattern);
        stroker.setDashOffset(static_cast<qreal>(dashOffset_));
    }
    // A world-unit pen scales with the world transform, so it strokes in
    // world space; any other unit is a fixed size on the device.
    const qreal scale = std::sqrt(std::abs(device.determinant()));
    const bool inWorld = unit_ == UnitWorld;
    const auto width = static_cast<qreal>(width_);
    const qreal deviceWidth = inWorld ? width * scale : width * pixelsPerUnit;
    if (inWorld && deviceWidth >= 1.0) {
        stroker.setWidth(width);
        return device.map(stroker.createStroke(world));
    }
    stroker.setWidth(std::max<qreal>(deviceWidth, 1.0));
    return stroker.createStroke(device.map(world));
}

} // namespace vellumark::gdiplus
