#include "codec/image_encoder.h"

#include "codecs/encoders/bmp_encoder.h"
#include "codecs/encoders/gif_encoder.h"
#include "codecs/encoders/jpeg_encoder.h"
#include "codecs/encoders/png_encoder.h"
#include "codecs/encoders/tiff_encoder.h"
#include "gdiplus/pixels/row_conversion.h"

#include <algorithm>
#include <cstring>

namespace vellumark::gdiplus {

namespace {

using codecs::EncoderImage;
using codecs::PixelLayout;
using pixels::PixelFormat;

// What an encoder reads: the surface's own memory when its layout already
// is the encoder's, otherwise converted pixels kept alive while it runs.
// Moving a Prepared keeps the spans valid (a vector's buffer moves with it).
struct Prepared {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> palette;
    EncoderImage image;
    int transparentIndex = -1; // GIF only
};

// GIF stores one bit of transparency: a pixel is either shown or not.
constexpr std::uint32_t kHalfAlpha = 128;

// The slot of the default 256-colour palette that stands for transparent
// pixels: past the 16 system colours and the 216-colour cube, a spare
// black entry that the quantiser never prefers to index 0.
constexpr std::uint8_t kTransparentSlot = 255;

int firstTransparentEntry(std::span<const std::uint32_t> palette) {
    const auto found = std::find_if(palette.begin(), palette.end(), [](std::uint32_t argb) {
        return pixels::AlphaOf(argb) < kHalfAlpha;
    });
    return found == palette.end() ? -1 : static_cast<int>(found - palette.begin());
}

// Marks the pixels of `surface` with alpha below one half in `prepared`'s
// 8-bit indices as kTransparentSlot, and moves any opaque pixel off that
// slot (it is black, like index 0). Nothing changes when no pixel is
// transparent.
void keyOutTransparentPixels(const PixelSurface& surface, Prepared& prepared) {
    const std::uint32_t width = surface.width();
    bool any = false;
    for (std::uint32_t y = 0; y < surface.height(); ++y) {
        std::uint8_t* row = prepared.bytes.data() + prepared.image.stride * y;
        const std::vector<std::uint32_t> argb = surface.readArgb(0, y, width, 1, false);
        for (std::uint32_t x = 0; x < width; ++x) {
            if (pixels::AlphaOf(argb[x]) < kHalfAlpha) {
                row[x] = kTransparentSlot;
                any = true;
            } else if (row[x] == kTransparentSlot) {
                row[x] = 0;
            }
        }
    }
    if (any && prepared.palette.size() > kTransparentSlot) {
        prepared.palette[kTransparentSlot] = 0;
        prepared.transparentIndex = kTransparentSlot;
    }
}

PixelLayout indexedLayout(PixelFormat format) {
    switch (pixels::BitsPerPixel(format)) {
    case 1:
        return PixelLayout::Indexed1;
    case 4:
        return PixelLayout::Indexed4;
    default:
        return PixelLayout::Indexed8;
    }
}

// The layout an encoder gets for a surface's format.
PixelLayout layoutFor(CodecId codec, PixelFormat format) {
    if (pixels::IsIndexed(format) && codec != CodecId::Jpeg) {
        return indexedLayout(format);
    }
    if (codec == CodecId::Gif) {
        return PixelLayout::Indexed8; // through the default 256-colour palette
    }
    const bool wide = format == PixelFormat::Format48bppRGB ||
                      format == PixelFormat::Format64bppARGB ||
                      format == PixelFormat::Format64bppPARGB;
    const bool alpha = pixels::HasAlpha(format) && codec != CodecId::Jpeg;
    if (wide && (codec == CodecId::Png || codec == CodecId::Tiff)) {
        return alpha ? PixelLayout::Rgba16 : PixelLayout::Rgb16;
    }
    return alpha ? PixelLayout::Bgra8 : PixelLayout::Bgr8;
}

Result<Prepared> prepare(CodecId codec, const EncodeFrame& frame) {
    const PixelSurface& surface = *frame.pixels;
    const std::uint32_t width = surface.width();
    const std::uint32_t height = surface.height();
    Prepared prepared;
    const PixelLayout layout = layoutFor(codec, surface.format());
    prepared.image.width = width;
    prepared.image.height = height;
    prepared.image.layout = layout;
    prepared.image.dpiX = frame.dpiX;
    prepared.image.dpiY = frame.dpiY;

    if (layout == PixelLayout::Indexed1 || layout == PixelLayout::Indexed4 ||
        layout == PixelLayout::Indexed8) {
        const PixelSurface* source = &surface;
        Result<PixelSurface> converted = Error{};
        if (!pixels::IsIndexed(surface.format())) {
            converted = surface.convertedArea(0, 0, width, height, PixelFormat::Format8bppIndexed);
            if (!converted) {
                return converted.error();
            }
            source = &*converted;
        }
        const std::size_t rowBytes = codecs::RowBytes(layout, width);
        prepared.bytes.resize(rowBytes * height);
        for (std::uint32_t y = 0; y < height; ++y) {
            std::memcpy(prepared.bytes.data() + rowBytes * y, source->row(y).data(), rowBytes);
        }
        prepared.palette = source->palette();
        prepared.image.stride = rowBytes;
        if (codec == CodecId::Gif && source == &surface) {
            prepared.transparentIndex = firstTransparentEntry(prepared.palette);
        } else if (codec == CodecId::Gif && pixels::HasAlpha(surface.format())) {
            keyOutTransparentPixels(surface, prepared);
        }
    } else if (layout == PixelLayout::Rgba16 || layout == PixelLayout::Rgb16) {
        const std::size_t channels = layout == PixelLayout::Rgba16 ? 4 : 3;
        prepared.image.stride = std::size_t{width} * channels * 2;
        prepared.bytes.resize(prepared.image.stride * height);
        std::vector<pixels::Color16> row(width);
        for (std::uint32_t y = 0; y < height; ++y) {
            if (!pixels::ReadWideRow(surface.format(), surface.row(y), 0, surface.palette(), row)) {
                return Error{GenericError, "row conversion failed"};
            }
            auto* out =
                reinterpret_cast<std::uint16_t*>(prepared.bytes.data() + prepared.image.stride * y);
            for (const pixels::Color16& c : row) {
                *out++ = c.r;
                *out++ = c.g;
                *out++ = c.b;
                if (channels == 4) {
                    *out++ = c.a;
                }
            }
        }
    } else if (layout == PixelLayout::Bgra8 && surface.format() == PixelFormat::Format32bppARGB &&
               surface.stride() > 0 && height > 0) {
        // 32bppARGB is stored as B, G, R, A bytes with straight alpha: the
        // encoder reads the rows where they are, with no full-size copy.
        prepared.image.stride = static_cast<std::size_t>(surface.stride());
        prepared.image.pixels = {surface.scan0(),
                                 prepared.image.stride * (height - 1) + std::size_t{width} * 4};
        return prepared;
    } else {
        const std::size_t channels = layout == PixelLayout::Bgra8 ? 4 : 3;
        prepared.image.stride = std::size_t{width} * channels;
        prepared.bytes.resize(prepared.image.stride * height);
        // Row by row, so no full-size ARGB copy exists beside the output.
        std::uint8_t* out = prepared.bytes.data();
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t argbPixel : surface.readArgb(0, y, width, 1, false)) {
                *out++ = static_cast<std::uint8_t>(pixels::BlueOf(argbPixel));
                *out++ = static_cast<std::uint8_t>(pixels::GreenOf(argbPixel));
                *out++ = static_cast<std::uint8_t>(pixels::RedOf(argbPixel));
                if (channels == 4) {
                    *out++ = static_cast<std::uint8_t>(pixels::AlphaOf(argbPixel));
                }
            }
        }
    }
    prepared.image.pixels = prepared.bytes;
    prepared.image.palette = prepared.palette;
    return prepared;
}

// The PNG encoder takes no parameters, so the level is ours to choose. The
// files this library writes mostly live in memory for a moment (a picture
// handed straight to a display), so speed counts for more than the last few
// percent of size: libdeflate's fastest level with the "up" filter is about
// five times faster than its default for files about 5 % larger, and still
// an ordinary PNG that any reader takes.
constexpr codecs::PngOptions kPngSaveOptions{codecs::PngFilter::Up, 1};

Error encodeFailure(codecs::EncodeError error) {
    switch (error) {
    case codecs::EncodeError::InvalidOptions:
    case codecs::EncodeError::Unsupported:
        return invalidArgument("the encoder cannot store this combination");
    case codecs::EncodeError::OverLimit:
        return Error{OutOfMemory, "image too large to encode"};
    default:
        return Error{GenericError, "encoder failed"};
    }
}

Result<codecs::TiffCompression> tiffCompression(const EncoderSettings& settings) {
    switch (settings.compression.value_or(EncoderValueCompressionLZW)) {
    case EncoderValueCompressionLZW:
        return codecs::TiffCompression::Lzw;
    case EncoderValueCompressionCCITT3:
        return codecs::TiffCompression::CcittGroup3;
    case EncoderValueCompressionCCITT4:
        return codecs::TiffCompression::CcittGroup4;
    case EncoderValueCompressionRle:
        return codecs::TiffCompression::CcittRle;
    case EncoderValueCompressionNone:
        return codecs::TiffCompression::None;
    default:
        return invalidArgument("not a TIFF compression");
    }
}

} // namespace

Result<std::vector<std::uint8_t>> encodeFrames(const CodecDescription& codec,
                                               std::span<const EncodeFrame> frames,
                                               const EncoderSettings& settings) {
    if (frames.empty()) {
        return invalidArgument("nothing to encode");
    }
    std::vector<Prepared> prepared;
    const std::size_t used =
        codec.id == CodecId::Gif || codec.id == CodecId::Tiff ? frames.size() : 1;
    for (std::size_t i = 0; i < used; ++i) {
        Result<Prepared> one = prepare(codec.id, frames[i]);
        if (!one) {
            return one.error();
        }
        prepared.push_back(std::move(*one));
    }

    codecs::ByteBuffer out;
    codecs::EncodeError error = codecs::EncodeError::None;
    switch (codec.id) {
    case CodecId::Bmp:
        error = codecs::EncodeBmp(prepared[0].image, out);
        break;
    case CodecId::Jpeg:
        error = codecs::EncodeJpeg(prepared[0].image,
                                   codecs::JpegOptions{settings.quality.value_or(75), false}, out);
        break;
    case CodecId::Png:
        error = codecs::EncodePng(prepared[0].image, kPngSaveOptions, out);
        break;
    case CodecId::Gif: {
        std::vector<codecs::GifFrame> gifFrames;
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            gifFrames.push_back(
                {prepared[i].image, frames[i].delayCentiseconds, prepared[i].transparentIndex});
        }
        error = codecs::EncodeGif(gifFrames, codecs::GifOptions{frames[0].loopCount}, out);
        break;
    }
    case CodecId::Tiff: {
        Result<codecs::TiffCompression> compression = tiffCompression(settings);
        if (!compression) {
            return compression.error();
        }
        std::vector<EncoderImage> pages;
        for (const Prepared& page : prepared) {
            pages.push_back(page.image);
        }
        error = codecs::EncodeTiff(pages, codecs::TiffOptions{*compression}, out);
        break;
    }
    default:
        return Error{FileNotFound, "no encoder for this format"};
    }
    if (error != codecs::EncodeError::None) {
        return encodeFailure(error);
    }
    return std::vector<std::uint8_t>(std::move(out));
}

} // namespace vellumark::gdiplus
