// Flat functions of paths.
#include "core/api_call.h"
#include "matrix/matrix.h"
#include "path/path.h"
#include "path/point_array.h"
#include "path/shape_geometry.h"
#include "pen/pen.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

using vellumark::gdiplus::Error;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Matrix;
using vellumark::gdiplus::Path;
using vellumark::gdiplus::Pen;
using vellumark::gdiplus::pointArray;
using vellumark::gdiplus::rectArray;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
namespace geometry = vellumark::gdiplus::geometry;
using namespace vellumark::gdiplus::api;

namespace {

constexpr REAL kDefaultTension = 0.5F;

Result<void> requireFillMode(GpFillMode mode) {
    return requireInRange(mode, FillModeAlternate, FillModeWinding);
}

// Appends the outline `build()` makes once `checks` pass. Open shapes join
// the open figure; closed ones stand alone.
template <typename Build>
GpStatus addToPath(GpPath path, Result<void> checks, bool closed, Build&& build) {
    return onObject<Path>(path, [&](Path& target) -> Result<void> {
        if (!checks) {
            return checks;
        }
        target.append(build(), !closed, closed);
        return success();
    });
}

// The same for shapes made from a point array.
template <typename Point, typename Build>
GpStatus addPoints(GpPath path, const Point* points, INT count, INT minimum, Result<void> more,
                   bool closed, Build&& build) {
    return onObject<Path>(path, [&](Path& target) -> Result<void> {
        Result<std::vector<QPointF>> checked = pointArray(points, count, minimum);
        if (!checked) {
            return checked.error();
        }
        if (!more) {
            return more;
        }
        target.append(build(std::span<const QPointF>(*checked)), !closed, closed);
        return success();
    });
}

template <typename Point> GpStatus addLines(GpPath path, const Point* points, INT count) {
    return addPoints(path, points, count, 1, success(), false,
                     [](std::span<const QPointF> p) { return geometry::polyline(p); });
}

template <typename Point> GpStatus addBeziers(GpPath path, const Point* points, INT count) {
    const Result<void> shape = count % 3 == 1 ? success() : invalidArgument("not 3n + 1 points");
    return addPoints(path, points, count, 4, shape, false,
                     [](std::span<const QPointF> p) { return geometry::beziers(p); });
}

template <typename Point>
GpStatus addCurve(GpPath path, const Point* points, INT count, REAL tension) {
    return addPoints(path, points, count, 2, requireFinite(tension), false,
                     [&](std::span<const QPointF> p) { return geometry::curve(p, tension); });
}

template <typename Point>
GpStatus addClosedCurve(GpPath path, const Point* points, INT count, REAL tension) {
    return addPoints(path, points, count, 3, requireFinite(tension), true,
                     [&](std::span<const QPointF> p) { return geometry::closedCurve(p, tension); });
}

template <typename Point> GpStatus addPolygon(GpPath path, const Point* points, INT count) {
    return addPoints(path, points, count, 3, success(), true,
                     [](std::span<const QPointF> p) { return geometry::polygon(p); });
}

template <typename Rect> GpStatus addRectangles(GpPath path, const Rect* rects, INT count) {
    return onObject<Path>(path, [&](Path& target) -> Result<void> {
        Result<std::vector<QRectF>> checked = rectArray(rects, count);
        if (!checked) {
            return checked.error();
        }
        target.append(geometry::rectangles(*checked), false, true);
        return success();
    });
}

template <typename Point> GpStatus getPoints(GpPath path, Point* points, INT count) {
    return onObject<Path>(path, [&](Path& source) -> Result<void> {
        const std::vector<GpPointF>& stored = source.points();
        if (points == nullptr || count < 0 || static_cast<std::size_t>(count) < stored.size()) {
            return invalidArgument("point buffer too small");
        }
        for (std::size_t i = 0; i < stored.size(); ++i) {
            if constexpr (std::is_same_v<Point, GpPoint>) {
                points[i] = {static_cast<INT>(std::lround(stored[i].X)),
                             static_cast<INT>(std::lround(stored[i].Y))};
            } else {
                points[i] = stored[i];
            }
        }
        return success();
    });
}

// The bounds of the path's points after `matrix` (0 for none).
GpStatus worldBounds(GpPath path, GpMatrix matrix, GpPen pen, QRectF& bounds) {
    return onObject<Path>(path, [&](Path& source, HandleTable& objects) -> Result<void> {
        QTransform transform;
        if (matrix != 0) {
            Result<Matrix*> found = objects.find<Matrix>(matrix);
            if (!found) {
                return found.error();
            }
            transform = (*found)->transform();
        }
        if (pen != 0) {
            if (Result<Pen*> found = objects.find<Pen>(pen); !found) {
                return found.error();
            }
        }
        bounds = transform.map(source.toPainterPath()).controlPointRect();
        return success();
    });
}

} // namespace

extern "C" {

GpStatus GdipCreatePath(GpFillMode brushMode, GpPath* path) {
    clearOutput(path);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requirePointer(path), requireFillMode(brushMode)}); !checked) {
            return checked;
        }
        return publish(objects, std::make_unique<Path>(brushMode), path);
    });
}

GpStatus GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count, GpFillMode fillMode,
                         GpPath* path) {
    clearOutput(path);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requirePointer(path), requirePointer(points),
                                  requirePointer(types), requireFillMode(fillMode)});
            !checked) {
            return checked;
        }
        if (count < 0) {
            return invalidArgument("negative count");
        }
        const auto n = static_cast<std::size_t>(count);
        std::unique_ptr<Path> made =
            Path::fromArrays(std::span(points, n), std::span(types, n), fillMode);
        if (!made) {
            return invalidArgument("point types do not form figures");
        }
        return publish(objects, std::move(made), path);
    });
}

GpStatus GdipClonePath(GpPath path, GpPath* clonePath) {
    clearOutput(clonePath);
    return onObject<Path>(path, [&](Path& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(clonePath); !checked) {
            return checked;
        }
        return publish(objects, source.clone(), clonePath);
    });
}

GpStatus GdipDeletePath(GpPath path) {
    return guarded([&](HandleTable& objects) { return objects.erase(path, Path::kKind); });
}

GpStatus GdipResetPath(GpPath path) {
    return onObject<Path>(path, [](Path& target) {
        target.reset();
        return success();
    });
}

GpStatus GdipGetPointCount(GpPath path, INT* count) {
    return queryObject<Path>(path, count,
                             [](const Path& p) { return static_cast<INT>(p.points().size()); });
}

GpStatus GdipGetPathTypes(GpPath path, BYTE* types, INT count) {
    return onObject<Path>(path, [&](Path& source) -> Result<void> {
        if (types == nullptr || count < 0 ||
            static_cast<std::size_t>(count) < source.types().size()) {
            return invalidArgument("type buffer too small");
        }
        std::copy(source.types().begin(), source.types().end(), types);
        return success();
    });
}

GpStatus GdipGetPathPoints(GpPath path, GpPointF* points, INT count) {
    return getPoints(path, points, count);
}

GpStatus GdipGetPathPointsI(GpPath path, GpPoint* points, INT count) {
    return getPoints(path, points, count);
}

GpStatus GdipGetPathFillMode(GpPath path, GpFillMode* fillmode) {
    return queryObject<Path>(path, fillmode, [](const Path& p) { return p.fillMode(); });
}

GpStatus GdipSetPathFillMode(GpPath path, GpFillMode fillmode) {
    return onObject<Path>(path, [&](Path& target) -> Result<void> {
        if (auto checked = requireFillMode(fillmode); !checked) {
            return checked;
        }
        target.setFillMode(fillmode);
        return success();
    });
}

GpStatus GdipStartPathFigure(GpPath path) {
    return onObject<Path>(path, [](Path& target) {
        target.startFigure();
        return success();
    });
}

GpStatus GdipClosePathFigure(GpPath path) {
    return onObject<Path>(path, [](Path& target) {
        target.closeFigure();
        return success();
    });
}

GpStatus GdipClosePathFigures(GpPath path) {
    return onObject<Path>(path, [](Path& target) {
        target.closeAllFigures();
        return success();
    });
}

GpStatus GdipAddPathLine(GpPath path, REAL x1, REAL y1, REAL x2, REAL y2) {
    const GpPointF points[2] = {{x1, y1}, {x2, y2}};
    return addLines(path, points, 2);
}

GpStatus GdipAddPathLineI(GpPath path, INT x1, INT y1, INT x2, INT y2) {
    const GpPoint points[2] = {{x1, y1}, {x2, y2}};
    return addLines(path, points, 2);
}

GpStatus GdipAddPathLine2(GpPath path, const GpPointF* points, INT count) {
    return addLines(path, points, count);
}

GpStatus GdipAddPathLine2I(GpPath path, const GpPoint* points, INT count) {
    return addLines(path, points, count);
}

GpStatus GdipAddPathArc(GpPath path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle) {
    return addToPath(path, requireFinite(x, y, width, height, startAngle, sweepAngle), false, [&] {
        return geometry::arc(QRectF(x, y, width, height), startAngle, sweepAngle);
    });
}

GpStatus GdipAddPathArcI(GpPath path, INT x, INT y, INT width, INT height, REAL startAngle,
                         REAL sweepAngle) {
    return GdipAddPathArc(path, static_cast<REAL>(x), static_cast<REAL>(y),
                          static_cast<REAL>(width), static_cast<REAL>(height), startAngle,
                          sweepAngle);
}

GpStatus GdipAddPathBezier(GpPath path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                           REAL x4, REAL y4) {
    const GpPointF points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    return addBeziers(path, points, 4);
}

GpStatus GdipAddPathBezierI(GpPath path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4,
                            INT y4) {
    const GpPoint points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    return addBeziers(path, points, 4);
}

GpStatus GdipAddPathBeziers(GpPath path, const GpPointF* points, INT count) {
    return addBeziers(path, points, count);
}

GpStatus GdipAddPathBeziersI(GpPath path, const GpPoint* points, INT count) {
    return addBeziers(path, points, count);
}

GpStatus GdipAddPathCurve(GpPath path, const GpPointF* points, INT count) {
    return addCurve(path, points, count, kDefaultTension);
}

GpStatus GdipAddPathCurveI(GpPath path, const GpPoint* points, INT count) {
    return addCurve(path, points, count, kDefaultTension);
}

GpStatus GdipAddPathCurve2(GpPath path, const GpPointF* points, INT count, REAL tension) {
    return addCurve(path, points, count, tension);
}

GpStatus GdipAddPathCurve2I(GpPath path, const GpPoint* points, INT count, REAL tension) {
    return addCurve(path, points, count, tension);
}

GpStatus GdipAddPathClosedCurve(GpPath path, const GpPointF* points, INT count) {
    return addClosedCurve(path, points, count, kDefaultTension);
}

GpStatus GdipAddPathClosedCurveI(GpPath path, const GpPoint* points, INT count) {
    return addClosedCurve(path, points, count, kDefaultTension);
}

GpStatus GdipAddPathClosedCurve2(GpPath path, const GpPointF* points, INT count, REAL tension) {
    return addClosedCurve(path, points, count, tension);
}

GpStatus GdipAddPathClosedCurve2I(GpPath path, const GpPoint* points, INT count, REAL tension) {
    return addClosedCurve(path, points, count, tension);
}

GpStatus GdipAddPathRectangle(GpPath path, REAL x, REAL y, REAL width, REAL height) {
    const GpRectF rect{x, y, width, height};
    return addRectangles(path, &rect, 1);
}

GpStatus GdipAddPathRectangleI(GpPath path, INT x, INT y, INT width, INT height) {
    const GpRect rect{x, y, width, height};
    return addRectangles(path, &rect, 1);
}

GpStatus GdipAddPathRectangles(GpPath path, const GpRectF* rects, INT count) {
    return addRectangles(path, rects, count);
}

GpStatus GdipAddPathRectanglesI(GpPath path, const GpRect* rects, INT count) {
    return addRectangles(path, rects, count);
}

GpStatus GdipAddPathEllipse(GpPath path, REAL x, REAL y, REAL width, REAL height) {
    return addToPath(path, requireFinite(x, y, width, height), true,
                     [&] { return geometry::ellipse(QRectF(x, y, width, height)); });
}

GpStatus GdipAddPathEllipseI(GpPath path, INT x, INT y, INT width, INT height) {
    return GdipAddPathEllipse(path, static_cast<REAL>(x), static_cast<REAL>(y),
                              static_cast<REAL>(width), static_cast<REAL>(height));
}

GpStatus GdipAddPathPie(GpPath path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle) {
    return addToPath(path, requireFinite(x, y, width, height, startAngle, sweepAngle), true, [&] {
        return geometry::pie(QRectF(x, y, width, height), startAngle, sweepAngle);
    });
}

GpStatus GdipAddPathPieI(GpPath path, INT x, INT y, INT width, INT height, REAL startAngle,
                         REAL sweepAngle) {
    return GdipAddPathPie(path, static_cast<REAL>(x), static_cast<REAL>(y),
                          static_cast<REAL>(width), static_cast<REAL>(height), startAngle,
                          sweepAngle);
}

GpStatus GdipAddPathPolygon(GpPath path, const GpPointF* points, INT count) {
    return addPolygon(path, points, count);
}

GpStatus GdipAddPathPolygonI(GpPath path, const GpPoint* points, INT count) {
    return addPolygon(path, points, count);
}

GpStatus GdipAddPathPath(GpPath path, GpPath addingPath, BOOL connect) {
    return onObject<Path>(path, [&](Path& target, HandleTable& objects) -> Result<void> {
        Result<Path*> adding = objects.find<Path>(addingPath);
        if (!adding) {
            return adding.error();
        }
        // Copied first: the path may be added to itself.
        const Path copy(**adding);
        target.appendFigures(copy, connect != 0);
        return success();
    });
}

GpStatus GdipGetPathWorldBounds(GpPath path, GpRectF* bounds, GpMatrix matrix, GpPen pen) {
    if (bounds == nullptr) {
        return guarded([](HandleTable&) { return Result<void>(invalidArgument("null bounds")); });
    }
    QRectF found;
    const GpStatus status = worldBounds(path, matrix, pen, found);
    if (status == Ok) {
        *bounds = {static_cast<REAL>(found.x()), static_cast<REAL>(found.y()),
                   static_cast<REAL>(found.width()), static_cast<REAL>(found.height())};
    }
    return status;
}

GpStatus GdipGetPathWorldBoundsI(GpPath path, GpRect* bounds, GpMatrix matrix, GpPen pen) {
    if (bounds == nullptr) {
        return guarded([](HandleTable&) { return Result<void>(invalidArgument("null bounds")); });
    }
    QRectF found;
    const GpStatus status = worldBounds(path, matrix, pen, found);
    if (status == Ok) {
        const QRect whole = found.toAlignedRect();
        *bounds = {whole.x(), whole.y(), whole.width(), whole.height()};
    }
    return status;
}

} // extern "C"
