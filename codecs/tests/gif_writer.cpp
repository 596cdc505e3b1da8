#include "codecs/tests/gif_writer.h"

#include <gif_lib.h>

namespace vellumark::codecs::testing {

namespace {

int Append(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<ByteVector*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

bool WriteFrame(GifFileType* gif, const GifSpec& layout, ColorMapObject* map) {
    if (EGifPutScreenDesc(gif, layout.screenWidth, layout.screenHeight, 8, 0,
                          layout.localColourTable ? nullptr : map) == GIF_ERROR) {
        return false;
    }
    if (layout.transparentIndex >= 0) {
        GraphicsControlBlock control{};
        control.TransparentColor = layout.transparentIndex;
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_ERROR) {
            return false;
        }
    }
    if (EGifPutImageDesc(gif, layout.left, layout.top, layout.width, layout.height,
                         layout.interlaced, layout.localColourTable ? map : nullptr) == GIF_ERROR) {
        return false;
    }
    // Rows go out in stored order; interlaced frames store every 8th row first.
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    const int passes = layout.interlaced ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = layout.interlaced ? starts[pass] : 0;
        const int step = layout.interlaced ? steps[pass] : 1;
        for (int y = start; y < layout.height; y += step) {
            ByteVector row(layout.indices.begin() + y * layout.width,
                           layout.indices.begin() + (y + 1) * layout.width);
            if (EGifPutLine(gif, row.data(), layout.width) == GIF_ERROR) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

ByteVector WriteGif(const GifSpec& layout) {
    ByteVector out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, Append, &error);
    if (gif == nullptr) {
        return {};
    }
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours;
    for (const auto& c : layout.colours) {
        colours.push_back({c[0], c[1], c[2]});
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    const bool ok = map != nullptr && WriteFrame(gif, layout, map);
    GifFreeMapObject(map);
    EGifCloseFile(gif, &error);
    return ok ? out : ByteVector{};
}

} // namespace vellumark::codecs::testing
