#include "codec/save_session.h"

#include "codec/file_io.h"
#include "core/stream_io.h"

namespace vellumark::gdiplus {

Result<void> SaveSession::write() const {
    std::vector<EncodeFrame> all = frameInfo;
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i].pixels = &frames[i];
    }
    Result<std::vector<std::uint8_t>> file = encodeFrames(*codec, all, settings);
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
