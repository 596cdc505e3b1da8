// Format: https://learn.microsoft.com/previous-versions/ms997538(v=msdn.10)
// The directory's own width, height and depth bytes are often wrong (0 means
// 256, writers leave depth 0), so entries are measured from their image
// data instead.
#include "codecs/icon_decoder.h"

#include "codecs/byte_reader.h"
#include "codecs/checked_size.h"
#include "codecs/dib_reader.h"
#include "codecs/limits.h"
#include "codecs/png_decoder.h"

#include <algorithm>
#include <optional>

namespace vellumark::codecs {

namespace {

constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;

// ICONDIR: reserved 0, type (1 icon, 2 cursor), entry count; all 16-bit LE.
bool HasDirectory(std::span<const std::uint8_t> data, std::uint8_t type) {
    return data.size() >= 6 && data[0] == 0 && data[1] == 0 && data[2] == type && data[3] == 0 &&
           (data[4] != 0 || data[5] != 0);
}

std::uint32_t PngChannels(std::uint8_t colourType) {
    switch (colourType) {
    case 2:
        return 3; // RGB
    case 4:
        return 2; // grey + alpha
    case 6:
        return 4; // RGBA
    default:
        return 1; // grey, palette
    }
}

// Size and depth of one entry's image, or nothing when it is unreadable.
std::optional<IconDecoder::Entry> Measure(std::span<const std::uint8_t> bytes) {
    IconDecoder::Entry entry;
    entry.bytes = bytes;
    ByteReader reader(bytes);
    if (PngDecoder::Sniff(bytes)) {
        entry.isPng = true;
        reader.Seek(16);
        const auto width = reader.U32BE();
        const auto height = reader.U32BE();
        const auto depth = reader.U8();
        const auto colourType = reader.U8();
        if (reader.failed() || *width == 0 || *height == 0) {
            return std::nullopt;
        }
        entry.size = {*width, *height};
        entry.bitsPerPixel = std::uint32_t{*depth} * PngChannels(*colourType);
        return entry;
    }
    const auto headerSize = reader.U32LE();
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (headerSize == 12u) {
        width = reader.U16LE().value_or(0);
        height = reader.U16LE().value_or(0);
        reader.Skip(2);
    } else {
        width = reader.I32LE().value_or(0);
        height = reader.I32LE().value_or(0);
        reader.Skip(2);
    }
    const auto bits = reader.U16LE();
    height = (height < 0 ? -height : height) / 2; // the AND mask's rows are counted too
    if (reader.failed() || width <= 0 || height == 0 || width > 0xFFFFFFFF || height > 0xFFFFFFFF) {
        return std::nullopt;
    }
    entry.size = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    entry.bitsPerPixel = *bits;
    return entry;
}

// The AND mask follows the colour rows: 1 bit a pixel, rows padded to 4
// bytes, stored in the same row order. A set bit is a transparent pixel.
DecodeError ApplyAndMask(const DibLayout& layout, Bgra8Image& image) {
    const auto colourBytes = DibPixelBytes(layout);
    const auto stride = RowBytes(layout.width, 1, 4);
    const auto maskBytes = stride ? CheckedProduct({*stride, layout.height}) : std::nullopt;
    if (!colourBytes || !maskBytes) {
        return DecodeError::Malformed;
    }
    ByteReader reader(layout.pixels);
    const auto mask = reader.At(*colourBytes, *maskBytes);
    if (!mask) {
        return DecodeError::Malformed;
    }
    for (std::uint32_t row = 0; row < layout.height; ++row) {
        const std::uint32_t y = layout.topDown ? row : layout.height - 1 - row;
        const std::uint8_t* bits = mask->data() + std::size_t{row} * *stride;
        for (std::uint32_t x = 0; x < layout.width; ++x) {
            if ((bits[x / 8] >> (7 - x % 8)) & 1) {
                image.pixels[(std::size_t{y} * layout.width + x) * 4 + 3] = 0;
            }
        }
    }
    return DecodeError::None;
}

bool AnyAlpha(const Bgra8Image& image) {
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
        if (image.pixels[i] != 0) {
            return true;
        }
    }
    return false;
}

DecodeError DecodeDibEntry(std::span<const std::uint8_t> bytes, Bgra8Image& out) {
    DibLayout layout;
    const DecodeError parsed = ParseDib(bytes, std::nullopt, true, layout);
    if (parsed != DecodeError::None) {
        return parsed;
    }
    const bool direct32 = layout.bitsPerPixel == 32 && layout.compression == DibCompression::Rgb;
    if (direct32) {
        // In icons the fourth byte of a 32-bit pixel is alpha.
        layout.compression = DibCompression::BitFields;
        layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    }
    if (layout.compression == DibCompression::Rle8 || layout.compression == DibCompression::Rle4) {
        return DecodeError::Unsupported; // no writer puts RLE in icons
    }
    const DecodeError decoded = DecodeDibPixels(layout, out);
    if (decoded != DecodeError::None) {
        return decoded;
    }
    if (layout.bitsPerPixel == 32 && AnyAlpha(out)) {
        return DecodeError::None; // the alpha channel replaces the mask
    }
    if (layout.bitsPerPixel == 32) {
        // Old 32-bit icons leave alpha zero and rely on the mask alone.
        for (std::size_t i = 3; i < out.pixels.size(); i += 4) {
            out.pixels[i] = 255;
        }
    }
    return ApplyAndMask(layout, out);
}

} // namespace

bool IconDecoder::SniffIcon(std::span<const std::uint8_t> data) {
    return HasDirectory(data, 1);
}

bool IconDecoder::SniffCursor(std::span<const std::uint8_t> data) {
    return HasDirectory(data, 2);
}

bool IconDecoder::Better(const Entry& candidate, const Entry& best) {
    const std::uint64_t area = std::uint64_t{candidate.size.width} * candidate.size.height;
    const std::uint64_t bestArea = std::uint64_t{best.size.width} * best.size.height;
    return area > bestArea || (area == bestArea && candidate.bitsPerPixel > best.bitsPerPixel);
}

std::vector<IconDecoder::Entry> IconDecoder::Entries(std::span<const std::uint8_t> data) {
    std::vector<Entry> entries;
    if (!SniffIcon(data) && !SniffCursor(data)) {
        return entries;
    }
    ByteReader reader(data);
    reader.Seek(4);
    const std::uint32_t count =
        std::min<std::uint32_t>(reader.U16LE().value_or(0), kMaxIconEntries);
    for (std::uint32_t i = 0; i < count; ++i) {
        ByteReader field(data);
        field.Seek(kDirectoryBytes + std::size_t{i} * kEntryBytes + 8);
        const auto size = field.U32LE();
        const auto offset = field.U32LE();
        if (!size || !offset) {
            break; // the directory is cut short; use the entries before
        }
        if (*offset >= data.size()) {
            continue;
        }
        const auto bytes =
            data.subspan(*offset, std::min<std::size_t>(*size, data.size() - *offset));
        if (const auto entry = Measure(bytes)) {
            entries.push_back(*entry);
        }
    }
    return entries;
}

CodecCreation IconDecoder::Create(std::span<const std::uint8_t> data) {
    if (!SniffIcon(data) && !SniffCursor(data)) {
        return CreationFailed(DecodeError::NotAPicture);
    }
    std::optional<Entry> best;
    for (const Entry& entry : Entries(data)) {
        if (!best || Better(entry, *best)) {
            best = entry;
        }
    }
    if (!best) {
        return CreationFailed(DecodeError::Malformed);
    }
    if (!WithinPixelLimits(best->size.width, best->size.height)) {
        return CreationFailed(DecodeError::OverLimit);
    }
    return Created<IconDecoder>(*best);
}

IconDecoder::IconDecoder(Entry chosen) : chosen_(chosen) {}

DecodeError IconDecoder::DecodeEntry(const Entry& entry, const DecodeOptions& options,
                                     Bgra8Image& out) {
    if (!WithinPixelLimits(entry.size.width, entry.size.height)) {
        return DecodeError::OverLimit;
    }
    if (!entry.isPng) {
        return DecodeDibEntry(entry.bytes, out);
    }
    CodecCreation png = PngDecoder::Create(entry.bytes);
    if (png.error != DecodeError::None) {
        return png.error;
    }
    return png.codec->DecodeFirstFrame(options, out);
}

DecodeError IconDecoder::DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) {
    return DecodeEntry(chosen_, options, out);
}

} // namespace vellumark::codecs
