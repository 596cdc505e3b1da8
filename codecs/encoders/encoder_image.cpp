#include "encoder_image.h"

#include <algorithm>
#include <cmath>

namespace vellumark::codecs {

std::uint32_t BitsPerPixel(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::Bgra8:
        return 32;
    case PixelLayout::Bgr8:
        return 24;
    case PixelLayout::Gray8:
    case PixelLayout::Indexed8:
        return 8;
    case PixelLayout::Indexed1:
        return 1;
    case PixelLayout::Indexed4:
        return 4;
    case PixelLayout::Rgba16:
        return 64;
    case PixelLayout::Rgb16:
        return 48;
    }
    return 0;
}

bool IsIndexed(PixelLayout layout) {
    return layout == PixelLayout::Indexed1 || layout == PixelLayout::Indexed4 ||
           layout == PixelLayout::Indexed8;
}

std::size_t RowBytes(PixelLayout layout, std::uint32_t width) {
    return static_cast<std::size_t>((std::uint64_t{width} * BitsPerPixel(layout) + 7) / 8);
}

EncodeError ValidateImage(const EncoderImage& image) {
    if (BitsPerPixel(image.layout) == 0 || image.width == 0 || image.height == 0) {
        return EncodeError::InvalidImage;
    }
    if (image.width > kMaxEncodeDimension || image.height > kMaxEncodeDimension) {
        return EncodeError::OverLimit;
    }
    // Both sizes are at most 2^16, so none of these products can overflow.
    const std::uint64_t rowBytes = RowBytes(image.layout, image.width);
    if (rowBytes > kMaxEncodeRowBytes || rowBytes * image.height > kMaxEncodeImageBytes) {
        return EncodeError::OverLimit;
    }
    if (image.stride < rowBytes || image.stride > kMaxEncodeImageBytes) {
        return EncodeError::InvalidImage;
    }
    const std::uint64_t needed = std::uint64_t{image.stride} * (image.height - 1) + rowBytes;
    if (image.pixels.data() == nullptr || image.pixels.size() < needed) {
        return EncodeError::InvalidImage;
    }
    if (IsIndexed(image.layout) && image.palette.empty()) {
        return EncodeError::InvalidImage;
    }
    return EncodeError::None;
}

std::span<const std::uint8_t> ImageRow(const EncoderImage& image, std::uint32_t y) {
    return image.pixels.subspan(image.stride * y, RowBytes(image.layout, image.width));
}

std::uint32_t IndexAt(PixelLayout layout, std::span<const std::uint8_t> row, std::uint32_t x) {
    switch (layout) {
    case PixelLayout::Indexed1:
        return (std::uint32_t{row[x / 8]} >> (7 - x % 8)) & 1u;
    case PixelLayout::Indexed4:
        return (std::uint32_t{row[x / 2]} >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
    default:
        return row[x];
    }
}

std::size_t PaletteEntriesNeeded(const EncoderImage& image) {
    const std::size_t capacity = std::size_t{1} << BitsPerPixel(image.layout);
    std::size_t used = 0;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const auto row = ImageRow(image, y);
        for (std::uint32_t x = 0; x < image.width; ++x) {
            used = std::max<std::size_t>(used, IndexAt(image.layout, row, x) + 1);
        }
    }
    return std::max(std::min(image.palette.size(), capacity), used);
}

std::uint32_t PaletteEntry(const EncoderImage& image, std::size_t i) {
    return i < image.palette.size() ? image.palette[i] : 0xFF000000u;
}

std::uint32_t DotsPerMetre(double dpi) {
    if (!std::isfinite(dpi) || dpi <= 0) {
        return 0;
    }
    const double perMetre = std::round(dpi / 0.0254);
    return perMetre < 4294967295.0 ? static_cast<std::uint32_t>(perMetre) : 0;
}

} // namespace vellumark::codecs
