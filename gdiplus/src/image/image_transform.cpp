#include "image/image_transform.h"

#include <QImage>
#include <cstring>

namespace vellumark::gdiplus {

namespace {

// Reads and writes one pixel's bits, whatever the depth: below a byte the
// pixel is a bit field packed from the most significant bit.
class PixelCells {
public:
    explicit PixelCells(std::uint32_t bitsPerPixel) : bits_(bitsPerPixel) {}

    void copy(std::span<const std::uint8_t> from, std::uint32_t fromX, std::span<std::uint8_t> to,
              std::uint32_t toX) const {
        if (bits_ >= 8) {
            const std::size_t bytes = bits_ / 8;
            std::memcpy(to.data() + bytes * toX, from.data() + bytes * fromX, bytes);
            return;
        }
        const std::uint32_t value = get(from, fromX);
        const std::size_t bit = std::size_t{toX} * bits_;
        const unsigned shift = 8 - bits_ - static_cast<unsigned>(bit % 8);
        const auto mask = static_cast<std::uint8_t>(((1u << bits_) - 1) << shift);
        std::uint8_t& cell = to[bit / 8];
        cell = static_cast<std::uint8_t>((cell & ~std::uint32_t{mask}) | ((value << shift) & mask));
    }

private:
    std::uint32_t get(std::span<const std::uint8_t> row, std::uint32_t x) const {
        const std::size_t bit = std::size_t{x} * bits_;
        const unsigned shift = 8 - bits_ - static_cast<unsigned>(bit % 8);
        return (std::uint32_t{row[bit / 8]} >> shift) & ((1u << bits_) - 1);
    }

    std::uint32_t bits_;
};

} // namespace

Result<PixelSurface> rotateFlip(const PixelSurface& source, RotateFlipType type) {
    // Types 0-3 rotate clockwise by 90 x type; 4-7 rotate by 90 x (type - 4)
    // and then flip horizontally, which is flipping first and rotating the
    // other way round.
    const bool flipX = type >= 4;
    const int quarterTurns = flipX ? (4 - type % 4) % 4 : type % 4;
    const bool swaps = quarterTurns % 2 == 1;
    const std::uint32_t w = source.width();
    const std::uint32_t h = source.height();
    Result<PixelSurface> target =
        PixelSurface::allocate(swaps ? h : w, swaps ? w : h, source.format());
    if (!target) {
        return target;
    }
    target->setPalette(source.palette());
    const PixelCells cells(pixels::BitsPerPixel(source.format()));
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::span<const std::uint8_t> from = source.row(y);
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint32_t fx = flipX ? w - 1 - x : x;
            std::uint32_t tx = fx;
            std::uint32_t ty = y;
            switch (quarterTurns) {
            case 1:
                tx = h - 1 - y;
                ty = fx;
                break;
            case 2:
                tx = w - 1 - fx;
                ty = h - 1 - y;
                break;
            case 3:
                tx = y;
                ty = w - 1 - fx;
                break;
            default:
                break;
            }
            cells.copy(from, x, target->row(ty), tx);
        }
    }
    return target;
}

Result<PixelSurface> scaledCopy(const PixelSurface& source, std::uint32_t width,
                                std::uint32_t height) {
    std::vector<std::uint32_t> pargb = source.readArgb(true);
    const QImage original(reinterpret_cast<const uchar*>(pargb.data()),
                          static_cast<int>(source.width()), static_cast<int>(source.height()),
                          static_cast<qsizetype>(source.width()) * 4,
                          QImage::Format_ARGB32_Premultiplied);
    const QImage scaled = original.scaled(static_cast<int>(width), static_cast<int>(height),
                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) {
        return Error{OutOfMemory, "scaling failed"};
    }
    Result<PixelSurface> target =
        PixelSurface::allocate(width, height, pixels::PixelFormat::Format32bppPARGB);
    if (!target) {
        return target;
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        std::memcpy(target->row(y).data(), scaled.constScanLine(static_cast<int>(y)),
                    std::size_t{width} * 4);
    }
    return target;
}

} // namespace vellumark::gdiplus
