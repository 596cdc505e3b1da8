// Format: https://learn.microsoft.com/windows/win32/gdi/bitmap-storage
#include "codecs/native/bmp_native.h"

#include "codecs/bmp_decoder.h"
#include "codecs/byte_reader.h"
#include "codecs/checked_size.h"
#include "codecs/native/bgra_fallback.h"

#include <array>
#include <cstring>
#include <optional>

namespace vellumark::codecs::native {

namespace {

using Masks = std::array<std::uint32_t, 4>; // red, green, blue, alpha

// The BITMAPFILEHEADER before the DIB, and where BITMAPINFOHEADER keeps its
// pixels-per-metre fields.
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kPelsPerMetreX = kFileHeaderBytes + 24;
constexpr std::size_t kPelsPerMetreY = kFileHeaderBytes + 28;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr double kInchesPerMetre = 0.0254;

constexpr Masks kMasks555{0x7C00, 0x03E0, 0x001F, 0};
constexpr Masks kMasks1555{0x7C00, 0x03E0, 0x001F, 0x8000};
constexpr Masks kMasks565{0xF800, 0x07E0, 0x001F, 0};
constexpr Masks kMasksRgb32{0xFF0000, 0xFF00, 0xFF, 0};
constexpr Masks kMasksArgb32{0xFF0000, 0xFF00, 0xFF, 0xFF000000};

// The layout whose bytes the stored rows already are, or nothing when the
// pixels have to be converted.
std::optional<NativeLayout> StoredLayout(const DibLayout& dib) {
    if (dib.compression == DibCompression::Rle8 || dib.compression == DibCompression::Rle4) {
        return std::nullopt; // skipped pixels are transparent, which needs alpha
    }
    const bool plain = dib.compression == DibCompression::Rgb;
    switch (dib.bitsPerPixel) {
    case 1:
        return NativeLayout::Indexed1;
    case 4:
        return NativeLayout::Indexed4;
    case 8:
        return NativeLayout::Indexed8;
    case 16:
        if (plain || dib.masks == kMasks555) {
            return NativeLayout::Rgb555;
        }
        if (dib.masks == kMasks1555) {
            return NativeLayout::Argb1555;
        }
        if (dib.masks == kMasks565) {
            return NativeLayout::Rgb565;
        }
        return std::nullopt;
    case 24:
        return NativeLayout::Bgr24;
    case 32:
        if (plain || dib.masks == kMasksRgb32) {
            return NativeLayout::Bgrx32;
        }
        if (dib.masks == kMasksArgb32) {
            return NativeLayout::Bgra32;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void ReadResolution(std::span<const std::uint8_t> data, std::uint32_t headerSize,
                    NativePicture& out) {
    if (headerSize < kInfoHeaderBytes) {
        return;
    }
    ByteReader reader(data);
    reader.Seek(kPelsPerMetreX);
    const auto x = reader.I32LE();
    reader.Seek(kPelsPerMetreY);
    const auto y = reader.I32LE();
    if (x && y && *x > 0 && *y > 0) {
        out.dpiX = *x * kInchesPerMetre;
        out.dpiY = *y * kInchesPerMetre;
        out.realDpi = true;
    }
}

DecodeError CopyStoredRows(const DibLayout& dib, NativeLayout layout, FrameAllocator& frames) {
    const auto stride = RowBytes(dib.width, dib.bitsPerPixel, 4);
    const auto needed = DibPixelBytes(dib);
    const auto rowBytes = LayoutRowBytes(layout, dib.width);
    if (!stride || !needed || !rowBytes || *needed > dib.pixels.size()) {
        return DecodeError::Malformed;
    }
    NativeFrame frame{dib.width, dib.height, layout, {}};
    if (dib.bitsPerPixel <= 8) {
        for (std::uint32_t i = 0; i < dib.paletteSize; ++i) {
            const BgraPixel& entry = dib.palette[i];
            frame.palette.push_back(0xFF000000u | std::uint32_t{entry.r} << 16 |
                                    std::uint32_t{entry.g} << 8 | entry.b);
        }
    }
    FrameBuffer buffer;
    if (const DecodeError added = frames.Add(std::move(frame), buffer);
        added != DecodeError::None) {
        return added;
    }
    for (std::uint32_t stored = 0; stored < dib.height; ++stored) {
        const std::uint32_t y = dib.topDown ? stored : dib.height - 1 - stored;
        std::memcpy(buffer.scan0 + y * buffer.stride, dib.pixels.data() + stored * *stride,
                    *rowBytes);
    }
    return DecodeError::None;
}

} // namespace

DecodeError DecodeBmp(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    DibLayout dib;
    if (const DecodeError parsed = BmpDecoder::ParseFile(data, dib); parsed != DecodeError::None) {
        return parsed;
    }
    out.format = NativeFormat::Bmp;
    ByteReader header(data);
    header.Seek(kFileHeaderBytes);
    ReadResolution(data, header.U32LE().value_or(0), out);
    FrameAllocator frames(sink, out);
    if (const std::optional<NativeLayout> layout = StoredLayout(dib)) {
        return CopyStoredRows(dib, *layout, frames);
    }
    Bgra8Image converted;
    if (const DecodeError decoded = DecodeDibPixels(dib, converted); decoded != DecodeError::None) {
        return decoded;
    }
    const bool alpha = dib.bitsPerPixel <= 8 || dib.masks[3] != 0;
    return AddBgraFrame(converted, alpha ? NativeLayout::Bgra32 : NativeLayout::Bgrx32, frames);
}

} // namespace vellumark::codecs::native
