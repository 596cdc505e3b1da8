#include "path/path.h"

namespace vellumark::gdiplus {

namespace {

constexpr std::uint8_t kTypeMask = PathPointTypePathTypeMask;

GpPointF toPoint(const QPointF& p) {
    return {static_cast<REAL>(p.x()), static_cast<REAL>(p.y())};
}

QPointF toQt(const GpPointF& p) {
    return {p.X, p.Y};
}

} // namespace

std::unique_ptr<Path> Path::fromArrays(std::span<const GpPointF> points,
                                       std::span<const std::uint8_t> types, GpFillMode fillMode) {
    std::size_t i = 0;
    bool inFigure = false;
    while (i < types.size()) {
        const std::uint8_t type = types[i] & kTypeMask;
        if (type == PathPointTypeStart) {
            inFigure = true;
            ++i;
        } else if (!inFigure) {
            return nullptr;
        } else if (type == PathPointTypeLine) {
            ++i;
        } else if (type == PathPointTypeBezier && i + 2 < types.size() &&
                   (types[i + 1] & kTypeMask) == PathPointTypeBezier &&
                   (types[i + 2] & kTypeMask) == PathPointTypeBezier) {
            i += 3;
        } else {
            return nullptr;
        }
        if (i > 0 && (types[i - 1] & PathPointTypeCloseSubpath) != 0) {
            inFigure = false;
        }
    }
    auto path = std::make_unique<Path>(fillMode);
    path->points_.assign(points.begin(), points.end());
    path->types_.assign(types.begin(), types.end());
    path->figureOpen_ = inFigure;
    return path;
}

void Path::reset() {
    points_.clear();
    types_.clear();
    figureOpen_ = false;
    fillMode_ = FillModeAlternate;
}

void Path::closeFigure() {
    if (figureOpen_ && !types_.empty()) {
        types_.back() |= PathPointTypeCloseSubpath;
    }
    figureOpen_ = false;
}

void Path::closeAllFigures() {
    for (std::size_t i = 0; i < types_.size(); ++i) {
        const bool lastOfFigure =
            i + 1 == types_.size() || (types_[i + 1] & kTypeMask) == PathPointTypeStart;
        if (lastOfFigure) {
            types_[i] |= PathPointTypeCloseSubpath;
        }
    }
    figureOpen_ = false;
}

void Path::append(const QPainterPath& outline, bool join, bool closed) {
    bool joining = join && figureOpen_;
    std::size_t figureStart = points_.size();
    auto finishFigure = [&] {
        if (!closed || points_.size() <= figureStart) {
            return;
        }
        // Qt closes a subpath with a line back to its start; here the close
        // flag says that.
        const GpPointF start = points_[figureStart];
        if (points_.size() - figureStart > 1 && (types_.back() & kTypeMask) == PathPointTypeLine &&
            points_.back().X == start.X && points_.back().Y == start.Y) {
            points_.pop_back();
            types_.pop_back();
        }
        types_.back() |= PathPointTypeCloseSubpath;
        figureOpen_ = false;
    };
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) {
                finishFigure();
            }
            const GpPointF point = toPoint(e);
            if (joining && point.X == points_.back().X && point.Y == points_.back().Y) {
                joining = false; // already there: the figure just goes on
                continue;
            }
            figureStart = points_.size();
            points_.push_back(point);
            types_.push_back(joining ? PathPointTypeLine : PathPointTypeStart);
            joining = false;
            figureOpen_ = true;
        } else {
            points_.push_back(toPoint(e));
            types_.push_back(e.isLineTo() ? PathPointTypeLine : PathPointTypeBezier);
        }
    }
    finishFigure();
}

void Path::appendFigures(const Path& other, bool connect) {
    if (other.points_.empty()) {
        return;
    }
    const std::size_t first = points_.size();
    points_.insert(points_.end(), other.points_.begin(), other.points_.end());
    types_.insert(types_.end(), other.types_.begin(), other.types_.end());
    if (connect && figureOpen_ && (types_[first] & kTypeMask) == PathPointTypeStart) {
        types_[first] = static_cast<std::uint8_t>((types_[first] & ~kTypeMask) | PathPointTypeLine);
    }
    figureOpen_ = other.figureOpen_;
}

QPainterPath Path::toPainterPath() const {
    QPainterPath out;
    out.setFillRule(fillMode_ == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const std::uint8_t type = types_[i] & kTypeMask;
        if (type == PathPointTypeStart) {
            out.moveTo(toQt(points_[i]));
        } else if (type == PathPointTypeBezier && i + 2 < points_.size()) {
            out.cubicTo(toQt(points_[i]), toQt(points_[i + 1]), toQt(points_[i + 2]));
            i += 2;
        } else {
            out.lineTo(toQt(points_[i]));
        }
        if ((types_[i] & PathPointTypeCloseSubpath) != 0) {
            out.closeSubpath();
        }
    }
    return out;
}

} // namespace vellumark::gdiplus
