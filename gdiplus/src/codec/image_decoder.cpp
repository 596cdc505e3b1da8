#include "codec/image_decoder.h"

#include "codecs/picture_decoder.h"

#include <cstring>

namespace vellumark::gdiplus {

namespace {

using codecs::PictureFormat;

GUID rawFormatOf(PictureFormat format) {
    switch (format) {
    case PictureFormat::Jpeg:
        return kImageFormatJpeg;
    case PictureFormat::Bmp:
        return kImageFormatBmp;
    case PictureFormat::Png:
        return kImageFormatPng;
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
        return kImageFormatIcon;
    case PictureFormat::Gif:
        return kImageFormatGif;
    default:
        return kImageFormatUndefined;
    }
}

Error decodeFailure(codecs::DecodeError error) {
    switch (error) {
    case codecs::DecodeError::NotAPicture:
    case codecs::DecodeError::Unsupported:
        return Error{UnknownImageFormat, "not a picture this library reads"};
    default:
        return Error{OutOfMemory, "damaged or over-large picture"};
    }
}

// Straight-alpha BGRA is the byte layout of PixelFormat32bppARGB.
Result<PixelSurface> surfaceFromBgra(const codecs::Bgra8Image& image) {
    Result<PixelSurface> surface =
        PixelSurface::allocate(image.width, image.height, pixels::PixelFormat::Format32bppARGB);
    if (!surface) {
        return surface;
    }
    const std::size_t rowBytes = std::size_t{image.width} * 4;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        std::memcpy(surface->row(y).data(), image.pixels.data() + rowBytes * y, rowBytes);
    }
    return surface;
}

} // namespace

Result<std::unique_ptr<Bitmap>> decodeImage(std::span<const std::uint8_t> file) {
    codecs::DecodeResult decoded = codecs::DecodePicture(file);
    if (decoded.error != codecs::DecodeError::None || !decoded.image) {
        return decodeFailure(decoded.error);
    }
    Result<PixelSurface> surface = surfaceFromBgra(*decoded.image);
    if (!surface) {
        return surface.error();
    }
    if (decoded.format == PictureFormat::Jpeg) {
        // JPEG has no alpha: keep it as the 24-bit colour it was stored in.
        surface = surface->convertedArea(0, 0, surface->width(), surface->height(),
                                         pixels::PixelFormat::Format24bppRGB);
        if (!surface) {
            return surface.error();
        }
    }
    auto bitmap = std::make_unique<Bitmap>(std::move(*surface));
    bitmap->setRawFormat(rawFormatOf(decoded.format));
    bitmap->setDecodedFlags(ImageFlagsHasRealPixelSize | ImageFlagsReadOnly);
    return bitmap;
}

} // namespace vellumark::gdiplus
