#include "image/pixel_surface.h"

#include "core/limits.h"
#include "gdiplus/pixels/argb.h"
#include "gdiplus/pixels/premultiply.h"
#include "gdiplus/pixels/row_conversion.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vellumark::gdiplus {

using pixels::PixelFormat;

namespace {

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime,
// yellow, blue, fuchsia, aqua, white.
constexpr std::uint32_t kVgaColours[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

Result<std::int32_t> strideFor(PixelFormat format, std::uint32_t width) {
    const std::optional<std::int32_t> stride = pixels::MinimumStride(format, width);
    if (!stride) {
        return Error{OutOfMemory, "row too long"};
    }
    return *stride;
}

} // namespace

std::vector<std::uint32_t> defaultPalette(PixelFormat format) {
    switch (pixels::PaletteCapacity(format)) {
    case 2:
        return {0xFF000000, 0xFFFFFFFF};
    case 16:
        return {std::begin(kVgaColours), std::end(kVgaColours)};
    case 256: {
        std::vector<std::uint32_t> palette(std::begin(kVgaColours), std::end(kVgaColours));
        for (std::uint32_t r = 0; r < 6; ++r) {
            for (std::uint32_t g = 0; g < 6; ++g) {
                for (std::uint32_t b = 0; b < 6; ++b) {
                    palette.push_back(pixels::MakeArgb(255, r * 51, g * 51, b * 51));
                }
            }
        }
        palette.resize(256, 0xFF000000);
        return palette;
    }
    default:
        return {};
    }
}

PixelSurface::PixelSurface(std::uint32_t width, std::uint32_t height, PixelFormat format,
                           std::int32_t stride)
    : width_(width), height_(height), format_(format), stride_(stride) {}

Result<PixelSurface> PixelSurface::allocate(std::uint32_t width, std::uint32_t height,
                                            PixelFormat format) {
    if (width == 0 || height == 0 || !pixels::ToPixelFormat(pixels::Value(format))) {
        return invalidArgument("bad surface size or format");
    }
    Result<std::int32_t> stride = strideFor(format, width);
    if (!stride) {
        return stride.error();
    }
    const std::uint64_t bytes = std::uint64_t{static_cast<std::uint32_t>(*stride)} * height;
    if (bytes > limits::kMaxAllocationBytes) {
        return Error{OutOfMemory, "surface too large"};
    }
    PixelSurface surface(width, height, format, *stride);
    surface.owned_.assign(static_cast<std::size_t>(bytes), 0);
    surface.palette_ = defaultPalette(format);
    return surface;
}

Result<PixelSurface> PixelSurface::borrow(std::uint32_t width, std::uint32_t height,
                                          PixelFormat format, std::int32_t stride,
                                          std::uint8_t* scan0) {
    if (width == 0 || height == 0 || scan0 == nullptr ||
        !pixels::ToPixelFormat(pixels::Value(format))) {
        return invalidArgument("bad surface size, format or memory");
    }
    const std::optional<std::int32_t> minimum = pixels::MinimumStride(format, width);
    const std::int64_t magnitude = std::abs(std::int64_t{stride});
    if (!minimum || stride % 4 != 0 || magnitude < *minimum) {
        return invalidArgument("stride not a multiple of 4 or shorter than a row");
    }
    PixelSurface surface(width, height, format, stride);
    surface.borrowed_ = scan0;
    surface.palette_ = defaultPalette(format);
    return surface;
}

PixelSurface::PixelSurface(const PixelSurface& other)
    : width_(other.width_), height_(other.height_), format_(other.format_),
      stride_(static_cast<std::int32_t>(other.rowBytes())), palette_(other.palette_) {
    owned_.resize(rowBytes() * height_);
    for (std::uint32_t y = 0; y < height_; ++y) {
        std::copy_n(other.rowStart(y), rowBytes(), owned_.data() + rowBytes() * y);
    }
}

PixelSurface& PixelSurface::operator=(const PixelSurface& other) {
    if (this != &other) {
        PixelSurface copy(other);
        *this = std::move(copy);
    }
    return *this;
}

std::size_t PixelSurface::rowBytes() const {
    return static_cast<std::size_t>(std::abs(std::int64_t{stride_}));
}

std::uint8_t* PixelSurface::rowStart(std::uint32_t y) const {
    std::uint8_t* base =
        borrowed_ != nullptr ? borrowed_ : const_cast<std::uint8_t*>(owned_.data());
    return base + std::int64_t{stride_} * y;
}

std::span<std::uint8_t> PixelSurface::row(std::uint32_t y) {
    return {rowStart(y), rowBytes()};
}

std::span<const std::uint8_t> PixelSurface::row(std::uint32_t y) const {
    return {rowStart(y), rowBytes()};
}

std::vector<std::uint32_t> PixelSurface::readArgb(bool premultiplied) const {
    return readArgb(0, 0, width_, height_, premultiplied);
}

std::vector<std::uint32_t> PixelSurface::readArgb(std::uint32_t x, std::uint32_t y,
                                                  std::uint32_t width, std::uint32_t height,
                                                  bool premultiplied) const {
    std::vector<std::uint32_t> argb(std::size_t{width} * height);
    for (std::uint32_t r = 0; r < height; ++r) {
        std::span<std::uint32_t> out(argb.data() + std::size_t{width} * r, width);
        // The surface's own geometry guarantees the row holds these pixels.
        if (!pixels::ReadArgbRow(format_, row(y + r), x, palette_, out)) {
            std::fill(out.begin(), out.end(), 0u);
        }
        if (premultiplied) {
            pixels::PremultiplyRow(out);
        }
    }
    return argb;
}

Result<void> PixelSurface::writeArgb(std::span<const std::uint32_t> argb, bool premultiplied) {
    if (argb.size() != std::size_t{width_} * height_) {
        return invalidArgument("pixel count does not match the surface");
    }
    pixels::PaletteMatcher matcher(palette_);
    std::vector<std::uint32_t> straight;
    for (std::uint32_t y = 0; y < height_; ++y) {
        std::span<const std::uint32_t> source = argb.subspan(std::size_t{width_} * y, width_);
        if (premultiplied) {
            straight.assign(source.begin(), source.end());
            pixels::UnpremultiplyRow(straight);
            source = straight;
        }
        if (!pixels::WriteArgbRow(format_, source, &matcher, row(y), 0)) {
            return Error{GenericError, "row conversion failed"};
        }
    }
    return success();
}

Result<PixelSurface> PixelSurface::convertedArea(std::uint32_t x, std::uint32_t y,
                                                 std::uint32_t width, std::uint32_t height,
                                                 PixelFormat format) const {
    if (width == 0 || height == 0 || x > width_ || y > height_ || width > width_ - x ||
        height > height_ - y) {
        return invalidArgument("area outside the surface");
    }
    Result<PixelSurface> target = allocate(width, height, format);
    if (!target) {
        return target;
    }
    if (pixels::IsIndexed(format) && pixels::IsIndexed(format_) &&
        pixels::PaletteCapacity(format) >= palette_.size()) {
        target->palette_ = palette_;
    }
    // Same layout: copy bytes exactly (indexed pixels keep their indices).
    if (format == format_ && !pixels::IsIndexed(format)) {
        const std::size_t bytesPerPixel = pixels::BitsPerPixel(format) / 8;
        for (std::uint32_t r = 0; r < height; ++r) {
            std::memcpy(target->row(r).data(), row(y + r).data() + bytesPerPixel * x,
                        bytesPerPixel * width);
        }
        return target;
    }
    if (Result<void> written = target->writeArgb(readArgb(x, y, width, height, false)); !written) {
        return written.error();
    }
    return target;
}

} // namespace vellumark::gdiplus
