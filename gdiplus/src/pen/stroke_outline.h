// Turns a centre line into the area a pen's stroke covers. Qt's path
// stroker draws the body of every line and dash with flat ends; the caps
// are ours, added at each end (lineCapShape), because Qt gives both ends
// of a line the same cap and has neither triangles nor anchors. Dashes are
// cut here too (cutDashes), so every dash end can take the dash cap while
// the ends of the whole line keep the start and end caps.
//
// Inset alignment draws a closed figure's stroke inside it: a stroke of
// twice the width cut to the figure's area. Open figures have no inside and
// are stroked centred, as published.
#pragma once

#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <vector>

namespace vellumark::gdiplus {

struct StrokeStyle {
    qreal width = 1;
    GpLineCap startCap = LineCapFlat;
    GpLineCap endCap = LineCapFlat;
    GpDashCap dashCap = DashCapFlat;
    GpLineJoin join = LineJoinMiter;
    qreal miterLimit = 10;
    // Dash and gap lengths in widths; empty for a solid line.
    std::vector<qreal> dashPattern;
    qreal dashOffset = 0; // in widths
    bool inset = false;
};

QPainterPath strokeOutline(const QPainterPath& centreLine, const StrokeStyle& style);

} // namespace vellumark::gdiplus
