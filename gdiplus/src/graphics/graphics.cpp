#include "graphics/graphics.h"

#include <algorithm>

namespace vellumark::gdiplus {

QTransform Graphics::pageTransform() const {
    // Pixels per page unit on each axis; display units are pixels on a
    // raster surface.
    auto perUnit = [this](double dpi) -> double {
        switch (state_.pageUnit) {
        case UnitPoint:
            return dpi / 72.0;
        case UnitInch:
            return dpi;
        case UnitDocument:
            return dpi / 300.0;
        case UnitMillimeter:
            return dpi / 25.4;
        default:
            return 1.0;
        }
    };
    const double scale = state_.pageScale;
    return QTransform::fromScale(perUnit(dpiX_) * scale, perUnit(dpiY_) * scale);
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
