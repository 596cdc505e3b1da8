// Format: GIF89a, as published by CompuServe (https://www.w3.org/Graphics/GIF/).
#include "codecs/gif_decoder.h"

#include "codecs/byte_reader.h"
#include "codecs/gif_memory_reader.h"
#include "codecs/gif_row_order.h"
#include "codecs/limits.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace vellumark::codecs {

namespace {

// Reads extension blocks up to the first image descriptor, keeping the
// transparent index of the graphic control extension that precedes it.
bool SkipToFirstImage(GifFileType* gif, int& transparentIndex) {
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            return DGifGetImageDesc(gif) != GIF_ERROR;
        }
        if (type != EXTENSION_RECORD_TYPE) {
            return false; // the trailer before any image, or garbage
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
            return false;
        }
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
                transparentIndex = control.TransparentColor;
            }
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
                return false;
            }
        }
    }
}

} // namespace

bool GifDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= 6 && (std::memcmp(data.data(), "GIF87a", 6) == 0 ||
                                std::memcmp(data.data(), "GIF89a", 6) == 0);
}

CodecCreation GifDecoder::Create(std::span<const std::uint8_t> data) {
    if (!Sniff(data)) {
        return CreationFailed(DecodeError::NotAPicture);
    }
    ByteReader reader(data);
    reader.Seek(6);
    const auto width = reader.U16LE();
    const auto height = reader.U16LE();
    if (!width || !height || *width == 0 || *height == 0) {
        return CreationFailed(DecodeError::Malformed);
    }
    if (!WithinPixelLimits(*width, *height)) {
        return CreationFailed(DecodeError::OverLimit);
    }
    return Created<GifDecoder>(data, PictureSize{*width, *height});
}

GifDecoder::GifDecoder(std::span<const std::uint8_t> data, PictureSize screen)
    : data_(data), screen_(screen) {}

// The frame is clipped to the logical screen, which is the picture's size.
DecodeError GifDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image& out) {
    GifMemoryInput input{data_};
    int error = 0;
    GifHandle gif(DGifOpen(&input, ReadGifFromMemory, &error));
    int transparentIndex = NO_TRANSPARENT_COLOR;
    if (!gif || !SkipToFirstImage(gif.get(), transparentIndex)) {
        return DecodeError::Malformed;
    }
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0 ||
        colours == nullptr || colours->Colors == nullptr) {
        return DecodeError::Malformed;
    }
    const DecodeError sized = AllocateBgra(screen_.width, screen_.height, out);
    if (sized != DecodeError::None) {
        return sized;
    }
    const auto frameWidth = static_cast<std::uint32_t>(frame.Width);
    std::vector<GifPixelType> line(frameWidth);
    for (std::uint32_t row :
         StoredRowOrder(static_cast<std::uint32_t>(frame.Height), frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) {
            return DecodeError::Malformed;
        }
        const std::uint64_t y = std::uint64_t{static_cast<std::uint32_t>(frame.Top)} + row;
        if (y >= screen_.height) {
            continue;
        }
        for (std::uint32_t x = 0; x < frameWidth; ++x) {
            const std::uint64_t screenX = std::uint64_t{static_cast<std::uint32_t>(frame.Left)} + x;
            if (screenX >= screen_.width) {
                break;
            }
            std::uint8_t* pixel = out.pixels.data() + (y * screen_.width + screenX) * 4;
            const int index = line[x];
            if (index == transparentIndex) {
                continue; // stays transparent black
            }
            if (index < colours->ColorCount) {
                const GifColorType& colour = colours->Colors[index];
                pixel[0] = colour.Blue;
                pixel[1] = colour.Green;
                pixel[2] = colour.Red;
            }
            pixel[3] = 255; // indices past the colour table show opaque black
        }
    }
    return DecodeError::None;
}

} // namespace vellumark::codecs
