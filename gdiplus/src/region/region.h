// A region: an area of the plane in world coordinates, built from
// rectangles, paths and other regions with the published combine modes.
//
// The geometry is a QPainterPath kept in Qt's simplified form (no
// self-intersections, no zero-area pieces), so "empty" is simply an empty
// path and every combine is one of Qt's path booleans. The infinite region
// is a flag rather than geometry: it stays infinite under translation and
// transformation, and reads as the published square of side 2^23 centred
// on the origin wherever it needs an area. Curves are flattened by the
// booleans; a region is an area, not an outline.
#pragma once

#include "core/object.h"
#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <vector>

namespace vellumark::gdiplus {

class Region final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Region;

    // The infinite region.
    Region() = default;
    // The area a path or rectangle encloses, by its fill rule.
    explicit Region(const QPainterPath& area);
    explicit Region(const QRectF& rect);
    Region(const Region&) = default;

    ObjectKind kind() const override { return kKind; }
    std::unique_ptr<Region> clone() const { return std::make_unique<Region>(*this); }

    // The bounds the published API gives the infinite region.
    static QRectF infiniteBounds();

    void setInfinite();
    void setEmpty();
    // `mode` must already be checked against the published range.
    void combine(const Region& other, GpCombineMode mode);
    void translate(qreal dx, qreal dy);
    void transform(const QTransform& matrix);

    bool isInfinite() const { return infinite_; }
    bool isEmpty() const { return !infinite_ && path_.isEmpty(); }
    bool equals(const Region& other) const;
    // Left and top edges are inside, right and bottom edges outside, so
    // rectangles that share an edge never both hold a point on it.
    bool contains(const QPointF& point) const;
    // Whether the rectangle overlaps the region with some area.
    bool intersects(const QRectF& rect) const;
    // The smallest rectangle holding the region; zero for the empty region.
    QRectF bounds() const;
    // The region's area as a path (the published square when infinite).
    QPainterPath area() const;
    // The region after `matrix` as whole-unit rectangles in horizontal
    // bands, top to bottom and left to right; the infinite region, which no
    // matrix moves, is its one square. ValueOverflow when the transformed
    // region reaches beyond that square.
    Result<std::vector<QRect>> scans(const QTransform& matrix) const;

private:
    bool infinite_ = true;
    QPainterPath path_;
};

} // namespace vellumark::gdiplus
