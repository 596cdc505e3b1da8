#include "codecs/tests/png_writer.h"

#include <csetjmp>
#include <memory>
#include <png.h>

namespace vellumark::codecs::testing {

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<ByteVector*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

int Channels(PngSpec::ColourType type) {
    switch (type) {
    case PngSpec::kGrey:
        return 1;
    case PngSpec::kGreyAlpha:
        return 2;
    case PngSpec::kRgb:
        return 3;
    case PngSpec::kRgbAlpha:
        return 4;
    }
    return 1;
}

// Sample values packed as libpng expects: big-endian 16-bit, sub-byte
// samples packed from the high bit.
std::vector<std::vector<png_byte>> PatternRows(const PngSpec& variant, int width, int height) {
    const int channels = Channels(variant.colourType);
    const int maxValue = (1 << variant.bitDepth) - 1;
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width * channels * variant.bitDepth) + 7) / 8;
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height),
                                            std::vector<png_byte>(rowBytes, 0));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const int value = (x * 7 + y * 13 + c * 29) * (maxValue / 15 + 1) % (maxValue + 1);
                const int index = x * channels + c;
                auto& row = rows[static_cast<std::size_t>(y)];
                if (variant.bitDepth == 16) {
                    row[static_cast<std::size_t>(index * 2)] = static_cast<png_byte>(value >> 8);
                    row[static_cast<std::size_t>(index * 2 + 1)] = static_cast<png_byte>(value);
                } else {
                    const int bit = index * variant.bitDepth;
                    const int shift = 8 - variant.bitDepth - bit % 8;
                    row[static_cast<std::size_t>(bit / 8)] |= static_cast<png_byte>(value << shift);
                }
            }
        }
    }
    return rows;
}

bool Write(png_structp png, png_infop info, const PngSpec& variant, int width, int height,
           png_bytepp rows, const png_color_16& key, int filters) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 variant.bitDepth, variant.colourType,
                 variant.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (variant.colourKey) {
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    if (filters != 0) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

ByteVector WritePng(const PngSpec& variant, int width, int height, int filters) {
    auto rows = PatternRows(variant, width, height);
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) {
        rowPointers.push_back(row.data());
    }
    // The first pixel's value, read back from the packed row.
    png_color_16 key{};
    const auto sample = [&](int channel) -> png_uint_16 {
        const auto& row = rows[0];
        if (variant.bitDepth == 16) {
            return static_cast<png_uint_16>(row[static_cast<std::size_t>(channel * 2)] << 8 |
                                            row[static_cast<std::size_t>(channel * 2 + 1)]);
        }
        const int bit = channel * variant.bitDepth;
        return static_cast<png_uint_16>(
            (row[static_cast<std::size_t>(bit / 8)] >> (8 - variant.bitDepth - bit % 8)) &
            ((1 << variant.bitDepth) - 1));
    };
    key.gray = sample(0);
    key.red = sample(0);
    if (Channels(variant.colourType) >= 3) {
        key.green = sample(1);
        key.blue = sample(2);
    }

    ByteVector out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, nullptr);
    const bool ok = Write(png, info, variant, width, height, rowPointers.data(), key, filters);
    png_destroy_write_struct(&png, &info);
    return ok ? out : ByteVector{};
}

} // namespace vellumark::codecs::testing
