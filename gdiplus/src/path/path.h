// A path: two flat arrays, points and their published point types, which
// map straight onto the API's point and type arrays, plus the fill mode.
// Figures begin with a Start point; lines are Line points; Béziers come in
// threes of Bezier points; the last point of a closed figure carries the
// CloseSubpath flag.
#pragma once

#include "core/object.h"
#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

class Path final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Path;

    explicit Path(GpFillMode fillMode) : fillMode_(fillMode) {}
    Path(const Path&) = default;
    // Takes points and types as given; false (and nothing kept) when the
    // types do not form figures: a figure must open with a Start point and
    // Béziers must come in threes.
    static std::unique_ptr<Path> fromArrays(std::span<const GpPointF> points,
                                            std::span<const std::uint8_t> types,
                                            GpFillMode fillMode);

    ObjectKind kind() const override { return kKind; }
    std::unique_ptr<Path> clone() const { return std::make_unique<Path>(*this); }

    const std::vector<GpPointF>& points() const { return points_; }
    const std::vector<std::uint8_t>& types() const { return types_; }
    GpFillMode fillMode() const { return fillMode_; }
    void setFillMode(GpFillMode mode) { fillMode_ = mode; }

    void reset();
    // The next shape begins a new figure instead of joining the open one.
    void startFigure() { figureOpen_ = false; }
    void closeFigure();
    void closeAllFigures();

    // Appends a Qt outline. With `join`, its first figure continues the
    // open figure (a line to its first point); otherwise every figure of it
    // stands alone. With `closed`, every figure of it is closed.
    void append(const QPainterPath& outline, bool join, bool closed);

    // Appends another path's figures; with `connect`, its first figure
    // continues the open figure.
    void appendFigures(const Path& other, bool connect);

    QPainterPath toPainterPath() const;

private:
    std::vector<GpPointF> points_;
    std::vector<std::uint8_t> types_;
    GpFillMode fillMode_;
    bool figureOpen_ = false;
};

} // namespace vellumark::gdiplus
