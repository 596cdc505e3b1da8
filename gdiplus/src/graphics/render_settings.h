// The rendering settings a surface carries, with the published defaults of a
// new surface. Setters take values already range-checked by the flat API;
// some modes read back normalised, as published (default smoothing reads as
// none, high-quality interpolation as high-quality bicubic, ...).
#pragma once

#include "gdiplus/gdiplus.h"

namespace vellumark::gdiplus {

struct RenderSettings {
    GpCompositingMode compositingMode = CompositingModeSourceOver;
    GpCompositingQuality compositingQuality = CompositingQualityDefault;
    GpSmoothingMode smoothingMode = SmoothingModeNone;
    GpPixelOffsetMode pixelOffsetMode = PixelOffsetModeDefault;
    GpInterpolationMode interpolationMode = InterpolationModeBilinear;
    GpTextRenderingHint textRenderingHint = TextRenderingHintSystemDefault;
    UINT textContrast = 4;
    INT originX = 0;
    INT originY = 0;

    static constexpr UINT kMaxTextContrast = 12;

    void setSmoothingMode(GpSmoothingMode mode);
    void setInterpolationMode(GpInterpolationMode mode);

    bool antialiased() const {
        return smoothingMode == SmoothingModeAntiAlias8x4 ||
               smoothingMode == SmoothingModeAntiAlias8x8;
    }
    // Half and high quality put pixel centres at x.5; the other modes at
    // integer coordinates, which is half a pixel off Qt's grid.
    bool halfPixelOffset() const {
        return pixelOffsetMode == PixelOffsetModeHalf ||
               pixelOffsetMode == PixelOffsetModeHighQuality;
    }
};

} // namespace vellumark::gdiplus
