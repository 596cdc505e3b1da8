#include "codecs/native/pcx_native.h"

#include "codecs/native/frame_allocator.h"
#include "codecs/pcx_decoder.h"

#include <cstring>

namespace vellumark::codecs::native {

namespace {

std::uint32_t Argb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xFF000000u | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
}

NativeLayout LayoutOf(const PcxDecoder::Header& header) {
    if (header.bitsPerPlane == 1) {
        return header.planes == 1 ? NativeLayout::Indexed1 : NativeLayout::Indexed4;
    }
    switch (header.planes) {
    case 1:
        return NativeLayout::Indexed8;
    case 3:
        return NativeLayout::Bgr24;
    default:
        return NativeLayout::Bgra32;
    }
}

// Writes one expanded scan line (planes one after another) as a row of
// `layout`.
void WriteRow(const PcxDecoder::Header& header, NativeLayout layout,
              std::span<const std::uint8_t> line, std::uint8_t* row) {
    const std::size_t plane = header.bytesPerLine;
    switch (layout) {
    case NativeLayout::Indexed1:
    case NativeLayout::Indexed8:
        std::memcpy(row, line.data(), *LayoutRowBytes(layout, header.width));
        return;
    case NativeLayout::Indexed4:
        // Bit x of plane p is bit p of pixel x's index; two pixels a byte.
        for (std::uint32_t x = 0; x < header.width; ++x) {
            unsigned int index = 0;
            for (std::uint32_t p = 0; p < 4; ++p) {
                index |= ((unsigned{line[p * plane + x / 8]} >> (7 - x % 8)) & 1u) << p;
            }
            std::uint8_t& byte = row[x / 2];
            byte = static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : (byte & 0xF0u) | index);
        }
        return;
    default: {
        const std::size_t step = layout == NativeLayout::Bgr24 ? 3 : 4;
        for (std::uint32_t x = 0; x < header.width; ++x) {
            std::uint8_t* pixel = row + x * step;
            pixel[0] = line[2 * plane + x];
            pixel[1] = line[plane + x];
            pixel[2] = line[x];
            if (step == 4) {
                pixel[3] = line[3 * plane + x];
            }
        }
        return;
    }
    }
}

} // namespace

DecodeError DecodePcx(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    PcxDecoder::Header header;
    if (const DecodeError read = PcxDecoder::ReadHeader(data, header); read != DecodeError::None) {
        return read;
    }
    out.format = NativeFormat::Pcx;
    const PcxDecoder decoder(data, header);
    const NativeLayout layout = LayoutOf(header);
    FrameAllocator frames(sink, out);
    FrameBuffer buffer;
    std::span<const std::uint8_t> palette;
    const auto allocate = [&] {
        NativeFrame frame{header.width, header.height, layout, {}};
        if (!palette.empty()) {
            for (std::size_t i = 0; i + 2 < palette.size(); i += 3) {
                frame.palette.push_back(Argb(palette[i], palette[i + 1], palette[i + 2]));
            }
        } else if (header.bitsPerPlane == 1) {
            for (unsigned int i = 0; i < (header.planes == 1 ? 2u : 16u); ++i) {
                const auto rgb = PcxDecoder::ImpliedColour(header, i);
                frame.palette.push_back(Argb(rgb[0], rgb[1], rgb[2]));
            }
        }
        return frames.Add(std::move(frame), buffer);
    };
    return decoder.ReadLines(palette, allocate,
                             [&](std::uint32_t y, std::span<const std::uint8_t> line) {
                                 WriteRow(header, layout, line, buffer.scan0 + y * buffer.stride);
                             });
}

} // namespace vellumark::codecs::native
