#include "graphics/render_settings.h"

namespace vellumark::gdiplus {

void RenderSettings::setSmoothingMode(GpSmoothingMode mode) {
    switch (mode) {
    case SmoothingModeDefault:
    case SmoothingModeHighSpeed:
        smoothingMode = SmoothingModeNone;
        break;
    case SmoothingModeHighQuality:
        smoothingMode = SmoothingModeAntiAlias8x4;
        break;
    default:
        smoothingMode = mode;
    }
}

void RenderSettings::setInterpolationMode(GpInterpolationMode mode) {
    switch (mode) {
    case InterpolationModeDefault:
    case InterpolationModeLowQuality:
        interpolationMode = InterpolationModeBilinear;
        break;
    case InterpolationModeHighQuality:
        interpolationMode = InterpolationModeHighQualityBicubic;
        break;
    default:
        interpolationMode = mode;
    }
}

} // namespace vellumark::gdiplus
