// Full-fidelity decoding: a picture's frames in the layout the file stores
// (indexed with palette, 24-bit, 32-bit, 16 bits a channel, CMYK), its
// resolution, its frame dimension and delays, and its metadata as tagged
// property items. No Qt here.
//
// The caller owns the pixel memory: the decoder describes each frame and
// asks a FrameSink for rows to write into, so a picture lands directly in
// the memory that will keep it (no full-size intermediate copy).
#pragma once

#include "codecs/picture_decoder.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vellumark::codecs::native {

enum class NativeFormat { None, Bmp, Jpeg, Png, Gif, Tiff, Icon, Pcx };

// Row layouts. Multi-byte samples are in host (little-endian) order.
// Indexed layouts pack indices from the most significant bit. Bgr48 and
// Bgra64 hold the file's own 16-bit (gamma-encoded) samples, B first.
// Bgra32 is straight alpha, Pbgra32 premultiplied. Cmyk32 is C, M, Y, K
// bytes with 0 meaning no ink. The 16-bit layouts are little-endian words
// with blue in the low bits: 5-5-5 (top bit unused), 5-6-5, and 1-5-5-5
// with alpha in the top bit.
enum class NativeLayout {
    Indexed1,
    Indexed4,
    Indexed8,
    Rgb555,
    Rgb565,
    Argb1555,
    Bgr24,
    Bgrx32,
    Bgra32,
    Pbgra32,
    Bgr48,
    Bgra64,
    Cmyk32
};

std::uint32_t BitsPerPixel(NativeLayout layout);

enum class ColourSpace { Rgb, Gray, Cmyk, Ycbcr, Ycck };

enum class FrameDimension { Page, Time };

struct NativeFrame {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    NativeLayout layout = NativeLayout::Bgra32;
    std::vector<std::uint32_t> palette; // ARGB, indexed layouts only
};

// A metadata item with its published tag id and type (1 BYTE, 2 ASCII,
// 3 SHORT, 4 LONG, 5 RATIONAL, 7 UNDEFINED, 9 SLONG, 10 SRATIONAL); the
// value's numbers are little-endian.
struct PropertyItem {
    std::uint32_t id = 0;
    std::uint16_t type = 0;
    std::vector<std::uint8_t> value;
};

struct NativePicture {
    NativeFormat format = NativeFormat::None;
    double dpiX = 96.0;
    double dpiY = 96.0;
    bool realDpi = false; // the resolution came from the file
    ColourSpace colourSpace = ColourSpace::Rgb;
    FrameDimension dimension = FrameDimension::Page;
    std::vector<NativeFrame> frames;
    std::vector<PropertyItem> properties;
};

// Where a frame's rows go: row y starts at scan0 + y * stride.
struct FrameBuffer {
    std::uint8_t* scan0 = nullptr;
    std::size_t stride = 0;
};

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Memory for frame `index` (in order, each asked for once), at least
    // RowBytes of the layout per row. The memory must stay valid and
    // unmoved until DecodeNative returns. Nothing means out of memory.
    virtual std::optional<FrameBuffer> Allocate(std::size_t index, const NativeFrame& frame) = 0;
};

// Tight row length of `width` pixels in `layout`, or nothing on overflow.
std::optional<std::size_t> LayoutRowBytes(NativeLayout layout, std::uint32_t width);

// The format of the content, from its signature only.
NativeFormat SniffNativeFormat(std::span<const std::uint8_t> data);

// Decodes every frame of `data` into memory from `sink`, filling `out`.
// Failures: NotAPicture, Malformed (truncated or damaged), OverLimit (beyond
// codecs/limits.h or the frame budget; nothing of that size is allocated),
// Unsupported. `out` is only meaningful on success.
DecodeError DecodeNative(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
