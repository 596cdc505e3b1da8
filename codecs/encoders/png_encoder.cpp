#include "png_encoder.h"

#include "byte_writer.h"
#include "png_encoder_deflate.h"

#include <algorithm>
#include <array>
#include <libdeflate.h>
#include <thread>

namespace vellumark::codecs {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Measured: the first band's block walk costs about two thirds of its
// compression, so it gets fewer rows to finish with the second.
constexpr double kFirstBandShare = 0.4;
constexpr unsigned kMaxThreads = 8;
// IDAT data is split so no single chunk needs a huge length.
constexpr std::size_t kIdatChunkBytes = std::size_t{1} << 20;

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

unsigned ThreadsFor(const PngOptions& options, std::size_t filteredBytes) {
    if (options.threads != 0) {
        return std::min(options.threads, kMaxThreads);
    }
    if (filteredBytes < kPngParallelMinBytes) {
        return 1;
    }
    return std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
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

    DeflateBandPlan plan;
    plan.rows = image.height;
    plan.rowBytes = rowBytes + 1;
    plan.level = options.compressionLevel;
    plan.threads = ThreadsFor(options, plan.rowBytes * plan.rows);
    const std::uint32_t bands = options.bands != 0 ? options.bands : plan.threads;
    // The first of two automatic bands also walks its blocks afterwards.
    plan.bandStarts = SplitRows(image.height, bands, options.bands != 0 ? 0 : kFirstBandShare);
    ZlibPieces compressed =
        CompressZlibInBands(plan, [&](std::uint32_t first, std::uint32_t end, std::uint8_t* into) {
            FilterRows(image, options.filter, header.bytesPerPixel, first, end, into);
        });
    if (compressed.error != EncodeError::None) {
        return compressed.error;
    }
    std::size_t compressedSize = 0;
    for (const ByteBuffer& piece : compressed.pieces) {
        compressedSize += piece.size();
    }

    ByteBuffer file;
    file.reserve(compressedSize + 1024 +
                 12 * (compressedSize / kIdatChunkBytes + compressed.pieces.size()));
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
    // Chunk boundaries need not match the stream's, so each piece is cut on
    // its own and nothing is joined first; each is freed once copied.
    for (ByteBuffer& piece : compressed.pieces) {
        const std::span<const std::uint8_t> data(piece);
        for (std::size_t at = 0; at < data.size(); at += kIdatChunkBytes) {
            AppendChunk(file, "IDAT",
                        data.subspan(at, std::min(kIdatChunkBytes, data.size() - at)));
        }
        ByteBuffer().swap(piece);
    }
    AppendChunk(file, "IEND", {});
    out = std::move(file);
    return EncodeError::None;
}

} // namespace vellumark::codecs
