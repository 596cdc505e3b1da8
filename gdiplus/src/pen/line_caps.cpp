#include "pen/line_caps.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace vellumark::gdiplus {

namespace {

// Twice the signed area of a polygon.
qreal signedArea(const QPolygonF& polygon) {
    qreal sum = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[(i + 1) % polygon.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum;
}

// One closed figure through the points, always wound the same way.
QPainterPath figure(QPolygonF polygon) {
    if (signedArea(polygon) < 0) {
        std::reverse(polygon.begin(), polygon.end());
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

QPainterPath figure(std::initializer_list<QPointF> points) {
    return figure(QPolygonF(points));
}

QPainterPath disc(QPointF centre, qreal radius) {
    // A polygon keeps the winding under our control; 64 sides stay within
    // a fraction of a pixel of the circle for any cap a pen draws.
    constexpr int kSides = 64;
    QPolygonF polygon;
    for (int i = 0; i < kSides; ++i) {
        const qreal angle = 2 * std::numbers::pi * i / kSides;
        polygon << centre + radius * QPointF(std::cos(angle), std::sin(angle));
    }
    return figure(polygon);
}

} // namespace

QPainterPath lineCapShape(GpLineCap cap, QPointF end, QPointF outward, qreal width) {
    const qreal half = width / 2;
    const QPointF along = outward * half;
    const QPointF across(-along.y(), along.x());
    switch (cap) {
    case LineCapSquare:
        return figure({end + across, end + across + along, end - across + along, end - across});
    case LineCapRound:
        return disc(end, half);
    case LineCapTriangle:
        return figure({end + across, end + along, end - across});
    case LineCapSquareAnchor:
        return figure({end + 2 * (across + along), end + 2 * (along - across),
                       end - 2 * (across + along), end + 2 * (across - along)});
    case LineCapRoundAnchor:
        return disc(end, width);
    case LineCapDiamondAnchor:
        return figure({end + 2 * along, end + 2 * across, end - 2 * along, end - 2 * across});
    case LineCapArrowAnchor:
        // Tip one width out, base one width back and two widths across:
        // wide enough at the end point to cover the line's corners.
        return figure(
            {end + 2 * along, end - 2 * along + 2 * across, end - 2 * along - 2 * across});
    default:
        return {};
    }
}

GpLineCap lineCapForDashCap(GpDashCap cap) {
    switch (cap) {
    case DashCapRound:
        return LineCapRound;
    case DashCapTriangle:
        return LineCapTriangle;
    default:
        return LineCapFlat;
    }
}

} // namespace vellumark::gdiplus
