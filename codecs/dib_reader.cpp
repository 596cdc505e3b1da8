#include "codecs/dib_reader.h"

#include "codecs/byte_reader.h"
#include "codecs/checked_size.h"
#include "codecs/limits.h"
#include "codecs/picture_codec.h"

#include <algorithm>
#include <bit>

namespace vellumark::codecs {

namespace {

// Header sizes with a fixed meaning; anything else from 16 to 64 bytes is
// an OS/2 2.x header, which shares the first 40 bytes' layout.
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kV2Header = 52; // adds the colour masks
constexpr std::uint32_t kV3Header = 56; // adds the alpha mask
constexpr std::uint32_t kV5Header = 124;
constexpr std::uint32_t kOs2MaxHeader = 64;

// biCompression values from wingdi.h.
enum : std::uint32_t {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitFields = 3,
    kBiJpeg = 4,
    kBiPng = 5,
    kBiAlphaBitFields = 6,
};

bool IsOs2V2Header(std::uint32_t size) {
    return size >= 16 && size <= kOs2MaxHeader && size != kInfoHeader && size != kV2Header &&
           size != kV3Header;
}

bool ValidDepth(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Reads a little-endian field of the header, or 0 when the header is too
// short to have it.
std::uint32_t Field(std::span<const std::uint8_t> header, std::size_t offset) {
    ByteReader reader(header);
    reader.Seek(offset);
    return reader.U32LE().value_or(0);
}

DecodeError ParseCompression(std::uint32_t headerSize, std::uint32_t raw, std::uint32_t bits,
                             DibCompression& compression) {
    if (IsOs2V2Header(headerSize) && (raw == 3 || raw == 4)) {
        return DecodeError::Unsupported; // OS/2 Huffman 1D and RLE24
    }
    switch (raw) {
    case kBiRgb:
        compression = DibCompression::Rgb;
        return DecodeError::None;
    case kBiRle8:
        compression = DibCompression::Rle8;
        return bits == 8 ? DecodeError::None : DecodeError::Malformed;
    case kBiRle4:
        compression = DibCompression::Rle4;
        return bits == 4 ? DecodeError::None : DecodeError::Malformed;
    case kBiBitFields:
    case kBiAlphaBitFields:
        compression = DibCompression::BitFields;
        return bits == 16 || bits == 32 ? DecodeError::None : DecodeError::Malformed;
    case kBiJpeg:
    case kBiPng:
        return DecodeError::Unsupported;
    default:
        return DecodeError::Malformed;
    }
}

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits.
class Channel {
public:
    Channel(std::uint32_t mask, std::uint8_t absent) : mask_(mask), absent_(absent) {
        if (mask != 0) {
            shift_ = std::countr_zero(mask);
            // A mask with holes counts its whole span.
            const auto width = std::bit_width(mask >> shift_);
            max_ = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1;
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const {
        if (mask_ == 0) {
            return absent_;
        }
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint8_t>((value * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_;
    std::uint8_t absent_;
    int shift_ = 0;
    std::uint32_t max_ = 1;
};

struct RowWriter {
    const DibLayout& layout;
    Bgra8Image& out;

    std::uint8_t* Pixel(std::uint32_t x, std::uint32_t storedRow) const {
        const std::uint32_t y = layout.topDown ? storedRow : layout.height - 1 - storedRow;
        return out.pixels.data() + (std::size_t{y} * out.width + x) * 4;
    }

    void Put(std::uint32_t x, std::uint32_t storedRow, BgraPixel colour) const {
        std::uint8_t* p = Pixel(x, storedRow);
        p[0] = colour.b;
        p[1] = colour.g;
        p[2] = colour.r;
        p[3] = colour.a;
    }
};

void DecodeRow(const DibLayout& layout, std::span<const std::uint8_t> row, std::uint32_t storedRow,
               const RowWriter& writer, const std::array<Channel, 4>& channels) {
    const std::uint32_t bits = layout.bitsPerPixel;
    for (std::uint32_t x = 0; x < layout.width; ++x) {
        BgraPixel colour;
        if (bits <= 8) {
            const std::size_t bit = std::size_t{x} * bits;
            const unsigned int shift = 8 - bits - static_cast<unsigned int>(bit % 8);
            const unsigned int index = (unsigned{row[bit / 8]} >> shift) & ((1u << bits) - 1);
            colour = layout.palette[index];
        } else if (bits == 24) {
            const std::uint8_t* p = &row[std::size_t{x} * 3];
            colour = {p[0], p[1], p[2], 255};
        } else {
            const std::size_t bytes = bits / 8;
            const std::uint8_t* p = &row[std::size_t{x} * bytes];
            std::uint32_t value = p[0] | static_cast<std::uint32_t>(p[1]) << 8;
            if (bytes == 4) {
                value |= static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3])
                                                                      << 24;
            }
            colour = {channels[2](value), channels[1](value), channels[0](value),
                      channels[3](value)};
        }
        writer.Put(x, storedRow, colour);
    }
}

DecodeError DecodeUncompressed(const DibLayout& layout, Bgra8Image& out) {
    const auto stride = RowBytes(layout.width, layout.bitsPerPixel, 4);
    const auto needed = DibPixelBytes(layout);
    if (!stride || !needed || *needed > layout.pixels.size()) {
        return DecodeError::Malformed;
    }
    const DecodeError sized = AllocateBgra(layout.width, layout.height, out);
    if (sized != DecodeError::None) {
        return sized;
    }
    std::array<std::uint32_t, 4> masks = layout.masks;
    if (layout.compression == DibCompression::Rgb) {
        masks = layout.bitsPerPixel == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                          : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
    }
    const std::array<Channel, 4> channels = {Channel(masks[0], 0), Channel(masks[1], 0),
                                             Channel(masks[2], 0), Channel(masks[3], 255)};
    const RowWriter writer{layout, out};
    for (std::uint32_t row = 0; row < layout.height; ++row) {
        const auto bytes = layout.pixels.subspan(std::size_t{row} * *stride);
        DecodeRow(layout, bytes, row, writer, channels);
    }
    return DecodeError::None;
}

// RLE8/RLE4: runs of one index, literal spans, end of line, end of bitmap
// and deltas. Pixels the data never reaches stay transparent; data that runs
// out before every row is reached is malformed.
DecodeError DecodeRunLength(const DibLayout& layout, Bgra8Image& out) {
    const DecodeError sized = AllocateBgra(layout.width, layout.height, out);
    if (sized != DecodeError::None) {
        return sized;
    }
    const RowWriter writer{layout, out};
    const bool fourBit = layout.compression == DibCompression::Rle4;
    std::uint64_t x = 0;
    std::uint64_t row = 0;
    auto put = [&](std::uint8_t index) {
        if (x < layout.width && row < layout.height) {
            writer.Put(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(row),
                       layout.palette[index]);
        }
        ++x;
    };
    ByteReader reader(layout.pixels);
    while (row < layout.height) {
        const auto count = reader.U8();
        const auto value = reader.U8();
        if (!count || !value) {
            return DecodeError::Malformed;
        }
        if (*count > 0) {
            for (unsigned int i = 0; i < *count; ++i) {
                put(fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? *value >> 4 : *value & 0x0F)
                            : *value);
            }
            continue;
        }
        if (*value == 0) { // end of line
            x = 0;
            ++row;
        } else if (*value == 1) { // end of bitmap
            break;
        } else if (*value == 2) { // delta
            const auto dx = reader.U8();
            const auto dy = reader.U8();
            if (!dx || !dy) {
                return DecodeError::Malformed;
            }
            x += *dx;
            row += *dy;
        } else { // literal span, padded to an even byte count
            const std::size_t literal = fourBit ? (*value + 1u) / 2 : *value;
            const auto bytes = reader.Bytes(literal + literal % 2);
            if (!bytes) {
                return DecodeError::Malformed;
            }
            for (unsigned int i = 0; i < *value; ++i) {
                put(fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? (*bytes)[i / 2] >> 4
                                                                   : (*bytes)[i / 2] & 0x0F)
                            : (*bytes)[i]);
            }
        }
    }
    return DecodeError::None;
}

} // namespace

std::optional<std::size_t> DibPixelBytes(const DibLayout& layout) {
    const auto stride = RowBytes(layout.width, layout.bitsPerPixel, 4);
    if (!stride || layout.height == 0) {
        return std::nullopt;
    }
    return CheckedProduct({*stride, layout.height});
}

DecodeError ParseDib(std::span<const std::uint8_t> dib, std::optional<std::size_t> pixelOffset,
                     bool heightIsDoubled, DibLayout& layout) {
    ByteReader reader(dib);
    const std::uint32_t headerSize = reader.U32LE().value_or(0);
    if (headerSize != kCoreHeader && (headerSize < 16 || headerSize > kV5Header)) {
        return DecodeError::Malformed;
    }
    const auto headerBytes = reader.At(0, headerSize);
    if (!headerBytes) {
        return DecodeError::Malformed;
    }
    const std::span<const std::uint8_t> header = *headerBytes;

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t rawCompression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    std::size_t paletteEntryBytes = 4;
    if (headerSize == kCoreHeader) {
        width = reader.U16LE().value_or(0);
        height = reader.U16LE().value_or(0);
        reader.Skip(2); // planes
        layout.bitsPerPixel = reader.U16LE().value_or(0);
        paletteEntryBytes = 3;
    } else {
        width = reader.I32LE().value_or(0);
        height = reader.I32LE().value_or(0);
        reader.Skip(2); // planes
        layout.bitsPerPixel = reader.U16LE().value_or(0);
        rawCompression = Field(header, 16);
        coloursUsed = Field(header, 32);
    }
    if (reader.failed() || width <= 0 || height == 0) {
        return DecodeError::Malformed;
    }
    layout.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (heightIsDoubled) {
        height /= 2;
        if (height == 0) {
            return DecodeError::Malformed;
        }
    }
    if (!WithinPixelLimits(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        return DecodeError::OverLimit;
    }
    layout.width = static_cast<std::uint32_t>(width);
    layout.height = static_cast<std::uint32_t>(height);
    if (layout.bitsPerPixel == 0 && (rawCompression == kBiJpeg || rawCompression == kBiPng)) {
        return DecodeError::Unsupported;
    }
    if (!ValidDepth(layout.bitsPerPixel)) {
        return DecodeError::Malformed;
    }
    const DecodeError compression =
        ParseCompression(headerSize, rawCompression, layout.bitsPerPixel, layout.compression);
    if (compression != DecodeError::None) {
        return compression;
    }

    // Bit-field masks sit in the header from V2 on; after a 40-byte header
    // they follow it, where the palette would start.
    std::size_t paletteStart = headerSize;
    if (layout.compression == DibCompression::BitFields) {
        if (headerSize >= kV2Header) {
            layout.masks = {Field(header, 40), Field(header, 44), Field(header, 48),
                            headerSize >= kV3Header ? Field(header, 52) : 0};
        } else {
            const std::size_t maskCount = rawCompression == kBiAlphaBitFields ? 4 : 3;
            const auto masks = reader.At(headerSize, maskCount * 4);
            if (!masks) {
                return DecodeError::Malformed;
            }
            for (std::size_t i = 0; i < maskCount; ++i) {
                layout.masks[i] = Field(*masks, i * 4);
            }
            paletteStart += maskCount * 4;
        }
    }

    std::size_t paletteCount = 0;
    if (layout.bitsPerPixel <= 8) {
        paletteCount = coloursUsed != 0 ? coloursUsed : (std::size_t{1} << layout.bitsPerPixel);
        if (paletteCount > kMaxPaletteEntries) {
            return DecodeError::Malformed;
        }
    } else if (coloursUsed != 0 && !pixelOffset) {
        // An optional colour table for display hints; only its size matters.
        paletteCount = coloursUsed;
    }
    const auto paletteBytes = CheckedProduct({paletteCount, paletteEntryBytes});
    const auto paletteEnd = paletteBytes ? CheckedSum(paletteStart, *paletteBytes) : std::nullopt;
    if (!paletteEnd) {
        return DecodeError::Malformed;
    }
    std::size_t pixelStart = *paletteEnd;
    std::size_t storedEntries = paletteCount;
    if (pixelOffset) {
        // Some writers claim more colours than they store before the pixels.
        if (*pixelOffset < paletteStart) {
            return DecodeError::Malformed;
        }
        pixelStart = *pixelOffset;
        storedEntries = std::min(paletteCount, (pixelStart - paletteStart) / paletteEntryBytes);
    }
    if (pixelStart > dib.size()) {
        return DecodeError::Malformed;
    }
    layout.paletteSize = layout.bitsPerPixel <= 8 ? static_cast<std::uint32_t>(storedEntries) : 0;
    const auto palette = reader.At(paletteStart, layout.paletteSize * paletteEntryBytes);
    if (!palette) {
        return DecodeError::Malformed;
    }
    for (std::size_t i = 0; i < layout.paletteSize; ++i) {
        const std::uint8_t* entry = &(*palette)[i * paletteEntryBytes];
        layout.palette[i] = {entry[0], entry[1], entry[2], 255};
    }
    layout.pixels = dib.subspan(pixelStart);
    return DecodeError::None;
}

DecodeError DecodeDibPixels(const DibLayout& layout, Bgra8Image& out) {
    if (layout.compression == DibCompression::Rle8 || layout.compression == DibCompression::Rle4) {
        return DecodeRunLength(layout, out);
    }
    return DecodeUncompressed(layout, out);
}

} // namespace vellumark::codecs
