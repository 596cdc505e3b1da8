// World-space outlines of the published shapes, shared by paths (which
// store them) and surfaces (which draw them). Arcs and ellipses become
// Béziers through Qt; cardinal splines become Béziers here.
#pragma once

#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <span>
#include <vector>

namespace vellumark::gdiplus::geometry {

// GDI+ measures arc angles clockwise in a y-down space; Qt counter-clockwise.
QPainterPath arc(const QRectF& bounds, REAL startAngle, REAL sweepAngle);
QPainterPath pie(const QRectF& bounds, REAL startAngle, REAL sweepAngle);
QPainterPath ellipse(const QRectF& bounds);
QPainterPath rectangle(const QRectF& rect);
QPainterPath polyline(std::span<const QPointF> points);
QPainterPath polygon(std::span<const QPointF> points);
// Consecutive cubic Béziers: a start point, then three points each.
QPainterPath beziers(std::span<const QPointF> points);

// The Bézier control points of a cardinal spline through `points`: for n
// points, 3(n-1)+1 of them (closed: 3n+1, returning to the first point).
std::vector<QPointF> cardinalBeziers(std::span<const QPointF> points, REAL tension, bool closed);

// The open cardinal spline through the points, as Béziers; with `segments`,
// only segments [first, first + count) of it, tangents still taken from the
// neighbouring points.
QPainterPath curve(std::span<const QPointF> points, REAL tension);
QPainterPath curveSegments(std::span<const QPointF> points, REAL tension, std::size_t first,
                           std::size_t count);
QPainterPath closedCurve(std::span<const QPointF> points, REAL tension);

// Rectangles with no area are left out, as nothing of them is drawn.
QPainterPath rectangles(std::span<const QRectF> rects);

} // namespace vellumark::gdiplus::geometry
