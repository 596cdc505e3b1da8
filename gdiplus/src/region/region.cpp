#include "region/region.h"

#include <QPolygonF>
#include <QRegion>

namespace vellumark::gdiplus {

namespace {

// The published infinite region: a square of side 2^23 centred on the origin.
constexpr qreal kInfiniteHalfSide = 4194304.0;

// Points held at REAL precision, the precision of region data, so a
// region read back from its own data is the same region, not one a
// rounding away.
QPainterPath atRealPrecision(QPainterPath path) {
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        path.setElementPositionAt(i, static_cast<qreal>(static_cast<REAL>(e.x)),
                                  static_cast<qreal>(static_cast<REAL>(e.y)));
    }
    return path;
}

// Qt's simplified form drops zero-area pieces (a lone line, a sliver left
// by a boolean), so an area-less path is an empty one.
QPainterPath normalized(const QPainterPath& path) {
    return atRealPrecision(path.simplified());
}

QPainterPath rectPath(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect.normalized());
    return path;
}

} // namespace

Region::Region(const QPainterPath& area) : infinite_(false), path_(normalized(area)) {}

Region::Region(const QRectF& rect) : infinite_(false), path_(normalized(rectPath(rect))) {}

QRectF Region::infiniteBounds() {
    return {-kInfiniteHalfSide, -kInfiniteHalfSide, 2 * kInfiniteHalfSide, 2 * kInfiniteHalfSide};
}

void Region::setInfinite() {
    infinite_ = true;
    path_ = QPainterPath();
}

void Region::setEmpty() {
    infinite_ = false;
    path_ = QPainterPath();
}

void Region::combine(const Region& other, GpCombineMode mode) {
    const QPainterPath mine = area();
    const QPainterPath theirs = other.area();
    bool infinite = false;
    QPainterPath result;
    switch (mode) {
    case CombineModeReplace:
        infinite = other.infinite_;
        result = other.path_;
        break;
    case CombineModeIntersect:
        infinite = infinite_ && other.infinite_;
        result = mine.intersected(theirs);
        break;
    case CombineModeUnion:
        infinite = infinite_ || other.infinite_;
        result = mine.united(theirs);
        break;
    case CombineModeXor:
        infinite = (infinite_ && other.isEmpty()) || (other.infinite_ && isEmpty());
        result = mine.subtracted(theirs).united(theirs.subtracted(mine));
        break;
    case CombineModeExclude:
        infinite = infinite_ && other.isEmpty();
        result = mine.subtracted(theirs);
        break;
    default: // CombineModeComplement: the other region less this one
        infinite = other.infinite_ && isEmpty();
        result = theirs.subtracted(mine);
        break;
    }
    if (infinite) {
        setInfinite();
    } else {
        infinite_ = false;
        path_ = normalized(result);
    }
}

void Region::translate(qreal dx, qreal dy) {
    if (!infinite_) {
        path_ = atRealPrecision(path_.translated(dx, dy));
    }
}

void Region::transform(const QTransform& matrix) {
    if (!infinite_) {
        path_ = normalized(matrix.map(path_));
    }
}

bool Region::equals(const Region& other) const {
    if (infinite_ || other.infinite_) {
        return infinite_ == other.infinite_;
    }
    return normalized(path_.subtracted(other.path_)).isEmpty() &&
           normalized(other.path_.subtracted(path_)).isEmpty();
}

bool Region::contains(const QPointF& point) const {
    // Qt counts a point on a left or top edge in and one on a right or
    // bottom edge out, which is the half-open rule regions follow.
    return infinite_ ? infiniteBounds().contains(point) : path_.contains(point);
}

bool Region::intersects(const QRectF& rect) const {
    const QRectF box = rect.normalized();
    if (box.isEmpty()) {
        return false;
    }
    return !normalized(area().intersected(rectPath(box))).isEmpty();
}

QRectF Region::bounds() const {
    return infinite_ ? infiniteBounds() : path_.boundingRect();
}

Result<std::vector<QRect>> Region::scans(const QTransform& matrix) const {
    if (infinite_) {
        return std::vector<QRect>{infiniteBounds().toRect()};
    }
    const QPainterPath mapped = matrix.map(path_);
    if (!mapped.isEmpty() && !infiniteBounds().contains(mapped.boundingRect())) {
        return Error{ValueOverflow, "scans beyond the infinite square"};
    }
    // The area is held in Qt's simplified form: figures that never cross,
    // filled odd-even, so the figures' own areas xor to the region.
    QRegion area;
    for (const QPolygonF& figure : mapped.toSubpathPolygons()) {
        area = area.xored(QRegion(figure.toPolygon(), Qt::OddEvenFill));
    }
    return std::vector<QRect>(area.begin(), area.end());
}

QPainterPath Region::area() const {
    return infinite_ ? rectPath(infiniteBounds()) : path_;
}

} // namespace vellumark::gdiplus
