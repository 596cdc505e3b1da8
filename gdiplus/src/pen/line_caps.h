// The shapes the published line caps add at the end of a stroke. The body
// of a stroke always ends flat at the end point; a cap is the extra area
// beyond (or, for anchors, around) that point:
//   Square, Round, Triangle  extend half the width beyond the end: a half
//                            square, a half disc, a triangle whose apex is
//                            half the width out;
//   SquareAnchor, RoundAnchor, DiamondAnchor, ArrowAnchor
//                            are centred on the end point and twice the
//                            width across, so they read as markers wider
//                            than the line: a square, a disc, a diamond,
//                            and an arrow head pointing away from the line;
//   Flat, NoAnchor, Custom   add nothing (no custom cap objects exist).
// Every shape is one closed figure wound the same way, so many caps can
// share one winding-filled path.
#pragma once

#include "gdiplus/gdiplus.h"

#include <QPainterPath>
#include <QPointF>

namespace vellumark::gdiplus {

// The cap at `end`, where `outward` is the unit direction leaving the line
// there and `width` the stroke's width.
QPainterPath lineCapShape(GpLineCap cap, QPointF end, QPointF outward, qreal width);

// The line cap that draws a dash cap of the same name.
GpLineCap lineCapForDashCap(GpDashCap cap);

} // namespace vellumark::gdiplus
