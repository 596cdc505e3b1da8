// Flat functions of the brush family and of solid brushes.
#include "brush/solid_fill.h"
#include "core/api_call.h"

using vellumark::gdiplus::Brush;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::SolidFill;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

extern "C" {

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill* brush) {
    clearOutput(brush);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(brush); !checked) {
            return checked;
        }
        return publish(objects, std::make_unique<SolidFill>(color), brush);
    });
}

GpStatus GdipGetSolidFillColor(GpSolidFill brush, ARGB* color) {
    return queryObject<SolidFill>(brush, color, [](const SolidFill& fill) { return fill.color(); });
}

GpStatus GdipSetSolidFillColor(GpSolidFill brush, ARGB color) {
    return onObject<SolidFill>(brush, [&](SolidFill& fill) {
        fill.setColor(color);
        return success();
    });
}

GpStatus GdipCloneBrush(GpBrush brush, GpBrush* cloneBrush) {
    clearOutput(cloneBrush);
    return onObject<Brush>(brush, [&](Brush& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(cloneBrush); !checked) {
            return checked;
        }
        return publish(objects, source.clone(), cloneBrush);
    });
}

GpStatus GdipDeleteBrush(GpBrush brush) {
    return guarded([&](HandleTable& objects) { return objects.erase(brush, Brush::kKind); });
}

GpStatus GdipGetBrushType(GpBrush brush, GpBrushType* type) {
    return queryObject<Brush>(brush, type, [](const Brush& source) { return source.type(); });
}

} // extern "C"
