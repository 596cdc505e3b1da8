// Format: GIF89a, as published by CompuServe (https://www.w3.org/Graphics/GIF/).
#include "codecs/native/gif_native.h"

#include "codecs/byte_reader.h"
#include "codecs/gif_memory_reader.h"
#include "codecs/gif_row_order.h"
#include "codecs/native/frame_allocator.h"
#include "codecs/native/native_limits.h"
#include "codecs/native/property_items.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace vellumark::codecs::native {

namespace {

// One frame as stored: its rectangle on the screen, indices and colours.
struct StoredFrame {
    std::uint32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices; // width * height, top-down
    std::vector<std::uint32_t> palette;
    int transparent = NO_TRANSPARENT_COLOR;
    int disposal = DISPOSAL_UNSPECIFIED;
    std::uint32_t delay = 0; // hundredths of a second
};

struct Animation {
    std::uint32_t screenWidth = 0, screenHeight = 0;
    std::vector<StoredFrame> frames;
    std::optional<std::uint16_t> loopCount;
};

std::vector<std::uint32_t> PaletteOf(const ColorMapObject* map, int transparent) {
    std::vector<std::uint32_t> palette;
    for (int i = 0; map != nullptr && map->Colors != nullptr && i < map->ColorCount; ++i) {
        const GifColorType& c = map->Colors[i];
        const std::uint32_t alpha = i == transparent ? 0 : 0xFF;
        palette.push_back(alpha << 24 | std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 |
                          c.Blue);
    }
    return palette;
}

// Reads an extension's blocks, keeping the control block and loop count.
bool ReadExtension(GifFileType* gif, GraphicsControlBlock& control, Animation& animation) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        return false;
    }
    const bool netscape = code == APPLICATION_EXT_FUNC_CODE && block != nullptr && block[0] == 11 &&
                          std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
        DGifExtensionToGCB(block[0], block + 1, &control);
    }
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
            return false;
        }
        if (netscape && block != nullptr && block[0] >= 3 && block[1] == 1) {
            animation.loopCount = static_cast<std::uint16_t>(block[2] | block[3] << 8);
        }
    }
    return true;
}

DecodeError ReadFrame(GifFileType* gif, const GraphicsControlBlock& control, std::uint64_t& budget,
                      Animation& animation) {
    if (DGifGetImageDesc(gif) == GIF_ERROR) {
        return DecodeError::Malformed;
    }
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0) {
        return DecodeError::Malformed;
    }
    StoredFrame frame;
    frame.left = static_cast<std::uint32_t>(desc.Left);
    frame.top = static_cast<std::uint32_t>(desc.Top);
    frame.width = static_cast<std::uint32_t>(desc.Width);
    frame.height = static_cast<std::uint32_t>(desc.Height);
    const std::uint64_t pixels = std::uint64_t{frame.width} * frame.height;
    if (!WithinPixelLimits(frame.width, frame.height) || pixels > budget ||
        animation.frames.size() >= kMaxFrames) {
        return DecodeError::OverLimit;
    }
    budget -= pixels;
    frame.transparent = control.TransparentColor;
    frame.disposal = control.DisposalMode;
    frame.delay = static_cast<std::uint32_t>(std::max(control.DelayTime, 0));
    frame.palette =
        PaletteOf(desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap, frame.transparent);
    if (frame.palette.empty()) {
        return DecodeError::Malformed;
    }
    frame.indices.resize(pixels);
    for (std::uint32_t row : StoredRowOrder(frame.height, desc.Interlace)) {
        if (DGifGetLine(gif, frame.indices.data() + std::size_t{row} * frame.width, desc.Width) ==
            GIF_ERROR) {
            return DecodeError::Malformed;
        }
    }
    animation.frames.push_back(std::move(frame));
    return DecodeError::None;
}

DecodeError ReadAnimation(GifFileType* gif, const GifMemoryInput& input, Animation& animation) {
    std::uint64_t budget = kMaxTotalFrameBytes / 4;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            // A missing trailer after complete frames is common and harmless.
            const bool atEnd = input.position == input.data.size();
            return atEnd && !animation.frames.empty() ? DecodeError::None : DecodeError::Malformed;
        }
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE:
            if (const DecodeError read = ReadFrame(gif, control, budget, animation);
                read != DecodeError::None) {
                return read;
            }
            control = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
            break;
        case EXTENSION_RECORD_TYPE:
            if (!ReadExtension(gif, control, animation)) {
                return DecodeError::Malformed;
            }
            break;
        case TERMINATE_RECORD_TYPE:
            return animation.frames.empty() ? DecodeError::Malformed : DecodeError::None;
        default:
            return DecodeError::Malformed;
        }
    }
}

// Visits the pixels of `frame` that fall on the screen.
template <class Visit>
void ForEachOnScreen(const Animation& a, const StoredFrame& frame, Visit visit) {
    for (std::uint32_t y = 0; y < frame.height && frame.top + std::uint64_t{y} < a.screenHeight;
         ++y) {
        for (std::uint32_t x = 0; x < frame.width && frame.left + std::uint64_t{x} < a.screenWidth;
             ++x) {
            visit(frame.left + x, frame.top + y, frame.indices[std::size_t{y} * frame.width + x]);
        }
    }
}

DecodeError WriteStill(const Animation& a, int background, FrameAllocator& frames) {
    const StoredFrame& stored = a.frames.front();
    FrameBuffer buffer;
    if (const DecodeError added = frames.Add(
            {a.screenWidth, a.screenHeight, NativeLayout::Indexed8, stored.palette}, buffer);
        added != DecodeError::None) {
        return added;
    }
    const int fill = stored.transparent != NO_TRANSPARENT_COLOR ? stored.transparent : background;
    for (std::uint32_t y = 0; y < a.screenHeight; ++y) {
        std::memset(buffer.scan0 + y * buffer.stride, fill, a.screenWidth);
    }
    ForEachOnScreen(a, stored, [&](std::uint32_t x, std::uint32_t y, std::uint8_t index) {
        buffer.scan0[y * buffer.stride + x] = index;
    });
    return DecodeError::None;
}

DecodeError WriteComposed(const Animation& a, FrameAllocator& frames) {
    const std::size_t rowBytes = std::size_t{a.screenWidth} * 4;
    std::vector<std::uint8_t> canvas(rowBytes * a.screenHeight, 0);
    std::vector<std::uint8_t> saved;
    for (const StoredFrame& stored : a.frames) {
        if (stored.disposal == DISPOSE_PREVIOUS) {
            saved = canvas;
        }
        ForEachOnScreen(a, stored, [&](std::uint32_t x, std::uint32_t y, std::uint8_t index) {
            if (index == stored.transparent) {
                return;
            }
            const std::uint32_t argb =
                index < stored.palette.size() ? stored.palette[index] : 0xFF000000u;
            std::uint8_t* pixel = canvas.data() + y * rowBytes + std::size_t{x} * 4;
            pixel[0] = static_cast<std::uint8_t>(argb);
            pixel[1] = static_cast<std::uint8_t>(argb >> 8);
            pixel[2] = static_cast<std::uint8_t>(argb >> 16);
            pixel[3] = 0xFF;
        });
        FrameBuffer buffer;
        if (const DecodeError added =
                frames.Add({a.screenWidth, a.screenHeight, NativeLayout::Bgra32, {}}, buffer);
            added != DecodeError::None) {
            return added;
        }
        for (std::uint32_t y = 0; y < a.screenHeight; ++y) {
            std::memcpy(buffer.scan0 + y * buffer.stride, canvas.data() + y * rowBytes, rowBytes);
        }
        if (stored.disposal == DISPOSE_BACKGROUND) {
            ForEachOnScreen(a, stored, [&](std::uint32_t x, std::uint32_t y, std::uint8_t) {
                std::memset(canvas.data() + y * rowBytes + std::size_t{x} * 4, 0, 4);
            });
        } else if (stored.disposal == DISPOSE_PREVIOUS && !saved.empty()) {
            canvas.swap(saved);
        }
    }
    return DecodeError::None;
}

void AddGifProperties(const GifFileType* gif, const Animation& a, NativePicture& out) {
    std::vector<std::uint32_t> delays;
    for (const StoredFrame& frame : a.frames) {
        delays.push_back(frame.delay);
    }
    AddProperty(out, LongItem(kTagFrameDelay, delays));
    if (a.loopCount) {
        AddProperty(out, ShortItem(kTagLoopCount, {&*a.loopCount, 1}));
    }
    if (gif->SColorMap != nullptr && gif->SColorMap->Colors != nullptr) {
        std::vector<std::uint8_t> rgb;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType& c = gif->SColorMap->Colors[i];
            rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
        }
        AddProperty(out, BytesItem(kTagGlobalPalette, kTypeByte, rgb));
        const auto background = static_cast<std::uint8_t>(gif->SBackGroundColor);
        AddProperty(out, BytesItem(kTagIndexBackground, kTypeByte, {&background, 1}));
    }
    if (a.frames.front().transparent != NO_TRANSPARENT_COLOR) {
        const auto transparent = static_cast<std::uint8_t>(a.frames.front().transparent);
        AddProperty(out, BytesItem(kTagIndexTransparent, kTypeByte, {&transparent, 1}));
    }
}

} // namespace

DecodeError DecodeGif(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    ByteReader reader(data);
    reader.Seek(6);
    const auto width = reader.U16LE();
    const auto height = reader.U16LE();
    if (!width || !height || *width == 0 || *height == 0) {
        return DecodeError::Malformed;
    }
    if (!WithinPixelLimits(*width, *height)) {
        return DecodeError::OverLimit;
    }
    GifMemoryInput input{data};
    int error = 0;
    GifHandle gif(DGifOpen(&input, ReadGifFromMemory, &error));
    if (!gif) {
        return DecodeError::Malformed;
    }
    Animation animation;
    animation.screenWidth = *width;
    animation.screenHeight = *height;
    if (const DecodeError read = ReadAnimation(gif.get(), input, animation);
        read != DecodeError::None) {
        return read;
    }
    out.format = NativeFormat::Gif;
    out.dimension = FrameDimension::Time;
    AddGifProperties(gif.get(), animation, out);
    FrameAllocator frames(sink, out);
    return animation.frames.size() == 1 ? WriteStill(animation, gif->SBackGroundColor, frames)
                                        : WriteComposed(animation, frames);
}

} // namespace vellumark::codecs::native
