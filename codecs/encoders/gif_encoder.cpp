#include "gif_encoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace vellumark::codecs {

namespace {

constexpr std::uint32_t kMaxGifDimension = 65535;
constexpr std::uint32_t kMaxGifFrames = 10000;

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapDeleter>;

// Closes the file (flushing the trailer) however the encode ends.
struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

int WriteToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<ByteBuffer*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

EncodeError CheckFrame(const GifFrame& frame) {
    if (const EncodeError error = ValidateImage(frame.image); error != EncodeError::None) {
        return error;
    }
    if (!IsIndexed(frame.image.layout) && frame.image.layout != PixelLayout::Gray8) {
        return EncodeError::Unsupported;
    }
    if (frame.image.width > kMaxGifDimension || frame.image.height > kMaxGifDimension) {
        return EncodeError::OverLimit;
    }
    if (frame.delayCentiseconds > 65535 || frame.transparentIndex < -1 ||
        frame.transparentIndex > 255) {
        return EncodeError::InvalidOptions;
    }
    return EncodeError::None;
}

// The frame's table, padded with black to the power of two GIF requires.
ColourMap MakeColourMap(const EncoderImage& image) {
    const bool grey = image.layout == PixelLayout::Gray8;
    const std::size_t needed = grey ? 256 : PaletteEntriesNeeded(image);
    const auto size = static_cast<int>(std::bit_ceil(std::max<std::size_t>(needed, 2)));
    ColourMap map(GifMakeMapObject(size, nullptr));
    if (!map) {
        return map;
    }
    for (int i = 0; i < size; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::uint32_t argb = grey             ? static_cast<std::uint32_t>(i) * 0x010101u
                                   : index < needed ? PaletteEntry(image, index)
                                                    : 0xFF000000u;
        map->Colors[i] = {static_cast<GifByteType>(argb >> 16), static_cast<GifByteType>(argb >> 8),
                          static_cast<GifByteType>(argb)};
    }
    return map;
}

bool PutLoopExtension(GifFileType* gif, int loopCount) {
    const std::array<GifByteType, 3> loop{1, static_cast<GifByteType>(loopCount & 0xFF),
                                          static_cast<GifByteType>(loopCount >> 8)};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, loop.data()) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, const GifFrame& frame, std::vector<GifPixelType>& line) {
    const EncoderImage& image = frame.image;
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = static_cast<int>(frame.delayCentiseconds);
    control.TransparentColor = frame.transparentIndex;
    std::array<GifByteType, 4> extension{};
    EGifGCBToExtension(&control, extension.data());
    const ColourMap map = MakeColourMap(image);
    if (!map || EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension.data()) != GIF_OK ||
        EGifPutImageDesc(gif, 0, 0, static_cast<int>(image.width), static_cast<int>(image.height),
                         false, map.get()) != GIF_OK) {
        return false;
    }
    line.resize(image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const auto row = ImageRow(image, y);
        for (std::uint32_t x = 0; x < image.width; ++x) {
            line[x] = static_cast<GifPixelType>(
                image.layout == PixelLayout::Gray8 ? row[x] : IndexAt(image.layout, row, x));
        }
        if (EGifPutLine(gif, line.data(), static_cast<int>(image.width)) != GIF_OK) {
            return false;
        }
    }
    return true;
}

} // namespace

EncodeError EncodeGif(std::span<const GifFrame> frames, const GifOptions& options,
                      ByteBuffer& out) {
    if (frames.empty()) {
        return EncodeError::InvalidImage;
    }
    if (frames.size() > kMaxGifFrames) {
        return EncodeError::OverLimit;
    }
    if (options.loopCount < -1 || options.loopCount > 65535) {
        return EncodeError::InvalidOptions;
    }
    std::uint32_t screenWidth = 0;
    std::uint32_t screenHeight = 0;
    for (const GifFrame& frame : frames) {
        if (const EncodeError error = CheckFrame(frame); error != EncodeError::None) {
            return error;
        }
        screenWidth = std::max(screenWidth, frame.image.width);
        screenHeight = std::max(screenHeight, frame.image.height);
    }

    ByteBuffer file;
    bool ok = false;
    {
        int error = 0;
        const std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&file, WriteToBuffer, &error));
        if (!gif) {
            return EncodeError::CodecFailure;
        }
        EGifSetGifVersion(gif.get(), true);
        ok = EGifPutScreenDesc(gif.get(), static_cast<int>(screenWidth),
                               static_cast<int>(screenHeight), 8, 0, nullptr) == GIF_OK;
        if (ok && frames.size() > 1 && options.loopCount >= 0) {
            ok = PutLoopExtension(gif.get(), options.loopCount);
        }
        std::vector<GifPixelType> line;
        for (std::size_t i = 0; ok && i < frames.size(); ++i) {
            ok = PutFrame(gif.get(), frames[i], line);
        }
    } // closing writes the trailer
    if (!ok) {
        return EncodeError::CodecFailure;
    }
    out = std::move(file);
    return EncodeError::None;
}

} // namespace vellumark::codecs
