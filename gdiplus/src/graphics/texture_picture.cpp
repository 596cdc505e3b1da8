#include "graphics/texture_picture.h"

#include "graphics/bitmap_raster.h"
#include "graphics/raster_image.h"

#include <cstring>

namespace vellumark::gdiplus {

Result<QImage> texturePicture(Bitmap& bitmap, const QRect& area) {
    const RasterView raster = rasterOf(bitmap);
    // Formats Qt paints from natively keep their own layout: one copy
    // straight from the bitmap's memory, no conversion and no wider pixels
    // (a 24-bit photo stays 3 bytes a pixel).
    const QImage shared = wrapRaster(raster);
    if (!shared.isNull()) {
        QImage copy = shared.copy(area);
        if (copy.isNull()) {
            return Error{OutOfMemory, "no memory for the texture"};
        }
        return copy;
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
    const QImage argb = picture.format() == QImage::Format_ARGB32
                            ? picture
                            : picture.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) {
        return Error{OutOfMemory, "no memory for the texture's image"};
    }
    PixelSurface& surface = (*bitmap)->pixels();
    const auto rowBytes = static_cast<std::size_t>(argb.width()) * 4;
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(surface.row(static_cast<std::uint32_t>(y)).data(), argb.constScanLine(y),
                    rowBytes);
    }
    return bitmap;
}

} // namespace vellumark::gdiplus
