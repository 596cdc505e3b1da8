#include "graphics/graphics.h"

#include <algorithm>

namespace vellumark::gdiplus {

qreal Graphics::pixelsPerUnit(GpUnit unit, REAL dpi) {
    switch (unit) {
    case UnitPoint:
        return static_cast<qreal>(dpi) / 72.0;
    case UnitInch:
        return static_cast<qreal>(dpi);
    case UnitDocument:
        return static_cast<qreal>(dpi) / 300.0;
    case UnitMillimeter:
        return static_cast<qreal>(dpi) / 25.4;
    default: // display units are pixels on a raster surface
        return 1.0;
    }
}

QTransform Graphics::pageTransform() const {
    const qreal scale = state_.pageScale;
    return QTransform::fromScale(pixelsPerUnit(state_.pageUnit, dpiX_) * scale,
                                 pixelsPerUnit(state_.pageUnit, dpiY_) * scale);
}

UINT Graphics::save() {
    const UINT id = nextStateId_++;
    saved_.emplace_back(id, state_);
    return id;
}

void Graphics::restore(UINT state) {
    const auto found = std::find_if(saved_.begin(), saved_.end(),
                                    [state](const auto& entry) { return entry.first == state; });
    if (found == saved_.end()) {
        return;
    }
    state_ = found->second;
    saved_.erase(found, saved_.end());
}

} // namespace vellumark::gdiplus
