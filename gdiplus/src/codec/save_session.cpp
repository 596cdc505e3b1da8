#include "codec/save_session.h"

#include "codec/file_io.h"
#include "core/stream_io.h"

#include <algorithm>

namespace vellumark::gdiplus {

void SaveSession::borrowFrame(const PixelSurface& pixels, EncodeFrame info) {
    info.pixels = &pixels;
    frames_.push_back(info);
}

void SaveSession::copyFrame(const PixelSurface& pixels, EncodeFrame info) {
    borrowFrame(ownFrames_.emplace_back(pixels), info);
}

bool SaveSession::owns(const PixelSurface* pixels) const {
    return std::any_of(ownFrames_.begin(), ownFrames_.end(),
                       [&](const PixelSurface& own) { return &own == pixels; });
}

void SaveSession::keepOwnFrames() {
    for (EncodeFrame& frame : frames_) {
        if (!owns(frame.pixels)) {
            frame.pixels = &ownFrames_.emplace_back(*frame.pixels);
        }
    }
}

Result<void> SaveSession::write() const {
    Result<std::vector<std::uint8_t>> file = encodeFrames(*codec, frames_, settings);
    if (!file) {
        return file.error();
    }
    if (!stream) {
        return writeWholeFile(path, *file);
    }
    IStream* target = stream.get();
    if (target->lpVtbl->Seek(target, static_cast<std::int64_t>(streamStart), STREAM_SEEK_SET,
                             nullptr) != 0) {
        return Error{GenericError, "stream cannot seek back"};
    }
    return writeToStream(target, *file);
}

} // namespace vellumark::gdiplus
