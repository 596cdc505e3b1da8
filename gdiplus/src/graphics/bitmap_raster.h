// The raster view of a bitmap's active frame.
#pragma once

#include "graphics/raster_view.h"
#include "image/bitmap.h"

namespace vellumark::gdiplus {

inline RasterView rasterOf(Bitmap& bitmap) {
    PixelSurface& surface = bitmap.pixels();
    return RasterView{surface.scan0(),
                      static_cast<std::int32_t>(surface.width()),
                      static_cast<std::int32_t>(surface.height()),
                      surface.stride(),
                      surface.format(),
                      surface.palette(),
                      bitmap.dpiX(),
                      bitmap.dpiY()};
}

} // namespace vellumark::gdiplus
