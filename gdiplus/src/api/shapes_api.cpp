// Flat functions that fill shapes on a surface. Every one checks the
// surface, then the brush, then its numbers, builds the shape in world
// coordinates and hands it to the surface.
#include "brush/brush.h"
#include "core/api_call.h"
#include "graphics/graphics.h"
#include "graphics/surface_drawing.h"
#include "path/shape_geometry.h"

#include <QPainterPath>
#include <span>

using vellumark::gdiplus::Brush;
using vellumark::gdiplus::Graphics;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using vellumark::gdiplus::SurfaceDrawing;
namespace geometry = vellumark::gdiplus::geometry;
using namespace vellumark::gdiplus::api;

namespace {

// Fills the shape `build()` makes, after `checks` pass.
template <typename Build>
GpStatus fillShape(GpGraphics graphics, GpBrush brush, Result<void> checks, Build&& build) {
    return onObject<Graphics>(graphics, [&](Graphics& surface, HandleTable& objects) {
        Result<Brush*> paint = objects.find<Brush>(brush);
        if (!paint) {
            return Result<void>(paint.error());
        }
        if (!checks) {
            return checks;
        }
        Result<SurfaceDrawing> drawing = SurfaceDrawing::open(surface, objects);
        if (!drawing) {
            return Result<void>(drawing.error());
        }
        return drawing->fill(build(), **paint);
    });
}

// A rectangle with no area fills nothing.
QPainterPath rectangles(std::span<const QRectF> rects) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& rect : rects) {
        if (rect.width() > 0 && rect.height() > 0) {
            path.addRect(rect);
        }
    }
    return path;
}

template <typename Record> Result<void> requireRecords(const Record* records, INT count) {
    if (records == nullptr || count <= 0) {
        return invalidArgument("no records");
    }
    return success();
}

template <typename Record> std::vector<QRectF> toRects(const Record* rects, INT count) {
    std::vector<QRectF> out;
    out.reserve(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i) {
        out.emplace_back(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
    }
    return out;
}

Result<void> finiteRects(const GpRectF* rects, INT count) {
    for (INT i = 0; i < count; ++i) {
        if (auto checked = requireFinite(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
            !checked) {
            return checked;
        }
    }
    return success();
}

GpStatus fillRectangles(GpGraphics graphics, GpBrush brush, std::vector<QRectF> rects,
                        Result<void> checks) {
    return fillShape(graphics, brush, checks, [&] { return rectangles(rects); });
}

GpStatus fillEllipse(GpGraphics graphics, GpBrush brush, QRectF bounds, Result<void> checks) {
    return fillShape(graphics, brush, checks, [&] { return geometry::ellipse(bounds); });
}

} // namespace

extern "C" {

GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                           REAL height) {
    return fillRectangles(graphics, brush, {QRectF(x, y, width, height)},
                          requireFinite(x, y, width, height));
}

GpStatus GdipFillRectangleI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width,
                            INT height) {
    return fillRectangles(graphics, brush, {QRectF(x, y, width, height)}, success());
}

GpStatus GdipFillRectangles(GpGraphics graphics, GpBrush brush, const GpRectF* rects, INT count) {
    const Result<void> checks = requireRecords(rects, count);
    return fillRectangles(graphics, brush, checks ? toRects(rects, count) : std::vector<QRectF>{},
                          checks ? finiteRects(rects, count) : checks);
}

GpStatus GdipFillRectanglesI(GpGraphics graphics, GpBrush brush, const GpRect* rects, INT count) {
    const Result<void> checks = requireRecords(rects, count);
    return fillRectangles(graphics, brush, checks ? toRects(rects, count) : std::vector<QRectF>{},
                          checks);
}

GpStatus GdipFillEllipse(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                         REAL height) {
    return fillEllipse(graphics, brush, QRectF(x, y, width, height),
                       requireFinite(x, y, width, height));
}

GpStatus GdipFillEllipseI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width, INT height) {
    return fillEllipse(graphics, brush, QRectF(x, y, width, height), success());
}

} // extern "C"
