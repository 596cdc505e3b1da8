#include "codecs/checked_size.h"
#include "codecs/native/bmp_native.h"
#include "codecs/native/gif_native.h"
#include "codecs/native/icon_native.h"
#include "codecs/native/jpeg_native.h"
#include "codecs/native/native_picture.h"
#include "codecs/native/pcx_native.h"
#include "codecs/native/png_native.h"
#include "codecs/native/tiff_native.h"

#include <algorithm>

namespace vellumark::codecs::native {

std::uint32_t BitsPerPixel(NativeLayout layout) {
    switch (layout) {
    case NativeLayout::Indexed1:
        return 1;
    case NativeLayout::Indexed4:
        return 4;
    case NativeLayout::Indexed8:
        return 8;
    case NativeLayout::Rgb555:
    case NativeLayout::Rgb565:
    case NativeLayout::Argb1555:
        return 16;
    case NativeLayout::Bgr24:
        return 24;
    case NativeLayout::Bgrx32:
    case NativeLayout::Bgra32:
    case NativeLayout::Pbgra32:
    case NativeLayout::Cmyk32:
        return 32;
    case NativeLayout::Bgr48:
        return 48;
    case NativeLayout::Bgra64:
        return 64;
    }
    return 0;
}

std::optional<std::size_t> LayoutRowBytes(NativeLayout layout, std::uint32_t width) {
    return RowBytes(width, BitsPerPixel(layout), 1);
}

NativeFormat SniffNativeFormat(std::span<const std::uint8_t> data) {
    static constexpr std::uint8_t kTiffLittle[] = {'I', 'I', 42, 0};
    static constexpr std::uint8_t kTiffBig[] = {'M', 'M', 0, 42};
    if (data.size() >= 8 &&
        (std::equal(std::begin(kTiffLittle), std::end(kTiffLittle), data.begin()) ||
         std::equal(std::begin(kTiffBig), std::end(kTiffBig), data.begin()))) {
        return NativeFormat::Tiff;
    }
    switch (SniffPictureBoxFormat(data)) {
    case PictureFormat::Jpeg:
        return NativeFormat::Jpeg;
    case PictureFormat::Png:
        return NativeFormat::Png;
    case PictureFormat::Gif:
        return NativeFormat::Gif;
    case PictureFormat::Bmp:
        return NativeFormat::Bmp;
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
        return NativeFormat::Icon;
    case PictureFormat::Pcx:
        return NativeFormat::Pcx;
    default:
        return NativeFormat::None;
    }
}

DecodeError DecodeNative(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    out = NativePicture{};
    switch (SniffNativeFormat(data)) {
    case NativeFormat::Jpeg:
        return DecodeJpeg(data, sink, out);
    case NativeFormat::Png:
        return DecodePng(data, sink, out);
    case NativeFormat::Gif:
        return DecodeGif(data, sink, out);
    case NativeFormat::Bmp:
        return DecodeBmp(data, sink, out);
    case NativeFormat::Icon:
        return DecodeIcon(data, sink, out);
    case NativeFormat::Pcx:
        return DecodePcx(data, sink, out);
    case NativeFormat::Tiff:
        return DecodeTiff(data, sink, out);
    case NativeFormat::None:
        break;
    }
    return DecodeError::NotAPicture;
}

} // namespace vellumark::codecs::native
