// The engine's affine matrix: a QTransform in the row-vector convention the
// flat API publishes (a point maps to m11*x + m21*y + dx, m12*x + m22*y + dy).
// Geometry only; it knows no pixels.
#pragma once

#include "core/object.h"
#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <QTransform>
#include <array>
#include <span>

namespace vellumark::gdiplus {

class Matrix final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Matrix;

    Matrix() = default;
    explicit Matrix(const QTransform& transform) : transform_(transform) {}

    ObjectKind kind() const override { return kKind; }

    const QTransform& transform() const { return transform_; }
    void setTransform(const QTransform& transform) { transform_ = transform; }

    // m11, m12, m21, m22, dx, dy.
    std::array<REAL, 6> elements() const;
    static QTransform fromElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);

    // Combines `operation` with this matrix: prepend applies it first,
    // append last. `order` must already be checked.
    void combine(const QTransform& operation, GpMatrixOrder order);

    // InvalidParameter, leaving the matrix unchanged, when it is singular.
    Result<void> invert();
    bool isInvertible() const { return transform_.isInvertible(); }
    bool isIdentity() const { return transform_.isIdentity(); }

    void map(std::span<GpPointF> points) const;
    // ValueOverflow, with no point changed, when a result leaves INT range.
    Result<void> map(std::span<GpPoint> points) const;

private:
    QTransform transform_;
};

} // namespace vellumark::gdiplus
