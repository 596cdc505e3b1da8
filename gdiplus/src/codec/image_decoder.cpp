#include "codec/image_decoder.h"

#include "codecs/native/native_picture.h"
#include "gdiplus/pixels/argb.h"
#include "gdiplus/pixels/row_conversion.h"

#include <algorithm>

namespace vellumark::gdiplus {

namespace {

namespace native = codecs::native;
using native::NativeLayout;
using pixels::PixelFormat;

PixelFormat formatOf(NativeLayout layout) {
    switch (layout) {
    case NativeLayout::Indexed1:
        return PixelFormat::Format1bppIndexed;
    case NativeLayout::Indexed4:
        return PixelFormat::Format4bppIndexed;
    case NativeLayout::Indexed8:
        return PixelFormat::Format8bppIndexed;
    case NativeLayout::Rgb555:
        return PixelFormat::Format16bppRGB555;
    case NativeLayout::Rgb565:
        return PixelFormat::Format16bppRGB565;
    case NativeLayout::Argb1555:
        return PixelFormat::Format16bppARGB1555;
    case NativeLayout::Bgr24:
        return PixelFormat::Format24bppRGB;
    case NativeLayout::Bgrx32:
        return PixelFormat::Format32bppRGB;
    case NativeLayout::Bgra32:
        return PixelFormat::Format32bppARGB;
    case NativeLayout::Pbgra32:
        return PixelFormat::Format32bppPARGB;
    case NativeLayout::Bgr48:
        return PixelFormat::Format48bppRGB;
    case NativeLayout::Bgra64:
        return PixelFormat::Format64bppARGB;
    case NativeLayout::Cmyk32:
        return PixelFormat::Format32bppCMYK;
    }
    return PixelFormat::Format32bppARGB;
}

// Frames go straight into the memory of the surfaces the bitmap will keep;
// a surface's pixel block does not move when the surface itself is moved.
class SurfaceSink final : public native::FrameSink {
public:
    std::optional<native::FrameBuffer> Allocate(std::size_t,
                                                const native::NativeFrame& frame) override {
        const PixelFormat format = formatOf(frame.layout);
        Result<PixelSurface> surface = PixelSurface::allocate(frame.width, frame.height, format);
        if (!surface) {
            return std::nullopt;
        }
        if (pixels::IsIndexed(format)) {
            std::vector<std::uint32_t> palette = frame.palette;
            palette.resize(std::min<std::size_t>(palette.size(), pixels::PaletteCapacity(format)));
            surface->setPalette(std::move(palette));
        }
        surfaces.push_back(std::move(*surface));
        PixelSurface& kept = surfaces.back();
        return native::FrameBuffer{kept.scan0(), static_cast<std::size_t>(kept.stride())};
    }

    std::vector<PixelSurface> surfaces;
};

// The decoders hand 16-bit samples over as the file stores them (gamma
// encoded); 48/64-bit surfaces keep linear light.
void linearizeWideFrame(PixelSurface& surface) {
    const PixelFormat format = surface.format();
    if (format != PixelFormat::Format48bppRGB && format != PixelFormat::Format64bppARGB) {
        return;
    }
    const bool alpha = format == PixelFormat::Format64bppARGB;
    const std::size_t step = alpha ? 8 : 6;
    std::vector<pixels::Color16> colours(surface.width());
    for (std::uint32_t y = 0; y < surface.height(); ++y) {
        std::span<std::uint8_t> row = surface.row(y);
        for (std::uint32_t x = 0; x < surface.width(); ++x) {
            const std::uint8_t* p = row.data() + x * step;
            auto word = [p](std::size_t at) {
                return static_cast<std::uint16_t>(p[at] | p[at + 1] << 8);
            };
            colours[x] = {alpha ? word(6) : std::uint16_t{0xFFFF}, word(4), word(2), word(0)};
        }
        [[maybe_unused]] const bool written =
            pixels::WriteWideRow(format, colours, nullptr, row, 0);
    }
}

GUID rawFormatOf(native::NativeFormat format) {
    switch (format) {
    case native::NativeFormat::Jpeg:
        return kImageFormatJpeg;
    case native::NativeFormat::Bmp:
        return kImageFormatBmp;
    case native::NativeFormat::Png:
        return kImageFormatPng;
    case native::NativeFormat::Icon:
        return kImageFormatIcon;
    case native::NativeFormat::Gif:
        return kImageFormatGif;
    case native::NativeFormat::Tiff:
        return kImageFormatTiff;
    default:
        return kImageFormatUndefined;
    }
}

UINT colourSpaceFlag(native::ColourSpace space) {
    switch (space) {
    case native::ColourSpace::Gray:
        return ImageFlagsColorSpaceGRAY;
    case native::ColourSpace::Cmyk:
        return ImageFlagsColorSpaceCMYK;
    case native::ColourSpace::Ycbcr:
        return ImageFlagsColorSpaceYCBCR;
    case native::ColourSpace::Ycck:
        return ImageFlagsColorSpaceYCCK;
    case native::ColourSpace::Rgb:
        break;
    }
    return ImageFlagsColorSpaceRGB;
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

} // namespace

Result<std::unique_ptr<Bitmap>> decodeImage(std::span<const std::uint8_t> file) {
    SurfaceSink sink;
    native::NativePicture picture;
    const codecs::DecodeError error = native::DecodeNative(file, sink, picture);
    if (error != codecs::DecodeError::None || sink.surfaces.empty()) {
        return decodeFailure(error);
    }
    for (PixelSurface& surface : sink.surfaces) {
        linearizeWideFrame(surface);
    }
    const GUID& dimension = picture.dimension == native::FrameDimension::Time ? kFrameDimensionTime
                                                                              : kFrameDimensionPage;
    auto bitmap = std::make_unique<Bitmap>(std::move(sink.surfaces), dimension);
    bitmap->setRawFormat(rawFormatOf(picture.format));
    bitmap->setResolution(static_cast<REAL>(picture.dpiX), static_cast<REAL>(picture.dpiY));
    bitmap->setHasRealDpi(picture.realDpi);
    bitmap->setDecodedFlags(ImageFlagsHasRealPixelSize | ImageFlagsReadOnly |
                            colourSpaceFlag(picture.colourSpace));
    for (native::PropertyItem& item : picture.properties) {
        bitmap->properties().set({item.id, item.type, std::move(item.value)});
    }
    return bitmap;
}

} // namespace vellumark::gdiplus
