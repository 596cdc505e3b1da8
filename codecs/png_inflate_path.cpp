// Format: https://www.w3.org/TR/png/ (chunks, filters).
#include "codecs/png_inflate_path.h"

#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <vector>

namespace vellumark::codecs {

namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr std::uint32_t kIhdr = 0x49484452;
constexpr std::uint32_t kIdat = 0x49444154;
constexpr std::uint32_t kIend = 0x49454E44;
constexpr std::uint32_t kPlte = 0x504C5445;
constexpr std::uint32_t kTrns = 0x74524E53;

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

bool IsCritical(std::uint32_t type) {
    return (type & 0x20000000u) == 0; // upper-case first letter
}

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// The file's IHDR fields this path accepts, and its image data joined.
struct SimplePng {
    std::size_t channels = 0;
    std::vector<std::uint8_t> imageData;
};

// Walks the chunks, checking every CRC; false when libpng should decide.
bool ReadChunks(std::span<const std::uint8_t> data, SimplePng& png) {
    std::size_t position = kSignatureSize;
    bool seenHeader = false;
    bool imageDataEnded = false;
    bool seenImageData = false;
    while (true) {
        if (data.size() - position < 12) {
            return false; // no IEND: let libpng judge the cut file
        }
        const std::uint8_t* chunk = data.data() + position;
        const std::uint32_t length = BigEndian32(chunk);
        const std::uint32_t type = BigEndian32(chunk + 4);
        if (length > 0x7FFFFFFFu || length > data.size() - position - 12) {
            return false;
        }
        const std::uint8_t* body = chunk + 8;
        if (libdeflate_crc32(0, chunk + 4, std::size_t{length} + 4) != BigEndian32(body + length)) {
            return false;
        }
        if (!seenHeader) {
            // 8-bit samples, RGB (2) or RGBA (6), deflate, adaptive filters,
            // not interlaced.
            if (type != kIhdr || length != 13 || body[8] != 8 || (body[9] != 2 && body[9] != 6) ||
                body[10] != 0 || body[11] != 0 || body[12] != 0) {
                return false;
            }
            png.channels = body[9] == 6 ? 4 : 3;
            seenHeader = true;
        } else if (type == kIdat) {
            if (imageDataEnded) {
                return false; // image data must be consecutive
            }
            seenImageData = true;
            png.imageData.insert(png.imageData.end(), body, body + length);
        } else if (type == kIend) {
            return seenImageData;
        } else {
            imageDataEnded = seenImageData;
            if (type == kTrns || (IsCritical(type) && type != kPlte) || type == kIhdr) {
                return false;
            }
        }
        position += std::size_t{length} + 12;
    }
}

std::uint8_t Paeth(std::uint8_t left, std::uint8_t up, std::uint8_t upLeft) {
    const int estimate = int{left} + int{up} - int{upLeft};
    const int toLeft = std::abs(estimate - int{left});
    const int toUp = std::abs(estimate - int{up});
    const int toUpLeft = std::abs(estimate - int{upLeft});
    if (toLeft <= toUp && toLeft <= toUpLeft) {
        return left;
    }
    return toUp <= toUpLeft ? up : upLeft;
}

// Undoes one row's filter in place; `previous` is the row above, already
// unfiltered, or null for the first row.
bool Unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* previous,
              std::size_t length, std::size_t pixelBytes) {
    const auto up = [&](std::size_t i) -> std::uint8_t {
        return previous != nullptr ? previous[i] : 0;
    };
    const auto left = [&](std::size_t i) -> std::uint8_t {
        return i >= pixelBytes ? row[i - pixelBytes] : 0;
    };
    const auto upLeft = [&](std::size_t i) -> std::uint8_t {
        return i >= pixelBytes && previous != nullptr ? previous[i - pixelBytes] : 0;
    };
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = pixelBytes; i < length; ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - pixelBytes]);
        }
        return true;
    case 2:
        if (previous != nullptr) {
            for (std::size_t i = 0; i < length; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
            }
        }
        return true;
    case 3:
        for (std::size_t i = 0; i < length; ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + ((left(i) + up(i)) >> 1));
        }
        return true;
    case 4:
        for (std::size_t i = 0; i < length; ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left(i), up(i), upLeft(i)));
        }
        return true;
    default:
        return false;
    }
}

} // namespace

InflatePathResult DecodeWithInflatePath(std::span<const std::uint8_t> data, PictureSize size,
                                        Bgra8Image& out) {
    SimplePng png;
    if (data.size() < kSignatureSize || !ReadChunks(data, png)) {
        return InflatePathResult::LeftToLibpng;
    }
    const std::size_t rowBytes = std::size_t{size.width} * png.channels;
    const std::size_t stride = rowBytes + 1; // each row starts with its filter byte
    std::vector<std::uint8_t> raw(stride * size.height);
    const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(
        libdeflate_alloc_decompressor());
    if (decompressor == nullptr) {
        return InflatePathResult::LeftToLibpng;
    }
    std::size_t produced = 0;
    if (libdeflate_zlib_decompress(decompressor.get(), png.imageData.data(), png.imageData.size(),
                                   raw.data(), raw.size(), &produced) != LIBDEFLATE_SUCCESS ||
        produced != raw.size()) {
        return InflatePathResult::LeftToLibpng;
    }
    if (AllocateBgra(size.width, size.height, out) != DecodeError::None) {
        return InflatePathResult::LeftToLibpng;
    }
    const std::uint8_t* previous = nullptr;
    for (std::size_t y = 0; y < size.height; ++y) {
        std::uint8_t* row = raw.data() + y * stride;
        if (!Unfilter(row[0], row + 1, previous, rowBytes, png.channels)) {
            return InflatePathResult::LeftToLibpng;
        }
        const std::uint8_t* source = row + 1;
        std::uint8_t* target = out.pixels.data() + y * std::size_t{size.width} * 4;
        for (std::size_t x = 0; x < size.width; ++x, source += png.channels, target += 4) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = png.channels == 4 ? source[3] : 0xFF;
        }
        previous = row + 1;
    }
    return InflatePathResult::Decoded;
}

} // namespace vellumark::codecs
