// The point and rectangle arrays callers hand in: one contiguous block and a
// count, checked and turned into Qt geometry.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <QPointF>
#include <QRectF>
#include <cmath>
#include <vector>

namespace vellumark::gdiplus {

// InvalidParameter for a null block, fewer than `minimum` records or a
// coordinate that is not finite.
template <typename Point>
Result<std::vector<QPointF>> pointArray(const Point* points, INT count, INT minimum) {
    if (points == nullptr || count < minimum || count <= 0) {
        return invalidArgument("too few points");
    }
    std::vector<QPointF> out;
    out.reserve(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i) {
        const QPointF p(points[i].X, points[i].Y);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
            return invalidArgument("non-finite point");
        }
        out.push_back(p);
    }
    return out;
}

template <typename Rect> Result<std::vector<QRectF>> rectArray(const Rect* rects, INT count) {
    if (rects == nullptr || count <= 0) {
        return invalidArgument("no rectangles");
    }
    std::vector<QRectF> out;
    out.reserve(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i) {
        const QRectF r(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
        if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) ||
            !std::isfinite(r.height())) {
            return invalidArgument("non-finite rectangle");
        }
        out.push_back(r);
    }
    return out;
}

} // namespace vellumark::gdiplus
