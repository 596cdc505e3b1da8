// Where a surface's pixels are: a bitmap of the handle table, or a device
// context of the GDI table followed to the pixels it draws into.
#pragma once

#include "core/handle_table.h"
#include "core/result.h"
#include "gdi/device_context.h"
#include "graphics/raster_view.h"

namespace vellumark::gdiplus {

// The pixels `target` draws into, looked up now. InvalidParameter when its
// bitmap or device context (or one it leads to) is gone.
Result<RasterView> surfaceRaster(const SurfaceTarget& target, const HandleTable& objects);

} // namespace vellumark::gdiplus
