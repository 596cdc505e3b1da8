// Reading a caller's device-independent bitmap (BITMAPINFO plus bits) into a
// pixel surface of the matching published format.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"
#include "image/pixel_surface.h"

namespace vellumark::gdiplus {

// Uncompressed 1, 4, 8, 16, 24 and 32 bpp (BI_RGB, and BI_BITFIELDS with the
// 565 or 555 masks at 16 bpp); bottom-up or top-down (negative height).
// InvalidParameter for anything else.
Result<PixelSurface> surfaceFromDib(const BITMAPINFO& info, const std::uint8_t* bits);

} // namespace vellumark::gdiplus
