#include "graphics/surface_raster.h"

#include "gdi/gdi_objects.h"
#include "graphics/bitmap_raster.h"
#include "image/bitmap.h"

namespace vellumark::gdiplus {

namespace {

// Device contexts of device contexts of surfaces: a chain longer than this
// cannot be built through the flat API, so it is refused rather than walked.
constexpr int kMaxChain = 16;

// Pixels of the GDI table have the screen's resolution.
constexpr float kDeviceDpi = 96.0F;

RasterView pixelsRaster(PixelSurface& pixels) {
    return RasterView{pixels.scan0(),
                      static_cast<std::int32_t>(pixels.width()),
                      static_cast<std::int32_t>(pixels.height()),
                      pixels.stride(),
                      pixels.format(),
                      pixels.palette(),
                      kDeviceDpi,
                      kDeviceDpi};
}

} // namespace

Result<RasterView> surfaceRaster(const SurfaceTarget& target, const HandleTable& objects) {
    SurfaceTarget next = target;
    for (int step = 0; step < kMaxChain; ++step) {
        if (next.deviceContext == 0) {
            Result<Bitmap*> bitmap = objects.find<Bitmap>(next.image);
            if (!bitmap) {
                return invalidArgument("the surface's bitmap has been disposed of");
            }
            return rasterOf(**bitmap);
        }
        auto drawn = GdiObjects::instance().drawTarget(next.deviceContext);
        if (!drawn) {
            return invalidArgument("the surface's device context has been deleted");
        }
        if (auto* pixels = std::get_if<PixelSurface*>(&*drawn)) {
            return pixelsRaster(**pixels);
        }
        next = std::get<SurfaceTarget>(*drawn);
    }
    return invalidArgument("device contexts nested too deeply");
}

} // namespace vellumark::gdiplus
