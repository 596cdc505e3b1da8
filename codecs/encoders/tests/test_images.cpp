#include "test_images.h"

#include <cstring>

namespace vellumark::codecs::testing {

SampleImage::SampleImage(const SampleImage& other)
    : pixels(other.pixels), palette(other.palette), view(other.view) {
    view.pixels = pixels;
    view.palette = palette;
}

SampleImage MakeSample(PixelLayout layout, std::uint32_t width, std::uint32_t height,
                       std::size_t padding) {
    SampleImage sample;
    const std::size_t rowBytes = RowBytes(layout, width);
    const std::size_t stride = rowBytes + padding;
    sample.pixels.assign(stride * height, 0xEE);
    if (IsIndexed(layout)) {
        const std::uint32_t entries = 1u << BitsPerPixel(layout);
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::uint32_t alpha = i % 5 == 1 ? 0x40 : (i % 7 == 2 ? 0x00 : 0xFF);
            sample.palette.push_back((alpha << 24) | ((i * 37) & 0xFF) << 16 |
                                     ((i * 91 + 13) & 0xFF) << 8 | ((255 - i * 11) & 0xFF));
        }
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* row = sample.pixels.data() + stride * y;
        std::memset(row, 0, rowBytes);
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t v = x * 7 + y * 13;
            switch (layout) {
            case PixelLayout::Indexed1:
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | ((v / 3) % 2) << (7 - x % 8));
                break;
            case PixelLayout::Indexed4:
                row[x / 2] =
                    static_cast<std::uint8_t>(row[x / 2] | (v % 16) << (x % 2 == 0 ? 4 : 0));
                break;
            case PixelLayout::Indexed8:
            case PixelLayout::Gray8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            case PixelLayout::Bgr8:
            case PixelLayout::Bgra8: {
                const std::size_t n = layout == PixelLayout::Bgr8 ? 3 : 4;
                std::uint8_t* p = row + n * x;
                p[0] = static_cast<std::uint8_t>(x * 255 / width);
                p[1] = static_cast<std::uint8_t>(y * 255 / height);
                p[2] = static_cast<std::uint8_t>(v);
                if (n == 4) {
                    p[3] = static_cast<std::uint8_t>((x + y) % 3 == 0 ? 255 : (x * 40 + y) % 256);
                }
                break;
            }
            case PixelLayout::Rgba16:
            case PixelLayout::Rgb16: {
                const std::size_t n = layout == PixelLayout::Rgb16 ? 3 : 4;
                const std::uint16_t samples[4] = {
                    static_cast<std::uint16_t>(x * 65535 / width),
                    static_cast<std::uint16_t>(v * 257 + 1),
                    static_cast<std::uint16_t>(y * 4099),
                    static_cast<std::uint16_t>(65535 - x * 301),
                };
                std::memcpy(row + 2 * n * x, samples, 2 * n);
                break;
            }
            }
        }
    }
    sample.view.width = width;
    sample.view.height = height;
    sample.view.layout = layout;
    sample.view.pixels = sample.pixels;
    sample.view.stride = stride;
    sample.view.palette = sample.palette;
    return sample;
}

Rgba SourcePixel(const EncoderImage& image, std::uint32_t x, std::uint32_t y) {
    const auto row = ImageRow(image, y);
    switch (image.layout) {
    case PixelLayout::Bgra8:
        return {row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]};
    case PixelLayout::Bgr8:
        return {row[3 * x + 2], row[3 * x + 1], row[3 * x], 255};
    case PixelLayout::Gray8:
        return {row[x], row[x], row[x], 255};
    case PixelLayout::Rgba16:
    case PixelLayout::Rgb16: {
        const std::size_t n = image.layout == PixelLayout::Rgb16 ? 3 : 4;
        std::uint16_t s[4] = {0, 0, 0, 65535};
        std::memcpy(s, row.data() + 2 * n * x, 2 * n);
        return {s[0], s[1], s[2], s[3]};
    }
    default: {
        const std::uint32_t index = IndexAt(image.layout, row, x);
        const std::uint32_t argb =
            index < image.palette.size() ? image.palette[index] : 0xFF000000u;
        return {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24};
    }
    }
}

} // namespace vellumark::codecs::testing
