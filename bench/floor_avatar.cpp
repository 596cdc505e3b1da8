#include "bench/floor_avatar.h"

#include "bench/jpeg_error_jump.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <png.h>

namespace vellumark::bench {
namespace {

using Pixels = std::vector<std::uint8_t>;

struct Rgba {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Pixels pixels;
};

bool WithinLimit(std::uint32_t width, std::uint32_t height) {
    return width > 0 && height > 0 && std::uint64_t{width} * height <= kFloorMaxPixels;
}

// Only plain data lives in this frame, so the long jump skips no destructor;
// `out` lives in the caller's.
bool DecompressJpeg(std::span<const std::uint8_t> file, Rgba* out) {
    jpeg_decompress_struct info{};
    JpegErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnJpegError;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_RGBA;
    if (!WithinLimit(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    out->width = info.output_width;
    out->height = info.output_height;
    out->pixels.resize(std::size_t{out->width} * out->height * 4);
    while (info.output_scanline < info.output_height) {
        std::uint8_t* row = out->pixels.data() + std::size_t{info.output_scanline} * out->width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool DecompressPng(std::span<const std::uint8_t> file, Rgba* out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        return false;
    }
    if (!WithinLimit(image.width, image.height)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    out->width = image.width;
    out->height = image.height;
    out->pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr) != 0;
}

void PutBigEndian(Pixels& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(Pixels& out, const char (&type)[5], std::span<const std::uint8_t> data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, libdeflate_crc32(0, out.data() + typeAt, 4 + data.size()));
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// A PNG of 8-bit RGBA rows (https://www.w3.org/TR/png/): signature, IHDR,
// one IDAT with the whole zlib stream, IEND.
Pixels EncodeRgbaPng(const Pixels& rgba, std::uint32_t side) {
    const std::size_t rowBytes = std::size_t{side} * 4;
    Pixels filtered((rowBytes + 1) * side);
    for (std::uint32_t y = 0; y < side; ++y) {
        std::uint8_t* out = filtered.data() + y * (rowBytes + 1);
        const std::uint8_t* row = rgba.data() + y * rowBytes;
        out[0] = 2; // filter type "up"
        if (y == 0) {
            std::memcpy(out + 1, row, rowBytes);
            continue;
        }
        const std::uint8_t* above = row - rowBytes;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            out[1 + i] = static_cast<std::uint8_t>(row[i] - above[i]);
        }
    }

    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(1));
    if (!compressor) {
        return {};
    }
    Pixels idat(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
    const std::size_t packed = libdeflate_zlib_compress(compressor.get(), filtered.data(),
                                                        filtered.size(), idat.data(), idat.size());
    if (packed == 0) {
        return {};
    }
    idat.resize(packed);

    Pixels png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.reserve(png.size() + packed + 64);
    Pixels header;
    PutBigEndian(header, side);
    PutBigEndian(header, side);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", {});
    return png;
}

} // namespace

std::vector<std::uint8_t> CutTopLeftDisc(std::span<const std::uint8_t> pixels, std::uint32_t width,
                                         std::uint32_t side) {
    Pixels canvas(std::size_t{side} * side * 4, 0);
    const double radius = side / 2.0;
    for (std::uint32_t y = 0; y < side; ++y) {
        // Pixels whose centre lies in the disc: |x + 0.5 - radius| <= half.
        const double dy = y + 0.5 - radius;
        const double reach = radius * radius - dy * dy;
        if (reach < 0) {
            continue;
        }
        const double half = std::sqrt(reach);
        const double first = std::max(0.0, std::ceil(radius - half - 0.5));
        const double end = std::min(static_cast<double>(side), std::floor(radius + half - 0.5) + 1);
        if (first < end) {
            const auto from = static_cast<std::size_t>(first);
            const auto count = static_cast<std::size_t>(end) - from;
            std::memcpy(canvas.data() + (std::size_t{y} * side + from) * 4,
                        pixels.data() + (std::size_t{y} * width + from) * 4, count * 4);
        }
    }
    return canvas;
}

std::vector<std::uint8_t> FloorAvatarPng(std::span<const std::uint8_t> file) {
    static constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P',  'N',  'G',
                                                               '\r', '\n', 0x1A, '\n'};
    Rgba source;
    bool decoded = false;
    if (file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF) {
        decoded = DecompressJpeg(file, &source);
    } else if (file.size() >= kPngSignature.size() &&
               std::equal(kPngSignature.begin(), kPngSignature.end(), file.begin())) {
        decoded = DecompressPng(file, &source);
    }
    if (!decoded) {
        return {};
    }
    const std::uint32_t side = std::min(source.width, source.height);
    return EncodeRgbaPng(CutTopLeftDisc(source.pixels, source.width, side), side);
}

} // namespace vellumark::bench
