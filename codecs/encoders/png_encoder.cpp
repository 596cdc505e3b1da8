#include "png_encoder.h"

#include "byte_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>

namespace vellumark::codecs {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// IDAT data is split so no single chunk needs a huge length.
constexpr std::size_t kIdatChunkBytes = std::size_t{1} << 20;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void AppendChunk(ByteBuffer& out, const char (&type)[5], std::span<const std::uint8_t> data) {
    AppendBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::uint32_t crc = libdeflate_crc32(0, out.data() + typeAt, out.size() - typeAt);
    AppendBe32(out, crc);
}

struct Header {
    std::uint8_t bitDepth;
    std::uint8_t colourType;
    std::size_t bytesPerPixel; // for filtering: whole bytes, at least 1
};

Header HeaderFor(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::Bgra8:
        return {8, 6, 4};
    case PixelLayout::Bgr8:
        return {8, 2, 3};
    case PixelLayout::Gray8:
        return {8, 0, 1};
    case PixelLayout::Indexed1:
        return {1, 3, 1};
    case PixelLayout::Indexed4:
        return {4, 3, 1};
    case PixelLayout::Indexed8:
        return {8, 3, 1};
    case PixelLayout::Rgba16:
        return {16, 6, 8};
    case PixelLayout::Rgb16:
        return {16, 2, 6};
    }
    return {8, 6, 4};
}

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

// Writes the filter type byte and the filtered row; `previous` is all zero
// for the first row.
void FilterRow(PngFilter filter, std::size_t bpp, const std::uint8_t* row,
               const std::uint8_t* previous, std::size_t length, std::uint8_t* out) {
    out[0] = static_cast<std::uint8_t>(filter);
    std::uint8_t* dst = out + 1;
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

// PLTE and tRNS, covering every index the pixels use.
void AppendPalette(const EncoderImage& image, ByteBuffer& out) {
    const std::size_t count = PaletteEntriesNeeded(image);
    ByteBuffer plte;
    ByteBuffer trns;
    std::size_t lastTranslucent = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t argb = PaletteEntry(image, i);
        plte.push_back(static_cast<std::uint8_t>(argb >> 16));
        plte.push_back(static_cast<std::uint8_t>(argb >> 8));
        plte.push_back(static_cast<std::uint8_t>(argb));
        trns.push_back(static_cast<std::uint8_t>(argb >> 24));
        if (trns.back() != 0xFF) {
            lastTranslucent = i + 1;
        }
    }
    AppendChunk(out, "PLTE", plte);
    if (lastTranslucent > 0) {
        AppendChunk(out, "tRNS", std::span(trns).first(lastTranslucent));
    }
}

} // namespace

EncodeError EncodePng(const EncoderImage& image, const PngOptions& options, ByteBuffer& out) {
    if (const EncodeError error = ValidateImage(image); error != EncodeError::None) {
        return error;
    }
    if (options.compressionLevel < 0 || options.compressionLevel > 12 ||
        options.filter < PngFilter::None || options.filter > PngFilter::Paeth) {
        return EncodeError::InvalidOptions;
    }
    const Header header = HeaderFor(image.layout);
    const std::size_t rowBytes = RowBytes(image.layout, image.width);

    // Filter every row into one buffer (validation bounds its size).
    ByteBuffer filtered((rowBytes + 1) * image.height);
    ByteBuffer current(rowBytes);
    ByteBuffer previous(rowBytes, 0);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        ToPngSamples(image.layout, ImageRow(image, y), current.data());
        FilterRow(options.filter, header.bytesPerPixel, current.data(), previous.data(), rowBytes,
                  filtered.data() + (rowBytes + 1) * y);
        current.swap(previous);
    }

    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(options.compressionLevel));
    if (!compressor) {
        return EncodeError::CodecFailure;
    }
    ByteBuffer compressed(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
    const std::size_t compressedSize = libdeflate_zlib_compress(
        compressor.get(), filtered.data(), filtered.size(), compressed.data(), compressed.size());
    if (compressedSize == 0) {
        return EncodeError::CodecFailure;
    }
    compressed.resize(compressedSize);

    ByteBuffer file;
    file.reserve(compressedSize + 1024);
    file.insert(file.end(), kSignature.begin(), kSignature.end());
    ByteBuffer ihdr;
    AppendBe32(ihdr, image.width);
    AppendBe32(ihdr, image.height);
    ihdr.insert(ihdr.end(), {header.bitDepth, header.colourType, 0, 0, 0});
    AppendChunk(file, "IHDR", ihdr);
    const std::uint32_t ppmX = DotsPerMetre(image.dpiX);
    const std::uint32_t ppmY = DotsPerMetre(image.dpiY);
    if (ppmX != 0 && ppmY != 0) {
        ByteBuffer phys;
        AppendBe32(phys, ppmX);
        AppendBe32(phys, ppmY);
        phys.push_back(1); // unit: metre
        AppendChunk(file, "pHYs", phys);
    }
    if (header.colourType == 3) {
        AppendPalette(image, file);
    }
    const std::span<const std::uint8_t> data(compressed);
    for (std::size_t at = 0; at < data.size(); at += kIdatChunkBytes) {
        AppendChunk(file, "IDAT", data.subspan(at, std::min(kIdatChunkBytes, data.size() - at)));
    }
    AppendChunk(file, "IEND", {});
    out = std::move(file);
    return EncodeError::None;
}

} // namespace vellumark::codecs
