#include "codec/gdi_dib.h"

#include "gdiplus/pixels/argb.h"

#include <cstring>

namespace vellumark::gdiplus {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::int64_t kMaxSide = 65535;

Result<pixels::PixelFormat> formatOf(const BITMAPINFO& info) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    const bool bitfields = header.biCompression == kBiBitfields;
    if (header.biCompression != kBiRgb && !bitfields) {
        return invalidArgument("compressed DIBs are not accepted");
    }
    switch (header.biBitCount) {
    case 1:
        return pixels::PixelFormat::Format1bppIndexed;
    case 4:
        return pixels::PixelFormat::Format4bppIndexed;
    case 8:
        return pixels::PixelFormat::Format8bppIndexed;
    case 16: {
        if (!bitfields) {
            return pixels::PixelFormat::Format16bppRGB555;
        }
        std::uint32_t redMask = 0;
        std::memcpy(&redMask, info.bmiColors, sizeof redMask);
        if (redMask == 0xF800) {
            return pixels::PixelFormat::Format16bppRGB565;
        }
        if (redMask == 0x7C00) {
            return pixels::PixelFormat::Format16bppRGB555;
        }
        return invalidArgument("unsupported 16-bit masks");
    }
    case 24:
        return pixels::PixelFormat::Format24bppRGB;
    case 32:
        return pixels::PixelFormat::Format32bppRGB;
    default:
        return invalidArgument("unsupported bit count");
    }
}

} // namespace

Result<PixelSurface> surfaceFromDib(const BITMAPINFO& info, const std::uint8_t* bits) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    const std::int64_t width = header.biWidth;
    const std::int64_t height =
        header.biHeight < 0 ? -std::int64_t{header.biHeight} : std::int64_t{header.biHeight};
    if (header.biSize < sizeof(BITMAPINFOHEADER) || width <= 0 || width > kMaxSide || height == 0 ||
        height > kMaxSide) {
        return invalidArgument("bad DIB header");
    }
    Result<pixels::PixelFormat> format = formatOf(info);
    if (!format) {
        return format.error();
    }
    Result<PixelSurface> surface = PixelSurface::allocate(
        static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), *format);
    if (!surface) {
        return surface;
    }
    const std::uint32_t capacity = pixels::PaletteCapacity(*format);
    if (capacity > 0) {
        const std::uint32_t used =
            header.biClrUsed == 0 || header.biClrUsed > capacity ? capacity : header.biClrUsed;
        std::vector<std::uint32_t> palette(used);
        for (std::uint32_t i = 0; i < used; ++i) {
            const RGBQUAD& q = info.bmiColors[i];
            palette[i] = pixels::MakeArgb(255, q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
        surface->setPalette(std::move(palette));
    }
    const std::size_t rowBytes = static_cast<std::size_t>(surface->stride());
    for (std::uint32_t y = 0; y < surface->height(); ++y) {
        const std::uint32_t sourceRow =
            header.biHeight < 0 ? y : surface->height() - 1 - y; // bottom-up by default
        std::memcpy(surface->row(y).data(), bits + rowBytes * sourceRow, rowBytes);
    }
    return surface;
}

} // namespace vellumark::gdiplus
