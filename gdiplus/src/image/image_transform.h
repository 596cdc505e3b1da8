// Whole-image geometry on pixel surfaces: the eight rotate/flip types in any
// pixel format (pixels move as they are stored, palette indices included),
// and scaled 32-bit PARGB copies for thumbnails.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"
#include "image/pixel_surface.h"

namespace vellumark::gdiplus {

// `type` is a published RotateFlipType, 0 to 7.
Result<PixelSurface> rotateFlip(const PixelSurface& source, RotateFlipType type);

// A smoothly scaled copy in PixelFormat32bppPARGB.
Result<PixelSurface> scaledCopy(const PixelSurface& source, std::uint32_t width,
                                std::uint32_t height);

} // namespace vellumark::gdiplus
