// A pen: the brush it paints with and the shape of its strokes (width and
// unit, dashes, caps, join, miter limit, alignment). outline() works out
// the stroke's width in the space it strokes in and leaves the shape to
// strokeOutline (stroke_outline.h).
#pragma once

#include "brush/brush.h"
#include "core/object.h"
#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <QTransform>
#include <memory>
#include <vector>

namespace vellumark::gdiplus {

class Pen final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Pen;

    Pen(std::unique_ptr<Brush> brush, REAL width, GpUnit unit)
        : brush_(std::move(brush)), width_(width), unit_(unit) {}
    Pen(const Pen& other);

    ObjectKind kind() const override { return kKind; }
    std::unique_ptr<Pen> clone() const { return std::make_unique<Pen>(*this); }

    const Brush& brush() const { return *brush_; }
    void setBrush(std::unique_ptr<Brush> brush) { brush_ = std::move(brush); }

    REAL penWidth() const { return width_; }
    void setWidth(REAL width) { width_ = width; }
    GpUnit unit() const { return unit_; }
    void setUnit(GpUnit unit) { unit_ = unit; }

    GpDashStyle dashStyle() const { return dashStyle_; }
    // Picks a published pattern; custom keeps the current dash array.
    void setDashStyle(GpDashStyle style);
    // Dash and gap lengths in pen widths, alternating; sets the style to
    // custom. The lengths must be positive.
    void setDashPattern(std::vector<REAL> pattern);
    const std::vector<REAL>& dashPattern() const { return dashPattern_; }
    REAL dashOffset() const { return dashOffset_; }
    void setDashOffset(REAL offset) { dashOffset_ = offset; }

    GpLineCap startCap = LineCapFlat;
    GpLineCap endCap = LineCapFlat;
    GpDashCap dashCap = DashCapFlat;
    GpLineJoin lineJoin = LineJoinMiter;
    REAL miterLimit = 10.0F;
    GpPenAlignment alignment = PenAlignmentCenter;

    // The area a stroke of `world` covers, in device pixels. `device` maps
    // world coordinates to pixels; `pixelsPerUnit` converts the pen's unit
    // when it is not the world unit. Strokes are never thinner than one
    // pixel, so a thin pen still draws a connected line.
    QPainterPath outline(const QPainterPath& world, const QTransform& device,
                         qreal pixelsPerUnit) const;

private:
    std::unique_ptr<Brush> brush_;
    REAL width_;
    GpUnit unit_;
    GpDashStyle dashStyle_ = DashStyleSolid;
    std::vector<REAL> dashPattern_;
    REAL dashOffset_ = 0;
};

} // namespace vellumark::gdiplus
