// Flat functions of pens.
#include "brush/solid_fill.h"
#include "core/api_call.h"
#include "pen/pen.h"

#include <algorithm>
#include <span>
#include <vector>

using vellumark::gdiplus::Brush;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Pen;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::SolidFill;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

namespace {

Result<void> requireWidth(REAL width) {
    if (!(std::isfinite(width) && width >= 0)) {
        return invalidArgument("pen width must be finite and not negative");
    }
    return success();
}

Result<void> requireUnit(GpUnit unit) {
    return requireInRange(unit, UnitWorld, UnitMillimeter);
}

Result<void> requireLineCap(GpLineCap cap) {
    const bool known = (cap >= LineCapFlat && cap <= LineCapTriangle) ||
                       (cap >= LineCapNoAnchor && cap <= LineCapArrowAnchor);
    return known ? success() : invalidArgument("unknown line cap");
}

Result<void> requireDashCap(GpDashCap cap) {
    const bool known = cap == DashCapFlat || cap == DashCapRound || cap == DashCapTriangle;
    return known ? success() : invalidArgument("unknown dash cap");
}

GpStatus createPen(std::unique_ptr<Brush> brush, REAL width, GpUnit unit, GpPen* pen,
                   HandleTable& objects) {
    if (auto checked = allOf({requirePointer(pen), requireWidth(width), requireUnit(unit)});
        !checked) {
        return checked.error().status;
    }
    const Result<void> published =
        publish(objects, std::make_unique<Pen>(std::move(brush), width, unit), pen);
    return published ? Ok : published.error().status;
}

// Stores a checked value into the pen.
template <typename Apply> GpStatus setOnPen(GpPen pen, Result<void> checks, Apply&& apply) {
    return onObject<Pen>(pen, [&](Pen& target) -> Result<void> {
        if (!checks) {
            return checks;
        }
        apply(target);
        return success();
    });
}

} // namespace

extern "C" {

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen* pen) {
    clearOutput(pen);
    return guarded([&](HandleTable& objects) -> Result<void> {
        const GpStatus status =
            createPen(std::make_unique<SolidFill>(color), width, unit, pen, objects);
        return status == Ok ? success() : Result<void>(Error{status, "pen not created"});
    });
}

GpStatus GdipCreatePen2(GpBrush brush, REAL width, GpUnit unit, GpPen* pen) {
    clearOutput(pen);
    return onObject<Brush>(brush, [&](Brush& source, HandleTable& objects) -> Result<void> {
        const GpStatus status = createPen(source.clone(), width, unit, pen, objects);
        return status == Ok ? success() : Result<void>(Error{status, "pen not created"});
    });
}

GpStatus GdipClonePen(GpPen pen, GpPen* clonepen) {
    clearOutput(clonepen);
    return onObject<Pen>(pen, [&](Pen& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(clonepen); !checked) {
            return checked;
        }
        return publish(objects, source.clone(), clonepen);
    });
}

GpStatus GdipDeletePen(GpPen pen) {
    return guarded([&](HandleTable& objects) { return objects.erase(pen, Pen::kKind); });
}

GpStatus GdipSetPenWidth(GpPen pen, REAL width) {
    return setOnPen(pen, requireWidth(width), [&](Pen& p) { p.setWidth(width); });
}

GpStatus GdipGetPenWidth(GpPen pen, REAL* width) {
    return queryObject<Pen>(pen, width, [](const Pen& p) { return p.penWidth(); });
}

GpStatus GdipSetPenUnit(GpPen pen, GpUnit unit) {
    return setOnPen(pen, requireUnit(unit), [&](Pen& p) { p.setUnit(unit); });
}

GpStatus GdipGetPenUnit(GpPen pen, GpUnit* unit) {
    return queryObject<Pen>(pen, unit, [](const Pen& p) { return p.unit(); });
}

GpStatus GdipSetPenColor(GpPen pen, ARGB argb) {
    return setOnPen(pen, success(), [&](Pen& p) { p.setBrush(std::make_unique<SolidFill>(argb)); });
}

GpStatus GdipGetPenColor(GpPen pen, ARGB* argb) {
    return onObject<Pen>(pen, [&](Pen& p) -> Result<void> {
        if (auto checked = requirePointer(argb); !checked) {
            return checked;
        }
        if (p.brush().kind() != SolidFill::kKind) {
            return invalidArgument("the pen's brush is not solid");
        }
        *argb = static_cast<const SolidFill&>(p.brush()).color();
        return success();
    });
}

GpStatus GdipSetPenBrushFill(GpPen pen, GpBrush brush) {
    return onObject<Pen>(pen, [&](Pen& p, HandleTable& objects) -> Result<void> {
        Result<Brush*> source = objects.find<Brush>(brush);
        if (!source) {
            return source.error();
        }
        p.setBrush((*source)->clone());
        return success();
    });
}

GpStatus GdipGetPenBrushFill(GpPen pen, GpBrush* brush) {
    clearOutput(brush);
    return onObject<Pen>(pen, [&](Pen& p, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(brush); !checked) {
            return checked;
        }
        return publish(objects, p.brush().clone(), brush);
    });
}

GpStatus GdipGetPenFillType(GpPen pen, GpPenType* type) {
    // Pen types share the brush types' values.
    return queryObject<Pen>(pen, type, [](const Pen& p) { return p.brush().type(); });
}

GpStatus GdipSetPenDashStyle(GpPen pen, GpDashStyle dashstyle) {
    return setOnPen(pen, requireInRange(dashstyle, DashStyleSolid, DashStyleCustom),
                    [&](Pen& p) { p.setDashStyle(dashstyle); });
}

GpStatus GdipGetPenDashStyle(GpPen pen, GpDashStyle* dashstyle) {
    return queryObject<Pen>(pen, dashstyle, [](const Pen& p) { return p.dashStyle(); });
}

GpStatus GdipSetPenDashOffset(GpPen pen, REAL offset) {
    return setOnPen(pen, requireFinite(offset), [&](Pen& p) { p.setDashOffset(offset); });
}

GpStatus GdipGetPenDashOffset(GpPen pen, REAL* offset) {
    return queryObject<Pen>(pen, offset, [](const Pen& p) { return p.dashOffset(); });
}

GpStatus GdipSetPenDashArray(GpPen pen, const REAL* dash, INT count) {
    return onObject<Pen>(pen, [&](Pen& p) -> Result<void> {
        if (dash == nullptr || count <= 0) {
            return invalidArgument("no dashes");
        }
        const std::span lengths(dash, static_cast<std::size_t>(count));
        if (!std::all_of(lengths.begin(), lengths.end(),
                         [](REAL l) { return std::isfinite(l) && l > 0; })) {
            return invalidArgument("dash lengths must be positive");
        }
        p.setDashPattern({lengths.begin(), lengths.end()});
        return success();
    });
}

GpStatus GdipGetPenDashCount(GpPen pen, INT* count) {
    return queryObject<Pen>(pen, count,
                            [](const Pen& p) { return static_cast<INT>(p.dashPattern().size()); });
}

GpStatus GdipGetPenDashArray(GpPen pen, REAL* dash, INT count) {
    return onObject<Pen>(pen, [&](Pen& p) -> Result<void> {
        if (dash == nullptr || count < 0 ||
            static_cast<std::size_t>(count) != p.dashPattern().size()) {
            return invalidArgument("dash array size differs");
        }
        std::copy(p.dashPattern().begin(), p.dashPattern().end(), dash);
        return success();
    });
}

GpStatus GdipSetPenStartCap(GpPen pen, GpLineCap startCap) {
    return setOnPen(pen, requireLineCap(startCap), [&](Pen& p) { p.startCap = startCap; });
}

GpStatus GdipGetPenStartCap(GpPen pen, GpLineCap* startCap) {
    return queryObject<Pen>(pen, startCap, [](const Pen& p) { return p.startCap; });
}

GpStatus GdipSetPenEndCap(GpPen pen, GpLineCap endCap) {
    return setOnPen(pen, requireLineCap(endCap), [&](Pen& p) { p.endCap = endCap; });
}

GpStatus GdipGetPenEndCap(GpPen pen, GpLineCap* endCap) {
    return queryObject<Pen>(pen, endCap, [](const Pen& p) { return p.endCap; });
}

GpStatus GdipSetPenDashCap197819(GpPen pen, GpDashCap dashCap) {
    return setOnPen(pen, requireDashCap(dashCap), [&](Pen& p) { p.dashCap = dashCap; });
}

GpStatus GdipGetPenDashCap197819(GpPen pen, GpDashCap* dashCap) {
    return queryObject<Pen>(pen, dashCap, [](const Pen& p) { return p.dashCap; });
}

GpStatus GdipSetPenLineCap197819(GpPen pen, GpLineCap startCap, GpLineCap endCap,
                                 GpDashCap dashCap) {
    return setOnPen(
        pen, allOf({requireLineCap(startCap), requireLineCap(endCap), requireDashCap(dashCap)}),
        [&](Pen& p) {
            p.startCap = startCap;
            p.endCap = endCap;
            p.dashCap = dashCap;
        });
}

GpStatus GdipSetPenLineJoin(GpPen pen, GpLineJoin lineJoin) {
    return setOnPen(pen, requireInRange(lineJoin, LineJoinMiter, LineJoinMiterClipped),
                    [&](Pen& p) { p.lineJoin = lineJoin; });
}

GpStatus GdipGetPenLineJoin(GpPen pen, GpLineJoin* lineJoin) {
    return queryObject<Pen>(pen, lineJoin, [](const Pen& p) { return p.lineJoin; });
}

GpStatus GdipSetPenMiterLimit(GpPen pen, REAL miterLimit) {
    return setOnPen(pen, requireFinite(miterLimit),
                    [&](Pen& p) { p.miterLimit = std::max(miterLimit, 1.0F); });
}

GpStatus GdipGetPenMiterLimit(GpPen pen, REAL* miterLimit) {
    return queryObject<Pen>(pen, miterLimit, [](const Pen& p) { return p.miterLimit; });
}

GpStatus GdipSetPenMode(GpPen pen, GpPenAlignment penMode) {
    return setOnPen(pen, requireInRange(penMode, PenAlignmentCenter, PenAlignmentInset),
                    [&](Pen& p) { p.alignment = penMode; });
}

GpStatus GdipGetPenMode(GpPen pen, GpPenAlignment* penMode) {
    return queryObject<Pen>(pen, penMode, [](const Pen& p) { return p.alignment; });
}

} // extern "C"
