#include "png_encoder_filter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vellumark::codecs {

namespace {

// One source row in PNG's sample order.
void ToPngSamples(PixelLayout layout, std::span<const std::uint8_t> src, std::uint8_t* dst) {
    switch (layout) {
    case PixelLayout::Bgra8:
        for (std::size_t i = 0; i < src.size(); i += 4) {
            dst[i] = src[i + 2];
            dst[i + 1] = src[i + 1];
            dst[i + 2] = src[i];
            dst[i + 3] = src[i + 3];
        }
        break;
    case PixelLayout::Bgr8:
        for (std::size_t i = 0; i < src.size(); i += 3) {
            dst[i] = src[i + 2];
            dst[i + 1] = src[i + 1];
            dst[i + 2] = src[i];
        }
        break;
    case PixelLayout::Rgba16:
    case PixelLayout::Rgb16:
        // Host-order 16-bit samples become big-endian.
        for (std::size_t i = 0; i < src.size(); i += 2) {
            std::uint16_t v = 0;
            std::memcpy(&v, src.data() + i, 2);
            dst[i] = static_cast<std::uint8_t>(v >> 8);
            dst[i + 1] = static_cast<std::uint8_t>(v);
        }
        break;
    default:
        std::copy(src.begin(), src.end(), dst);
        break;
    }
}

std::uint8_t Paeth(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) {
        return a;
    }
    return pb <= pc ? b : c;
}

// The filtered row without its type byte; `previous` is all zero for the
// first row of the image.
void FilterRow(PngFilter filter, std::size_t bpp, const std::uint8_t* row,
               const std::uint8_t* previous, std::size_t length, std::uint8_t* dst) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t left = i >= bpp ? row[i - bpp] : 0;
        const std::uint8_t up = previous[i];
        const std::uint8_t upLeft = i >= bpp ? previous[i - bpp] : 0;
        std::uint8_t predicted = 0;
        switch (filter) {
        case PngFilter::None:
            break;
        case PngFilter::Sub:
            predicted = left;
            break;
        case PngFilter::Up:
            predicted = up;
            break;
        case PngFilter::Average:
            predicted = static_cast<std::uint8_t>((left + up) / 2);
            break;
        case PngFilter::Paeth:
            predicted = Paeth(left, up, upLeft);
            break;
        }
        dst[i] = static_cast<std::uint8_t>(row[i] - predicted);
    }
}

// BGRA to RGBA and "up" in one pass: the difference of swapped bytes is the
// swapped difference.
void UpFilterBgra(const std::uint8_t* row, const std::uint8_t* above, std::size_t length,
                  std::uint8_t* dst) {
    if (above == nullptr) {
        ToPngSamples(PixelLayout::Bgra8, {row, length}, dst);
        return;
    }
    for (std::size_t i = 0; i < length; i += 4) {
        dst[i] = static_cast<std::uint8_t>(row[i + 2] - above[i + 2]);
        dst[i + 1] = static_cast<std::uint8_t>(row[i + 1] - above[i + 1]);
        dst[i + 2] = static_cast<std::uint8_t>(row[i] - above[i]);
        dst[i + 3] = static_cast<std::uint8_t>(row[i + 3] - above[i + 3]);
    }
}

} // namespace

void FilterRows(const EncoderImage& image, PngFilter filter, std::size_t bytesPerPixel,
                std::uint32_t firstRow, std::uint32_t endRow, std::uint8_t* out) {
    const std::size_t rowBytes = RowBytes(image.layout, image.width);
    if (image.layout == PixelLayout::Bgra8 && filter == PngFilter::Up) {
        for (std::uint32_t y = firstRow; y < endRow; ++y, out += rowBytes + 1) {
            out[0] = static_cast<std::uint8_t>(PngFilter::Up);
            const std::uint8_t* above = y > 0 ? ImageRow(image, y - 1).data() : nullptr;
            UpFilterBgra(ImageRow(image, y).data(), above, rowBytes, out + 1);
        }
        return;
    }
    std::vector<std::uint8_t> current(rowBytes);
    std::vector<std::uint8_t> previous(rowBytes, 0);
    if (firstRow > 0) {
        ToPngSamples(image.layout, ImageRow(image, firstRow - 1), previous.data());
    }
    for (std::uint32_t y = firstRow; y < endRow; ++y, out += rowBytes + 1) {
        ToPngSamples(image.layout, ImageRow(image, y), current.data());
        out[0] = static_cast<std::uint8_t>(filter);
        FilterRow(filter, bytesPerPixel, current.data(), previous.data(), rowBytes, out + 1);
        current.swap(previous);
    }
}

} // namespace vellumark::codecs
