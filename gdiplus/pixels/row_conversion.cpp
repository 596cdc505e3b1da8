#include "row_conversion.h"

#include "linear_light.h"
#include "premultiply.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vellumark::gdiplus::pixels {

namespace {

// Pixels converted per step when a wide row goes through 8-bit ARGB.
constexpr std::size_t kChunk = 64;

bool RowHolds(PixelFormat format, std::size_t rowBytes, std::uint32_t firstPixel,
              std::size_t count) {
    if (ToPixelFormat(Value(format)) == std::nullopt) {
        return false;
    }
    const std::uint64_t endBits = (std::uint64_t{firstPixel} + count) * BitsPerPixel(format);
    return (endBits + 7) / 8 <= rowBytes;
}

std::uint32_t Load16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
}

void Store16(std::uint8_t* p, std::uint32_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t Byte(std::uint32_t value) {
    return static_cast<std::uint8_t>(value);
}
std::uint16_t Word(std::uint32_t value) {
    return static_cast<std::uint16_t>(value);
}

std::uint32_t Expand5(std::uint32_t v) {
    return (v << 3) | (v >> 2);
}
std::uint32_t Expand6(std::uint32_t v) {
    return (v << 2) | (v >> 4);
}
std::uint32_t Reduce(std::uint32_t c, std::uint32_t max) {
    return (c * max + 127) / 255;
}

// Rec. 601 weights in 16-bit fixed point (they sum to 65536).
std::uint32_t Luma(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r * 19595u + g * 38470u + b * 7471u + 32768u) >> 16;
}

std::uint32_t Alpha13From8(std::uint32_t a) {
    return ScaleByAlpha(a, kLinearOne, 255);
}
std::uint32_t Alpha8From13(std::uint32_t a) {
    return ScaleByAlpha(std::min(a, kLinearOne), 255, kLinearOne);
}
std::uint32_t Alpha13From16(std::uint32_t a) {
    return ScaleByAlpha(a, kLinearOne, 65535);
}
std::uint32_t Alpha16From13(std::uint32_t a) {
    return ScaleByAlpha(std::min(a, kLinearOne), 65535, kLinearOne);
}

std::uint32_t ReadIndex(PixelFormat format, const std::uint8_t* row, std::size_t x) {
    switch (format) {
    case PixelFormat::Format1bppIndexed:
        return (std::uint32_t{row[x / 8]} >> (7 - x % 8)) & 1u;
    case PixelFormat::Format4bppIndexed:
        return (std::uint32_t{row[x / 2]} >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
    default:
        return row[x];
    }
}

void WriteIndex(PixelFormat format, std::uint8_t* row, std::size_t x, std::uint32_t index) {
    switch (format) {
    case PixelFormat::Format1bppIndexed: {
        const auto bit = static_cast<std::uint32_t>(7 - x % 8);
        row[x / 8] = Byte((row[x / 8] & ~(1u << bit)) | (index << bit));
        break;
    }
    case PixelFormat::Format4bppIndexed: {
        const std::uint32_t shift = x % 2 == 0 ? 4 : 0;
        row[x / 2] = Byte((row[x / 2] & ~(0xFu << shift)) | (index << shift));
        break;
    }
    default:
        row[x] = Byte(index);
        break;
    }
}

// One pixel of a format whose channels fit in eight bits (everything but the
// grey and 48/64-bit formats).
std::uint32_t ReadNarrowPixel(PixelFormat format, const std::uint8_t* row, std::size_t x,
                              std::span<const std::uint32_t> palette) {
    switch (format) {
    case PixelFormat::Format16bppRGB555: {
        const std::uint32_t v = Load16(row + 2 * x);
        return MakeArgb(255, Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case PixelFormat::Format16bppRGB565: {
        const std::uint32_t v = Load16(row + 2 * x);
        return MakeArgb(255, Expand5(v >> 11), Expand6((v >> 5) & 63), Expand5(v & 31));
    }
    case PixelFormat::Format16bppARGB1555: {
        const std::uint32_t v = Load16(row + 2 * x);
        return MakeArgb((v & 0x8000u) != 0 ? 255 : 0, Expand5((v >> 10) & 31),
                        Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case PixelFormat::Format24bppRGB: {
        const std::uint8_t* p = row + 3 * x;
        return MakeArgb(255, p[2], p[1], p[0]);
    }
    case PixelFormat::Format32bppRGB:
    case PixelFormat::Format32bppARGB:
    case PixelFormat::Format32bppPARGB: {
        const std::uint8_t* p = row + 4 * x;
        const std::uint32_t a = format == PixelFormat::Format32bppRGB ? 255 : p[3];
        const std::uint32_t argb = MakeArgb(a, p[2], p[1], p[0]);
        return format == PixelFormat::Format32bppPARGB ? Unpremultiply(argb) : argb;
    }
    case PixelFormat::Format32bppCMYK: {
        const std::uint8_t* p = row + 4 * x;
        const std::uint32_t white = 255u - p[3];
        return MakeArgb(255, ScaleByAlpha(255u - p[0], white, 255),
                        ScaleByAlpha(255u - p[1], white, 255),
                        ScaleByAlpha(255u - p[2], white, 255));
    }
    default: {
        const std::uint32_t index = ReadIndex(format, row, x);
        return index < palette.size() ? palette[index] : MakeArgb(255, 0, 0, 0);
    }
    }
}

void WriteNarrowPixel(PixelFormat format, std::uint32_t argb, PaletteMatcher* palette,
                      std::uint8_t* row, std::size_t x) {
    const std::uint32_t a = AlphaOf(argb);
    const std::uint32_t r = RedOf(argb);
    const std::uint32_t g = GreenOf(argb);
    const std::uint32_t b = BlueOf(argb);
    switch (format) {
    case PixelFormat::Format16bppRGB555:
        Store16(row + 2 * x, (Reduce(r, 31) << 10) | (Reduce(g, 31) << 5) | Reduce(b, 31));
        break;
    case PixelFormat::Format16bppRGB565:
        Store16(row + 2 * x, (Reduce(r, 31) << 11) | (Reduce(g, 63) << 5) | Reduce(b, 31));
        break;
    case PixelFormat::Format16bppARGB1555:
        Store16(row + 2 * x, (a >= 128 ? 0x8000u : 0u) | (Reduce(r, 31) << 10) |
                                 (Reduce(g, 31) << 5) | Reduce(b, 31));
        break;
    case PixelFormat::Format24bppRGB: {
        std::uint8_t* p = row + 3 * x;
        p[0] = Byte(b);
        p[1] = Byte(g);
        p[2] = Byte(r);
        break;
    }
    case PixelFormat::Format32bppRGB:
    case PixelFormat::Format32bppARGB:
    case PixelFormat::Format32bppPARGB: {
        const std::uint32_t stored = format == PixelFormat::Format32bppPARGB ? Premultiply(argb)
                                     : format == PixelFormat::Format32bppRGB ? (argb | 0xFF000000u)
                                                                             : argb;
        std::uint8_t* p = row + 4 * x;
        p[0] = Byte(BlueOf(stored));
        p[1] = Byte(GreenOf(stored));
        p[2] = Byte(RedOf(stored));
        p[3] = Byte(AlphaOf(stored));
        break;
    }
    case PixelFormat::Format32bppCMYK: {
        // Black takes what the three colours share; the rest is relative to
        // what black leaves.
        const std::uint32_t white = std::max({r, g, b});
        std::uint8_t* p = row + 4 * x;
        p[0] = Byte(255 - UnscaleByAlpha(r, white, 255));
        p[1] = Byte(255 - UnscaleByAlpha(g, white, 255));
        p[2] = Byte(255 - UnscaleByAlpha(b, white, 255));
        p[3] = Byte(255 - white);
        if (white == 0) {
            p[0] = p[1] = p[2] = 0;
        }
        break;
    }
    default:
        WriteIndex(format, row, x, palette->IndexOf(argb));
        break;
    }
}

Color16 ReadWidePixel(PixelFormat format, const std::uint8_t* row, std::size_t x) {
    switch (format) {
    case PixelFormat::Format16bppGrayScale: {
        const std::uint16_t y = Word(Load16(row + 2 * x));
        return {65535, y, y, y};
    }
    case PixelFormat::Format48bppRGB: {
        const std::uint8_t* p = row + 6 * x;
        return {65535, Srgb16FromLinear(Load16(p + 4)), Srgb16FromLinear(Load16(p + 2)),
                Srgb16FromLinear(Load16(p))};
    }
    default: {
        const std::uint8_t* p = row + 8 * x;
        const std::uint32_t a13 = std::min(Load16(p + 6), kLinearOne);
        auto channel = [&](std::uint32_t stored) {
            const std::uint32_t linear = format == PixelFormat::Format64bppPARGB
                                             ? UnscaleByAlpha(stored, a13, kLinearOne)
                                             : stored;
            return Srgb16FromLinear(linear);
        };
        if (a13 == 0 && format == PixelFormat::Format64bppPARGB) {
            return {};
        }
        return {Word(Alpha16From13(a13)), channel(Load16(p + 4)), channel(Load16(p + 2)),
                channel(Load16(p))};
    }
    }
}

void WriteWidePixel(PixelFormat format, Color16 c, std::uint8_t* row, std::size_t x) {
    switch (format) {
    case PixelFormat::Format16bppGrayScale:
        Store16(row + 2 * x, Luma(c.r, c.g, c.b));
        break;
    case PixelFormat::Format48bppRGB: {
        std::uint8_t* p = row + 6 * x;
        Store16(p, LinearFromSrgb16(c.b));
        Store16(p + 2, LinearFromSrgb16(c.g));
        Store16(p + 4, LinearFromSrgb16(c.r));
        break;
    }
    default: {
        std::uint8_t* p = row + 8 * x;
        const std::uint32_t a13 = Alpha13From16(c.a);
        auto channel = [&](std::uint16_t encoded) {
            const std::uint32_t linear = LinearFromSrgb16(encoded);
            return format == PixelFormat::Format64bppPARGB ? ScaleByAlpha(linear, a13, kLinearOne)
                                                           : linear;
        };
        Store16(p, channel(c.b));
        Store16(p + 2, channel(c.g));
        Store16(p + 4, channel(c.r));
        Store16(p + 6, a13);
        break;
    }
    }
}

// The 48/64-bit formats from 8-bit colours: the 8-bit tables keep an
// 8-bit round trip exact, which the 16-bit ones cannot promise.
void WriteLinearFrom8(PixelFormat format, std::uint32_t argb, std::uint8_t* row, std::size_t x) {
    const std::uint32_t a13 = Alpha13From8(AlphaOf(argb));
    auto channel = [&](std::uint32_t encoded) {
        const std::uint32_t linear = LinearFromSrgb8(encoded);
        return format == PixelFormat::Format64bppPARGB ? ScaleByAlpha(linear, a13, kLinearOne)
                                                       : linear;
    };
    std::uint8_t* p = row + BitsPerPixel(format) / 8 * x;
    Store16(p, channel(BlueOf(argb)));
    Store16(p + 2, channel(GreenOf(argb)));
    Store16(p + 4, channel(RedOf(argb)));
    if (format != PixelFormat::Format48bppRGB) {
        Store16(p + 6, a13);
    }
}

std::uint32_t ReadLinearAs8(PixelFormat format, const std::uint8_t* row, std::size_t x) {
    const std::uint8_t* p = row + BitsPerPixel(format) / 8 * x;
    const std::uint32_t a13 =
        format == PixelFormat::Format48bppRGB ? kLinearOne : std::min(Load16(p + 6), kLinearOne);
    if (a13 == 0 && format == PixelFormat::Format64bppPARGB) {
        return 0;
    }
    auto channel = [&](std::uint32_t stored) -> std::uint32_t {
        return Srgb8FromLinear(format == PixelFormat::Format64bppPARGB
                                   ? UnscaleByAlpha(stored, a13, kLinearOne)
                                   : stored);
    };
    return MakeArgb(Alpha8From13(a13), channel(Load16(p + 4)), channel(Load16(p + 2)),
                    channel(Load16(p)));
}

bool IsLinear(PixelFormat format) {
    return format == PixelFormat::Format48bppRGB || format == PixelFormat::Format64bppARGB ||
           format == PixelFormat::Format64bppPARGB;
}

bool IsWide(PixelFormat format) {
    return IsLinear(format) || format == PixelFormat::Format16bppGrayScale;
}

bool PaletteUsable(PixelFormat format, const PaletteMatcher* palette) {
    return !IsIndexed(format) ||
           (palette != nullptr && !palette->empty() && palette->size() <= PaletteCapacity(format));
}

} // namespace

bool ReadArgbRow(PixelFormat format, std::span<const std::uint8_t> row, std::uint32_t firstPixel,
                 std::span<const std::uint32_t> palette, std::span<std::uint32_t> out) {
    if (!RowHolds(format, row.size(), firstPixel, out.size())) {
        return false;
    }
    const std::uint8_t* data = row.data();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t x = firstPixel + i;
        if (format == PixelFormat::Format16bppGrayScale) {
            const std::uint32_t y = Narrow16To8(Load16(data + 2 * x));
            out[i] = MakeArgb(255, y, y, y);
        } else if (IsLinear(format)) {
            out[i] = ReadLinearAs8(format, data, x);
        } else {
            out[i] = ReadNarrowPixel(format, data, x, palette);
        }
    }
    return true;
}

bool WriteArgbRow(PixelFormat format, std::span<const std::uint32_t> argb, PaletteMatcher* palette,
                  std::span<std::uint8_t> row, std::uint32_t firstPixel) {
    if (!RowHolds(format, row.size(), firstPixel, argb.size()) || !PaletteUsable(format, palette)) {
        return false;
    }
    std::uint8_t* data = row.data();
    for (std::size_t i = 0; i < argb.size(); ++i) {
        const std::size_t x = firstPixel + i;
        if (format == PixelFormat::Format16bppGrayScale) {
            const std::uint32_t c = argb[i];
            Store16(data + 2 * x,
                    Luma(Widen8To16(RedOf(c)), Widen8To16(GreenOf(c)), Widen8To16(BlueOf(c))));
        } else if (IsLinear(format)) {
            WriteLinearFrom8(format, argb[i], data, x);
        } else {
            WriteNarrowPixel(format, argb[i], palette, data, x);
        }
    }
    return true;
}

bool ReadWideRow(PixelFormat format, std::span<const std::uint8_t> row, std::uint32_t firstPixel,
                 std::span<const std::uint32_t> palette, std::span<Color16> out) {
    if (!RowHolds(format, row.size(), firstPixel, out.size())) {
        return false;
    }
    if (IsWide(format)) {
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = ReadWidePixel(format, row.data(), firstPixel + i);
        }
        return true;
    }
    std::array<std::uint32_t, kChunk> chunk{};
    for (std::size_t done = 0; done < out.size(); done += kChunk) {
        const std::size_t n = std::min(kChunk, out.size() - done);
        const auto first = static_cast<std::uint32_t>(firstPixel + done);
        if (!ReadArgbRow(format, row, first, palette, std::span(chunk).first(n))) {
            return false;
        }
        std::transform(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n),
                       out.begin() + static_cast<std::ptrdiff_t>(done), WidenArgb);
    }
    return true;
}

bool WriteWideRow(PixelFormat format, std::span<const Color16> colours, PaletteMatcher* palette,
                  std::span<std::uint8_t> row, std::uint32_t firstPixel) {
    if (!RowHolds(format, row.size(), firstPixel, colours.size()) ||
        !PaletteUsable(format, palette)) {
        return false;
    }
    if (IsWide(format)) {
        for (std::size_t i = 0; i < colours.size(); ++i) {
            WriteWidePixel(format, colours[i], row.data(), firstPixel + i);
        }
        return true;
    }
    std::array<std::uint32_t, kChunk> chunk{};
    for (std::size_t done = 0; done < colours.size(); done += kChunk) {
        const std::size_t n = std::min(kChunk, colours.size() - done);
        std::transform(colours.begin() + static_cast<std::ptrdiff_t>(done),
                       colours.begin() + static_cast<std::ptrdiff_t>(done + n), chunk.begin(),
                       NarrowToArgb);
        const auto first = static_cast<std::uint32_t>(firstPixel + done);
        if (!WriteArgbRow(format, std::span(chunk).first(n), palette, row, first)) {
            return false;
        }
    }
    return true;
}

} // namespace vellumark::gdiplus::pixels
