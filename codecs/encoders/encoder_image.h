// What every whole-file encoder takes: a neutral description of pixels in
// caller memory, and the error values the encoders return.
//
// Rows run top-down, `stride` bytes apart, each starting at a byte. Layouts:
// Bgra8 (B, G, R, A bytes, straight alpha), Bgr8, Gray8, Indexed1/4/8
// (indices packed from the most significant bits, with an ARGB palette),
// Rgba16 / Rgb16 (16-bit samples in host byte order, R first). The encoders
// never throw for bad input; they check the description with
// ValidateImage first and report what is wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::codecs {

using ByteBuffer = std::vector<std::uint8_t>;

enum class PixelLayout { Bgra8, Bgr8, Gray8, Indexed1, Indexed4, Indexed8, Rgba16, Rgb16 };

struct EncoderImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    PixelLayout layout = PixelLayout::Bgra8;
    std::span<const std::uint8_t> pixels;
    std::size_t stride = 0;
    std::span<const std::uint32_t> palette; // ARGB, alpha in the top byte; indexed layouts only
    double dpiX = 0;                        // resolution; 0 means not recorded
    double dpiY = 0;
};

enum class EncodeError {
    None,
    InvalidImage,   // inconsistent description: sizes, stride, pixel span, palette
    InvalidOptions, // an option out of its range
    Unsupported,    // a valid combination this format cannot store
    OverLimit,      // dimensions or bytes beyond the limits below
    CodecFailure,   // the codec library failed
};

// Limits that keep a hostile caller from asking for unbounded memory.
inline constexpr std::uint32_t kMaxEncodeDimension = 1u << 16;
inline constexpr std::uint64_t kMaxEncodeRowBytes = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kMaxEncodeImageBytes = std::uint64_t{1} << 30;

std::uint32_t BitsPerPixel(PixelLayout layout);
bool IsIndexed(PixelLayout layout);
// Bytes of one unpadded row.
std::size_t RowBytes(PixelLayout layout, std::uint32_t width);

// None when the description is usable: both sizes at least 1 and within the
// limits, stride at least one row, the pixel span holding every row, and a
// non-empty palette for indexed layouts.
EncodeError ValidateImage(const EncoderImage& image);

// Row y of the image (RowBytes long); only for a validated image.
std::span<const std::uint8_t> ImageRow(const EncoderImage& image, std::uint32_t y);

// Index of pixel x in an indexed row.
std::uint32_t IndexAt(PixelLayout layout, std::span<const std::uint8_t> row, std::uint32_t x);

// How many palette entries an indexed file must hold: the given palette cut
// to what the layout can address, extended to cover the largest index the
// pixels use (encoders fill such entries with opaque black).
std::size_t PaletteEntriesNeeded(const EncoderImage& image);

// The palette entry for index i, opaque black beyond the given palette.
std::uint32_t PaletteEntry(const EncoderImage& image, std::size_t i);

// Resolution in dots per metre, as PNG and BMP record it; 0 when `dpi` is
// not a positive finite number or does not fit.
std::uint32_t DotsPerMetre(double dpi);

} // namespace vellumark::codecs
