#include "pen/stroke_outline.h"

#include "pen/dash_cutter.h"
#include "pen/line_caps.h"

#include <QLineF>
#include <QPainterPathStroker>
#include <iterator>
#include <optional>
#include <span>

namespace vellumark::gdiplus {

namespace {

// Lines to stroke and the caps to add to them.
struct StrokeParts {
    QPainterPath lines;
    QPainterPath caps;
};

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

// Each figure (subpath) of a path on its own.
std::vector<QPainterPath> figuresOf(const QPainterPath& path) {
    std::vector<QPainterPath> figures;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo() || figures.empty()) {
            figures.emplace_back(QPointF(e));
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            figures.back().cubicTo(QPointF(e), QPointF(path.elementAt(i + 1)),
                                   QPointF(path.elementAt(i + 2)));
            i += 2;
        } else {
            figures.back().lineTo(QPointF(e));
        }
    }
    return figures;
}

// The figure's points with Bézier control points, which give its tangents
// at the ends.
QPolygonF controlPolygon(const QPainterPath& figure) {
    QPolygonF points;
    for (int i = 0; i < figure.elementCount(); ++i) {
        points << QPointF(figure.elementAt(i));
    }
    return points;
}

// Qt's stroker, too, takes a figure that returns to its first point as
// closed.
bool isClosed(const QPolygonF& points) {
    return points.size() > 2 && points.front() == points.back();
}

// The unit direction leaving the line at points[0], away from the first
// point that differs from it; none when every point coincides.
template <typename Points> std::optional<QPointF> outwardAtFront(const Points& points) {
    for (auto it = std::next(points.begin()); it != points.end(); ++it) {
        const QLineF back(*it, *points.begin());
        if (back.length() > 0) {
            const QLineF unit = back.unitVector();
            return unit.p2() - unit.p1();
        }
    }
    return std::nullopt;
}

// Caps both ends of an open line given by its (control) points.
void capEnds(const QPolygonF& points, GpLineCap start, GpLineCap end, qreal width,
             StrokeParts& parts) {
    if (const std::optional<QPointF> out = outwardAtFront(points)) {
        parts.caps.addPath(lineCapShape(start, points.front(), *out, width));
    }
    const std::span<const QPointF> all(points.constData(), static_cast<std::size_t>(points.size()));
    const std::vector<QPointF> reversed(all.rbegin(), all.rend());
    if (const std::optional<QPointF> out = outwardAtFront(reversed)) {
        parts.caps.addPath(lineCapShape(end, points.back(), *out, width));
    }
}

QPainterPath strokeParts(const StrokeParts& parts, qreal width, const StrokeStyle& style) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(qtJoin(style.join));
    stroker.setMiterLimit(style.miterLimit);
    QPainterPath body = stroker.createStroke(parts.lines);
    if (parts.caps.isEmpty()) {
        return body;
    }
    QPainterPath caps = parts.caps;
    caps.setFillRule(Qt::WindingFill); // every cap is wound the same way
    return body.united(caps);
}

} // namespace

QPainterPath strokeOutline(const QPainterPath& centreLine, const StrokeStyle& style) {
    const qreal width = style.width;
    std::vector<qreal> pattern;
    for (qreal length : style.dashPattern) {
        pattern.push_back(length * width);
    }
    const GpLineCap dashCap = lineCapForDashCap(style.dashCap);

    StrokeParts centred;
    StrokeParts inset;
    QPainterPath insetArea;
    insetArea.setFillRule(centreLine.fillRule());
    std::vector<Dash> dashes;
    for (const QPainterPath& figure : figuresOf(centreLine)) {
        const QPolygonF points = controlPolygon(figure);
        const bool closed = isClosed(points);
        StrokeParts& parts = style.inset && closed ? inset : centred;
        if (&parts == &inset) {
            insetArea.addPath(figure);
        }
        if (pattern.empty()) {
            parts.lines.addPath(figure);
            if (!closed) {
                capEnds(points, style.startCap, style.endCap, width, parts);
            }
            continue;
        }
        const std::size_t first = dashes.size();
        const QList<QPolygonF> flattened = figure.toSubpathPolygons();
        if (flattened.isEmpty()) {
            continue;
        }
        if (!cutDashes(flattened.front(), pattern, style.dashOffset * width, dashes)) {
            // Too fine to see: the dashes run together into a solid line.
            StrokeStyle solid = style;
            solid.dashPattern.clear();
            return strokeOutline(centreLine, solid);
        }
        for (std::size_t i = first; i < dashes.size(); ++i) {
            const Dash& dash = dashes[i];
            QPainterPath line;
            line.addPolygon(dash.line);
            parts.lines.addPath(line);
            capEnds(dash.line, dash.startsFigure && !closed ? style.startCap : dashCap,
                    dash.endsFigure && !closed ? style.endCap : dashCap, width, parts);
        }
    }

    QPainterPath outline = strokeParts(centred, width, style);
    if (inset.lines.isEmpty()) {
        return outline;
    }
    const QPainterPath inside = strokeParts(inset, 2 * width, style).intersected(insetArea);
    return outline.isEmpty() ? inside : outline.united(inside);
}

} // namespace vellumark::gdiplus
