// Cuts the centre line of a figure into the dashes of a pattern, so that
// each dash can be stroked and capped on its own. Lengths here are in the
// units of the line (pattern lengths already multiplied by the width).
#pragma once

#include <QPolygonF>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

struct Dash {
    QPolygonF line;
    bool startsFigure; // begins at the figure's first point
    bool endsFigure;   // ends at the figure's last point
};

// More dashes than this in one stroke cannot be told apart on a raster of
// any size we draw; cutDashes refuses them rather than allocate without end.
inline constexpr std::size_t kMaxDashes = 1 << 16;

// The dashes of `figure` under `pattern` (dash, gap, dash, ...; every
// length positive), the pattern starting `offset` into itself. A closed
// figure (last point equal to the first) whose first and last dashes meet
// at its start gets them joined into one. Adds to `dashes`; false once
// `dashes` would hold more than kMaxDashes.
bool cutDashes(const QPolygonF& figure, std::span<const qreal> pattern, qreal offset,
               std::vector<Dash>& dashes);

} // namespace vellumark::gdiplus
