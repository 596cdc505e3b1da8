// Flat functions that fill and outline shapes on a surface. Every one checks
// the surface, then the brush or pen, then its numbers, builds the shape in
// world coordinates and hands it to the surface.
#include "brush/brush.h"
#include "core/api_call.h"
#include "graphics/graphics.h"
#include "graphics/surface_drawing.h"
#include "path/path.h"
#include "path/point_array.h"
#include "path/shape_geometry.h"
#include "pen/pen.h"
#include "region/region.h"

#include <QPainterPath>
#include <span>
#include <vector>

using vellumark::gdiplus::Brush;
using vellumark::gdiplus::Graphics;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Path;
using vellumark::gdiplus::Pen;
using vellumark::gdiplus::pointArray;
using vellumark::gdiplus::rectArray;
using vellumark::gdiplus::Region;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using vellumark::gdiplus::SurfaceDrawing;
namespace geometry = vellumark::gdiplus::geometry;
using namespace vellumark::gdiplus::api;

namespace {

constexpr REAL kDefaultTension = 0.5F;

using Points = std::span<const QPointF>;

// Runs `draw(drawing, tool)` once the surface, the tool (a brush or a pen)
// and `checks` have passed. `build` makes the world-space shape and may
// itself fail with a Result.
template <typename Tool, typename Build, typename Draw>
GpStatus onSurface(GpGraphics graphics, GpHandle tool, Build&& build, Draw&& draw) {
    return onObject<Graphics>(graphics, [&](Graphics& surface, HandleTable& objects) {
        Result<Tool*> found = objects.find<Tool>(tool);
        if (!found) {
            return Result<void>(found.error());
        }
        Result<QPainterPath> shape = build(objects);
        if (!shape) {
            return Result<void>(shape.error());
        }
        Result<SurfaceDrawing> drawing = SurfaceDrawing::open(surface, objects);
        if (!drawing) {
            return Result<void>(drawing.error());
        }
        return draw(*drawing, **found, *shape);
    });
}

template <typename Build> GpStatus fill(GpGraphics graphics, GpBrush brush, Build&& build) {
    return onSurface<Brush>(graphics, brush, build,
                            [](const SurfaceDrawing& d, const Brush& b, const QPainterPath& s) {
                                return d.fill(s, b);
                            });
}

template <typename Build> GpStatus stroke(GpGraphics graphics, GpPen pen, Build&& build) {
    return onSurface<Pen>(graphics, pen, build,
                          [](const SurfaceDrawing& d, const Pen& p, const QPainterPath& s) {
                              return d.stroke(s, p);
                          });
}

// A shape from fixed numbers, which must be finite.
template <typename... Reals> auto fixedShape(QPainterPath shape, Reals... numbers) {
    return [shape = std::move(shape),
            checked = requireFinite(numbers...)](HandleTable&) -> Result<QPainterPath> {
        if (!checked) {
            return checked.error();
        }
        return shape;
    };
}

// A shape from a point array of at least `minimum` points; `more` checks
// any further numbers.
template <typename Point, typename Make>
auto pointShape(const Point* points, INT count, INT minimum, Result<void> more, Make&& make) {
    return [=](HandleTable&) -> Result<QPainterPath> {
        Result<std::vector<QPointF>> checked = pointArray(points, count, minimum);
        if (!checked) {
            return checked.error();
        }
        if (!more) {
            return more.error();
        }
        return make(Points(*checked));
    };
}

template <typename Rect> auto rectShape(const Rect* rects, INT count) {
    return [=](HandleTable&) -> Result<QPainterPath> {
        Result<std::vector<QRectF>> checked = rectArray(rects, count);
        if (!checked) {
            return checked.error();
        }
        return geometry::rectangles(*checked);
    };
}

auto pathShape(GpPath path) {
    return [=](HandleTable& objects) -> Result<QPainterPath> {
        Result<Path*> found = objects.find<Path>(path);
        if (!found) {
            return found.error();
        }
        return (*found)->toPainterPath();
    };
}

auto regionShape(GpRegion region) {
    return [=](HandleTable& objects) -> Result<QPainterPath> {
        Result<Region*> found = objects.find<Region>(region);
        if (!found) {
            return found.error();
        }
        return (*found)->area();
    };
}

Result<void> fillModeCheck(GpFillMode mode) {
    return requireInRange(mode, FillModeAlternate, FillModeWinding);
}

QPainterPath withFillMode(QPainterPath shape, GpFillMode mode) {
    shape.setFillRule(mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    return shape;
}

QRectF box(REAL x, REAL y, REAL width, REAL height) {
    return {x, y, width, height};
}

QRectF box(INT x, INT y, INT width, INT height) {
    return {static_cast<qreal>(x), static_cast<qreal>(y), static_cast<qreal>(width),
            static_cast<qreal>(height)};
}

auto lineShape = [](Points p) { return geometry::polyline(p); };
auto bezierShape = [](Points p) { return geometry::beziers(p); };
auto polygonShape = [](Points p) { return geometry::polygon(p); };

Result<void> bezierCount(INT count) {
    return count % 3 == 1 ? success() : invalidArgument("Béziers need 3n + 1 points");
}

template <typename Point> auto curveShape(const Point* points, INT count, REAL tension) {
    return pointShape(points, count, 2, requireFinite(tension),
                      [tension](Points p) { return geometry::curve(p, tension); });
}

template <typename Point>
auto closedCurveShape(const Point* points, INT count, REAL tension, GpFillMode mode) {
    return pointShape(points, count, 3, allOf({requireFinite(tension), fillModeCheck(mode)}),
                      [tension, mode](Points p) {
                          return withFillMode(geometry::closedCurve(p, tension), mode);
                      });
}

template <typename Point>
auto curveSegmentsShape(const Point* points, INT count, INT offset, INT segments, REAL tension) {
    const bool inRange = offset >= 0 && segments > 0 && offset < count && segments < count - offset;
    return pointShape(points, count, 2,
                      allOf({requireFinite(tension),
                             inRange ? success() : invalidArgument("segments out of range")}),
                      [=](Points p) {
                          return geometry::curveSegments(p, tension,
                                                         static_cast<std::size_t>(offset),
                                                         static_cast<std::size_t>(segments));
                      });
}

} // namespace

extern "C" {

// ---- Fills ----

GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                           REAL height) {
    const GpRectF rect{x, y, width, height};
    return fill(graphics, brush, rectShape(&rect, 1));
}

GpStatus GdipFillRectangleI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width,
                            INT height) {
    const GpRect rect{x, y, width, height};
    return fill(graphics, brush, rectShape(&rect, 1));
}

GpStatus GdipFillRectangles(GpGraphics graphics, GpBrush brush, const GpRectF* rects, INT count) {
    return fill(graphics, brush, rectShape(rects, count));
}

GpStatus GdipFillRectanglesI(GpGraphics graphics, GpBrush brush, const GpRect* rects, INT count) {
    return fill(graphics, brush, rectShape(rects, count));
}

GpStatus GdipFillEllipse(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                         REAL height) {
    return fill(graphics, brush,
                fixedShape(geometry::ellipse(box(x, y, width, height)), x, y, width, height));
}

GpStatus GdipFillEllipseI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width, INT height) {
    return fill(graphics, brush, fixedShape(geometry::ellipse(box(x, y, width, height))));
}

GpStatus GdipFillPolygon(GpGraphics graphics, GpBrush brush, const GpPointF* points, INT count,
                         GpFillMode fillMode) {
    return fill(graphics, brush,
                pointShape(points, count, 3, fillModeCheck(fillMode),
                           [=](Points p) { return withFillMode(geometry::polygon(p), fillMode); }));
}

GpStatus GdipFillPolygonI(GpGraphics graphics, GpBrush brush, const GpPoint* points, INT count,
                          GpFillMode fillMode) {
    return fill(graphics, brush,
                pointShape(points, count, 3, fillModeCheck(fillMode),
                           [=](Points p) { return withFillMode(geometry::polygon(p), fillMode); }));
}

GpStatus GdipFillPie(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width, REAL height,
                     REAL startAngle, REAL sweepAngle) {
    return fill(graphics, brush,
                fixedShape(geometry::pie(box(x, y, width, height), startAngle, sweepAngle), x, y,
                           width, height, startAngle, sweepAngle));
}

GpStatus GdipFillPieI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width, INT height,
                      REAL startAngle, REAL sweepAngle) {
    return fill(graphics, brush,
                fixedShape(geometry::pie(box(x, y, width, height), startAngle, sweepAngle),
                           startAngle, sweepAngle));
}

GpStatus GdipFillPath(GpGraphics graphics, GpBrush brush, GpPath path) {
    return fill(graphics, brush, pathShape(path));
}

GpStatus GdipFillClosedCurve(GpGraphics graphics, GpBrush brush, const GpPointF* points,
                             INT count) {
    return fill(graphics, brush,
                closedCurveShape(points, count, kDefaultTension, FillModeAlternate));
}

GpStatus GdipFillClosedCurveI(GpGraphics graphics, GpBrush brush, const GpPoint* points,
                              INT count) {
    return fill(graphics, brush,
                closedCurveShape(points, count, kDefaultTension, FillModeAlternate));
}

GpStatus GdipFillClosedCurve2(GpGraphics graphics, GpBrush brush, const GpPointF* points, INT count,
                              REAL tension, GpFillMode fillMode) {
    return fill(graphics, brush, closedCurveShape(points, count, tension, fillMode));
}

GpStatus GdipFillClosedCurve2I(GpGraphics graphics, GpBrush brush, const GpPoint* points, INT count,
                               REAL tension, GpFillMode fillMode) {
    return fill(graphics, brush, closedCurveShape(points, count, tension, fillMode));
}

GpStatus GdipFillRegion(GpGraphics graphics, GpBrush brush, GpRegion region) {
    return fill(graphics, brush, regionShape(region));
}

// ---- Outlines ----

GpStatus GdipDrawLine(GpGraphics graphics, GpPen pen, REAL x1, REAL y1, REAL x2, REAL y2) {
    const GpPointF points[2] = {{x1, y1}, {x2, y2}};
    return stroke(graphics, pen, pointShape(points, 2, 2, success(), lineShape));
}

GpStatus GdipDrawLineI(GpGraphics graphics, GpPen pen, INT x1, INT y1, INT x2, INT y2) {
    const GpPoint points[2] = {{x1, y1}, {x2, y2}};
    return stroke(graphics, pen, pointShape(points, 2, 2, success(), lineShape));
}

GpStatus GdipDrawLines(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 2, success(), lineShape));
}

GpStatus GdipDrawLinesI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 2, success(), lineShape));
}

GpStatus GdipDrawArc(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width, REAL height,
                     REAL startAngle, REAL sweepAngle) {
    return stroke(graphics, pen,
                  fixedShape(geometry::arc(box(x, y, width, height), startAngle, sweepAngle), x, y,
                             width, height, startAngle, sweepAngle));
}

GpStatus GdipDrawArcI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height,
                      REAL startAngle, REAL sweepAngle) {
    return stroke(graphics, pen,
                  fixedShape(geometry::arc(box(x, y, width, height), startAngle, sweepAngle),
                             startAngle, sweepAngle));
}

GpStatus GdipDrawBezier(GpGraphics graphics, GpPen pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3,
                        REAL y3, REAL x4, REAL y4) {
    const GpPointF points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    return stroke(graphics, pen, pointShape(points, 4, 4, success(), bezierShape));
}

GpStatus GdipDrawBezierI(GpGraphics graphics, GpPen pen, INT x1, INT y1, INT x2, INT y2, INT x3,
                         INT y3, INT x4, INT y4) {
    const GpPoint points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    return stroke(graphics, pen, pointShape(points, 4, 4, success(), bezierShape));
}

GpStatus GdipDrawBeziers(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 4, bezierCount(count), bezierShape));
}

GpStatus GdipDrawBeziersI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 4, bezierCount(count), bezierShape));
}

GpStatus GdipDrawRectangle(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width,
                           REAL height) {
    const GpRectF rect{x, y, width, height};
    return stroke(graphics, pen, rectShape(&rect, 1));
}

GpStatus GdipDrawRectangleI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height) {
    const GpRect rect{x, y, width, height};
    return stroke(graphics, pen, rectShape(&rect, 1));
}

GpStatus GdipDrawRectangles(GpGraphics graphics, GpPen pen, const GpRectF* rects, INT count) {
    return stroke(graphics, pen, rectShape(rects, count));
}

GpStatus GdipDrawRectanglesI(GpGraphics graphics, GpPen pen, const GpRect* rects, INT count) {
    return stroke(graphics, pen, rectShape(rects, count));
}

GpStatus GdipDrawEllipse(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width, REAL height) {
    return stroke(graphics, pen,
                  fixedShape(geometry::ellipse(box(x, y, width, height)), x, y, width, height));
}

GpStatus GdipDrawEllipseI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height) {
    return stroke(graphics, pen, fixedShape(geometry::ellipse(box(x, y, width, height))));
}

GpStatus GdipDrawPie(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width, REAL height,
                     REAL startAngle, REAL sweepAngle) {
    return stroke(graphics, pen,
                  fixedShape(geometry::pie(box(x, y, width, height), startAngle, sweepAngle), x, y,
                             width, height, startAngle, sweepAngle));
}

GpStatus GdipDrawPieI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height,
                      REAL startAngle, REAL sweepAngle) {
    return stroke(graphics, pen,
                  fixedShape(geometry::pie(box(x, y, width, height), startAngle, sweepAngle),
                             startAngle, sweepAngle));
}

GpStatus GdipDrawPolygon(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 2, success(), polygonShape));
}

GpStatus GdipDrawPolygonI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count) {
    return stroke(graphics, pen, pointShape(points, count, 2, success(), polygonShape));
}

GpStatus GdipDrawPath(GpGraphics graphics, GpPen pen, GpPath path) {
    return stroke(graphics, pen, pathShape(path));
}

GpStatus GdipDrawCurve(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count) {
    return stroke(graphics, pen, curveShape(points, count, kDefaultTension));
}

GpStatus GdipDrawCurveI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count) {
    return stroke(graphics, pen, curveShape(points, count, kDefaultTension));
}

GpStatus GdipDrawCurve2(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count,
                        REAL tension) {
    return stroke(graphics, pen, curveShape(points, count, tension));
}

GpStatus GdipDrawCurve2I(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count,
                         REAL tension) {
    return stroke(graphics, pen, curveShape(points, count, tension));
}

GpStatus GdipDrawCurve3(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count,
                        INT offset, INT numberOfSegments, REAL tension) {
    return stroke(graphics, pen,
                  curveSegmentsShape(points, count, offset, numberOfSegments, tension));
}

GpStatus GdipDrawCurve3I(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count,
                         INT offset, INT numberOfSegments, REAL tension) {
    return stroke(graphics, pen,
                  curveSegmentsShape(points, count, offset, numberOfSegments, tension));
}

GpStatus GdipDrawClosedCurve(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count) {
    return stroke(graphics, pen,
                  closedCurveShape(points, count, kDefaultTension, FillModeAlternate));
}

GpStatus GdipDrawClosedCurveI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count) {
    return stroke(graphics, pen,
                  closedCurveShape(points, count, kDefaultTension, FillModeAlternate));
}

GpStatus GdipDrawClosedCurve2(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count,
                              REAL tension) {
    return stroke(graphics, pen, closedCurveShape(points, count, tension, FillModeAlternate));
}

GpStatus GdipDrawClosedCurve2I(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count,
                               REAL tension) {
    return stroke(graphics, pen, closedCurveShape(points, count, tension, FillModeAlternate));
}

} // extern "C"
