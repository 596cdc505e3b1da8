#include "graphics/texture_picture.h"

#include "graphics/bitmap_raster.h"
#include "graphics/raster_image.h"

#include <cstring>

namespace vellumark::gdiplus {

Result<QImage> texturePicture(Bitmap& bitmap, const QRect& area) {
    const RasterView raster = rasterOf(bitmap);
    // 32-bit ARGB is already the picture's layout: one copy straight from
    // the bitmap's memory, no conversion.
    if (raster.format == pixels::PixelFormat::Format32bppARGB) {
        const QImage shared = wrapRaster(raster);
        if (!shared.isNull()) {
            QImage copy = shared.copy(area);
            if (copy.isNull()) {
                return Error{OutOfMemory, "no memory for the texture"};
            }
            return copy;
        }
    }
    return readArgb(raster, area);
}

Result<std::unique_ptr<Bitmap>> bitmapFromPicture(const QImage& picture) {
    Result<std::unique_ptr<Bitmap>> bitmap = Bitmap::createBlank(
        static_cast<std::uint32_t>(picture.width()), static_cast<std::uint32_t>(picture.height()),
        pixels::PixelFormat::Format32bppARGB);
    if (!bitmap) {
        return bitmap;
    }
    PixelSurface& surface = (*bitmap)->pixels();
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 4;
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(surface.row(static_cast<std::uint32_t>(y)).data(), picture.constScanLine(y),
                    rowBytes);
    }
    return bitmap;
}

} // namespace vellumark::gdiplus
