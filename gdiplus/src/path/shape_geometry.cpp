#include "path/shape_geometry.h"

#include <algorithm>

namespace vellumark::gdiplus::geometry {

QPainterPath arc(const QRectF& bounds, REAL startAngle, REAL sweepAngle) {
    QPainterPath path;
    path.arcMoveTo(bounds, -static_cast<qreal>(startAngle));
    path.arcTo(bounds, -static_cast<qreal>(startAngle), -static_cast<qreal>(sweepAngle));
    return path;
}

QPainterPath pie(const QRectF& bounds, REAL startAngle, REAL sweepAngle) {
    QPainterPath path;
    path.moveTo(bounds.center());
    path.arcTo(bounds, -static_cast<qreal>(startAngle), -static_cast<qreal>(sweepAngle));
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(const QRectF& bounds) {
    QPainterPath path;
    path.addEllipse(bounds);
    return path;
}

QPainterPath rectangle(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    return path;
}

QPainterPath polyline(std::span<const QPointF> points) {
    QPainterPath path;
    if (points.empty()) {
        return path;
    }
    path.moveTo(points.front());
    for (const QPointF& point : points.subspan(1)) {
        path.lineTo(point);
    }
    return path;
}

QPainterPath polygon(std::span<const QPointF> points) {
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

QPainterPath beziers(std::span<const QPointF> points) {
    QPainterPath path;
    if (points.empty()) {
        return path;
    }
    path.moveTo(points.front());
    for (std::size_t i = 1; i + 2 < points.size(); i += 3) {
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    }
    return path;
}

std::vector<QPointF> cardinalBeziers(std::span<const QPointF> points, REAL tension, bool closed) {
    const std::size_t n = points.size();
    std::vector<QPointF> out;
    if (n == 0) {
        return out;
    }
    // The tangent at a point is tension times the chord of its neighbours;
    // a Bézier's inner control points sit a third of the tangent away.
    const qreal factor = static_cast<qreal>(tension) / 3.0;
    auto at = [&](std::ptrdiff_t i) -> QPointF {
        const auto count = static_cast<std::ptrdiff_t>(n);
        if (closed) {
            return points[static_cast<std::size_t>(((i % count) + count) % count)];
        }
        return points[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(i, 0, count - 1))];
    };
    const std::size_t segments = closed ? n : n - 1;
    out.push_back(points[0]);
    for (std::size_t s = 0; s < segments; ++s) {
        const auto i = static_cast<std::ptrdiff_t>(s);
        out.push_back(at(i) + factor * (at(i + 1) - at(i - 1)));
        out.push_back(at(i + 1) - factor * (at(i + 2) - at(i)));
        out.push_back(at(i + 1));
    }
    return out;
}

QPainterPath curve(std::span<const QPointF> points, REAL tension) {
    const std::vector<QPointF> controls = cardinalBeziers(points, tension, false);
    return beziers(controls);
}

QPainterPath curveSegments(std::span<const QPointF> points, REAL tension, std::size_t first,
                           std::size_t count) {
    const std::vector<QPointF> controls = cardinalBeziers(points, tension, false);
    return beziers(std::span(controls).subspan(3 * first, 3 * count + 1));
}

QPainterPath closedCurve(std::span<const QPointF> points, REAL tension) {
    const std::vector<QPointF> controls = cardinalBeziers(points, tension, true);
    QPainterPath path = beziers(controls);
    path.closeSubpath();
    return path;
}

QPainterPath rectangles(std::span<const QRectF> rects) {
    QPainterPath path;
    for (const QRectF& rect : rects) {
        if (rect.width() > 0 && rect.height() > 0) {
            path.addRect(rect);
        }
    }
    return path;
}

} // namespace vellumark::gdiplus::geometry
