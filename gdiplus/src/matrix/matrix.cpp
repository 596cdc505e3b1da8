#include "matrix/matrix.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vellumark::gdiplus {

std::array<REAL, 6> Matrix::elements() const {
    const QTransform& t = transform_;
    return {static_cast<REAL>(t.m11()), static_cast<REAL>(t.m12()), static_cast<REAL>(t.m21()),
            static_cast<REAL>(t.m22()), static_cast<REAL>(t.dx()),  static_cast<REAL>(t.dy())};
}

QTransform Matrix::fromElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
    return QTransform(m11, m12, m21, m22, dx, dy);
}

void Matrix::combine(const QTransform& operation, GpMatrixOrder order) {
    // QTransform's a * b applies a first, then b.
    transform_ = order == MatrixOrderPrepend ? operation * transform_ : transform_ * operation;
}

Result<void> Matrix::invert() {
    bool invertible = false;
    const QTransform inverse = transform_.inverted(&invertible);
    if (!invertible) {
        return invalidArgument("matrix is not invertible");
    }
    transform_ = inverse;
    return success();
}

void Matrix::map(std::span<GpPointF> points) const {
    for (GpPointF& point : points) {
        const QPointF mapped = transform_.map(QPointF(point.X, point.Y));
        point.X = static_cast<REAL>(mapped.x());
        point.Y = static_cast<REAL>(mapped.y());
    }
}

Result<void> Matrix::map(std::span<GpPoint> points) const {
    constexpr double kLowest = std::numeric_limits<INT>::min();
    constexpr double kHighest = std::numeric_limits<INT>::max();
    std::vector<GpPoint> mapped(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF result = transform_.map(QPointF(points[i].X, points[i].Y));
        const double x = std::floor(result.x() + 0.5);
        const double y = std::floor(result.y() + 0.5);
        if (!(x >= kLowest && x <= kHighest && y >= kLowest && y <= kHighest)) {
            return Error{ValueOverflow, "transformed point out of integer range"};
        }
        mapped[i] = GpPoint{static_cast<INT>(x), static_cast<INT>(y)};
    }
    std::copy(mapped.begin(), mapped.end(), points.begin());
    return success();
}

} // namespace vellumark::gdiplus
