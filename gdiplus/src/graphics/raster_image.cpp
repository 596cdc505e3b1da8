#include "graphics/raster_image.h"

#include "gdiplus/pixels/row_conversion.h"

#include <vector>

namespace vellumark::gdiplus {

using pixels::PixelFormat;

namespace {

QImage::Format nativeFormat(PixelFormat format) {
    switch (format) {
    case PixelFormat::Format32bppARGB:
        return QImage::Format_ARGB32;
    case PixelFormat::Format32bppPARGB:
        return QImage::Format_ARGB32_Premultiplied;
    case PixelFormat::Format32bppRGB:
        return QImage::Format_RGB32;
    case PixelFormat::Format24bppRGB:
        return QImage::Format_BGR888; // B, G, R bytes, as published
    case PixelFormat::Format16bppRGB565:
        return QImage::Format_RGB16;
    case PixelFormat::Format16bppRGB555:
        return QImage::Format_RGB555;
    default:
        return QImage::Format_Invalid;
    }
}

std::span<const std::uint8_t> constRow(const RasterView& raster, std::int32_t y) {
    const std::span<std::uint8_t> bytes = raster.rowBytes(y);
    return {bytes.data(), bytes.size()};
}

} // namespace

QImage wrapRaster(const RasterView& raster) {
    const QImage::Format format = nativeFormat(raster.format);
    // QImage wants rows that start on 32-bit boundaries and go downwards.
    if (format == QImage::Format_Invalid || raster.bits == nullptr || raster.stride <= 0 ||
        raster.stride % 4 != 0 || reinterpret_cast<std::uintptr_t>(raster.bits) % 4 != 0) {
        return {};
    }
    return QImage(raster.bits, raster.width, raster.height, raster.stride, format);
}

Result<QImage> readArgb(const RasterView& raster, const QRect& area) {
    QImage out(area.size(), QImage::Format_ARGB32);
    if (out.isNull()) {
        return Error{OutOfMemory, "no memory for a converted area"};
    }
    for (int y = 0; y < area.height(); ++y) {
        auto* target = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        if (!pixels::ReadArgbRow(raster.format, constRow(raster, area.top() + y),
                                 static_cast<std::uint32_t>(area.left()), raster.palette,
                                 {target, static_cast<std::size_t>(area.width())})) {
            return Error{GenericError, "pixel row could not be read"};
        }
    }
    return out;
}

Result<void> writeArgb(const RasterView& raster, const QImage& argb, const QRect& area) {
    for (int y = 0; y < area.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        if (!pixels::WriteArgbRow(raster.format, {source, static_cast<std::size_t>(area.width())},
                                  nullptr, raster.rowBytes(area.top() + y),
                                  static_cast<std::uint32_t>(area.left()))) {
            return Error{GenericError, "pixel row could not be written"};
        }
    }
    return success();
}

} // namespace vellumark::gdiplus
