// Format: ZSoft "PCX Technical Reference Manual" (header layout, the 0xC0
// run marker, the 0x0C marker before the 256-colour palette).
#include "codecs/pcx_decoder.h"

#include "codecs/byte_reader.h"
#include "codecs/checked_size.h"
#include "codecs/limits.h"

#include <array>
#include <vector>

namespace vellumark::codecs {

namespace {

constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kRunLengthEncoding = 1;
constexpr std::size_t kHeaderBytes = 128;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kTrailingPaletteBytes = 1 + 256 * 3;
// One run (two bytes) expands to at most 63 bytes.
constexpr std::size_t kLongestRun = 63;

// The default 16-colour EGA palette (R, G, B) that version 3 files imply.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kEgaPalette = {{
    {0x00, 0x00, 0x00},
    {0x00, 0x00, 0xAA},
    {0x00, 0xAA, 0x00},
    {0x00, 0xAA, 0xAA},
    {0xAA, 0x00, 0x00},
    {0xAA, 0x00, 0xAA},
    {0xAA, 0x55, 0x00},
    {0xAA, 0xAA, 0xAA},
    {0x55, 0x55, 0x55},
    {0x55, 0x55, 0xFF},
    {0x55, 0xFF, 0x55},
    {0x55, 0xFF, 0xFF},
    {0xFF, 0x55, 0x55},
    {0xFF, 0x55, 0xFF},
    {0xFF, 0xFF, 0x55},
    {0xFF, 0xFF, 0xFF},
}};

bool SupportedLayout(std::uint32_t bits, std::uint32_t planes) {
    if (bits == 8) {
        return planes == 1 || planes == 3 || planes == 4;
    }
    return bits == 1 && (planes == 1 || planes == 4);
}

// Expands the run-length stream one scan line (all planes) at a time; a
// run may carry on into the next line, as some writers let it.
class RunLengthStream {
public:
    explicit RunLengthStream(std::span<const std::uint8_t> data) : data_(data) {}

    bool Fill(std::span<std::uint8_t> line) {
        for (std::uint8_t& byte : line) {
            while (runLeft_ == 0) {
                if (position_ >= data_.size()) {
                    return false;
                }
                const std::uint8_t code = data_[position_++];
                if ((code & 0xC0) != 0xC0) {
                    value_ = code;
                    runLeft_ = 1;
                } else {
                    if (position_ >= data_.size()) {
                        return false;
                    }
                    value_ = data_[position_++];
                    runLeft_ = code & 0x3Fu;
                }
            }
            byte = value_;
            --runLeft_;
        }
        return true;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    std::uint8_t value_ = 0;
    std::uint32_t runLeft_ = 0;
};

void PutPixel(std::uint8_t* pixel, std::uint8_t r, std::uint8_t g, std::uint8_t b,
              std::uint8_t a = 255) {
    pixel[0] = b;
    pixel[1] = g;
    pixel[2] = r;
    pixel[3] = a;
}

} // namespace

bool PcxDecoder::Sniff(std::span<const std::uint8_t> data) {
    if (data.size() < 4 || data[0] != kManufacturer || data[2] != kRunLengthEncoding) {
        return false;
    }
    const std::uint8_t version = data[1];
    const std::uint8_t bits = data[3];
    return (version <= 5 && bits == 8) || (version == 3 && bits == 1);
}

DecodeError PcxDecoder::ReadHeader(std::span<const std::uint8_t> data, Header& header) {
    if (!Sniff(data)) {
        return DecodeError::NotAPicture;
    }
    ByteReader reader(data);
    reader.Skip(1);
    header.version = reader.U8().value_or(0);
    reader.Skip(1);
    header.bitsPerPlane = reader.U8().value_or(0);
    const auto xMin = reader.U16LE();
    const auto yMin = reader.U16LE();
    const auto xMax = reader.U16LE();
    const auto yMax = reader.U16LE();
    reader.Seek(65);
    header.planes = reader.U8().value_or(0);
    header.bytesPerLine = reader.U16LE().value_or(0);
    if (reader.failed() || data.size() < kHeaderBytes || *xMax < *xMin || *yMax < *yMin) {
        return DecodeError::Malformed;
    }
    header.width = std::uint32_t{*xMax} - *xMin + 1;
    header.height = std::uint32_t{*yMax} - *yMin + 1;
    if (!WithinPixelLimits(header.width, header.height)) {
        return DecodeError::OverLimit;
    }
    if (!SupportedLayout(header.bitsPerPlane, header.planes)) {
        return DecodeError::Unsupported;
    }
    const auto needed = RowBytes(header.width, header.bitsPerPlane, 1);
    if (!needed || header.bytesPerLine < *needed) {
        return DecodeError::Malformed;
    }
    return DecodeError::None;
}

CodecCreation PcxDecoder::Create(std::span<const std::uint8_t> data) {
    Header header;
    if (const DecodeError read = ReadHeader(data, header); read != DecodeError::None) {
        return CreationFailed(read);
    }
    return Created<PcxDecoder>(data, header);
}

std::array<std::uint8_t, 3> PcxDecoder::ImpliedColour(const Header& header, unsigned int index) {
    return header.planes == 1 ? kEgaPalette[(index & 1u) * 15] : kEgaPalette[index & 15u];
}

PcxDecoder::PcxDecoder(std::span<const std::uint8_t> data, Header header)
    : data_(data), header_(header) {}

DecodeError PcxDecoder::ReadLines(std::span<const std::uint8_t>& palette,
                                  const std::function<DecodeError()>& allocate,
                                  const LineVisitor& line) const {
    std::span<const std::uint8_t> encoded = data_.subspan(kHeaderBytes);
    palette = {};
    if (header_.bitsPerPlane == 8 && header_.planes == 1) {
        if (encoded.size() < kTrailingPaletteBytes ||
            encoded[encoded.size() - kTrailingPaletteBytes] != kPaletteMarker) {
            return DecodeError::Malformed;
        }
        palette = encoded.last(kTrailingPaletteBytes - 1);
        encoded = encoded.first(encoded.size() - kTrailingPaletteBytes);
    }
    // Refuse before anything is allocated when even the longest runs could
    // not fill the picture from the bytes there are.
    const auto lineBytes = CheckedProduct({header_.planes, header_.bytesPerLine});
    const auto totalBytes = lineBytes ? CheckedProduct({*lineBytes, header_.height}) : std::nullopt;
    const auto reachable = CheckedProduct({encoded.size(), kLongestRun});
    if (!totalBytes || !reachable || *reachable / 2 + kLongestRun < *totalBytes) {
        return DecodeError::Malformed;
    }
    if (const DecodeError allocated = allocate(); allocated != DecodeError::None) {
        return allocated;
    }
    std::vector<std::uint8_t> scanLine(*lineBytes);
    RunLengthStream stream(encoded);
    for (std::uint32_t y = 0; y < header_.height; ++y) {
        if (!stream.Fill(scanLine)) {
            return DecodeError::Malformed;
        }
        line(y, scanLine);
    }
    return DecodeError::None;
}

DecodeError PcxDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image& out) {
    const std::size_t plane = header_.bytesPerLine;
    std::span<const std::uint8_t> palette;
    const auto allocate = [&] { return AllocateBgra(header_.width, header_.height, out); };
    return ReadLines(palette, allocate, [&](std::uint32_t y, std::span<const std::uint8_t> line) {
        std::uint8_t* row = out.pixels.data() + std::size_t{y} * header_.width * 4;
        for (std::uint32_t x = 0; x < header_.width; ++x) {
            std::uint8_t* pixel = row + std::size_t{x} * 4;
            if (header_.bitsPerPlane == 8 && header_.planes == 1) {
                const std::uint8_t* rgb = &palette[std::size_t{line[x]} * 3];
                PutPixel(pixel, rgb[0], rgb[1], rgb[2]);
            } else if (header_.bitsPerPlane == 8) {
                PutPixel(pixel, line[x], line[plane + x], line[2 * plane + x],
                         header_.planes == 4 ? line[3 * plane + x] : 255);
            } else {
                unsigned int index = 0;
                for (std::uint32_t p = 0; p < header_.planes; ++p) {
                    index |= ((unsigned{line[p * plane + x / 8]} >> (7 - x % 8)) & 1u) << p;
                }
                const auto rgb = ImpliedColour(header_, index);
                PutPixel(pixel, rgb[0], rgb[1], rgb[2]);
            }
        }
    });
}

} // namespace vellumark::codecs
