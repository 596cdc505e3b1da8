#include "codec/image_source.h"

#include "codec/file_io.h"
#include "codec/image_decoder.h"
#include "core/stream_io.h"

namespace vellumark::gdiplus {

Result<std::unique_ptr<Bitmap>> loadImageFromStream(IStream* stream) {
    if (stream == nullptr) {
        return invalidArgument("null stream");
    }
    Result<std::vector<std::uint8_t>> bytes = readWholeStream(stream);
    if (!bytes) {
        return bytes.error();
    }
    return decodeImage(*bytes);
}

Result<std::unique_ptr<Bitmap>> loadImageFromFile(const WCHAR* fileName) {
    Result<std::string> path = utf8FileName(fileName);
    if (!path) {
        return path.error();
    }
    Result<std::vector<std::uint8_t>> bytes = readWholeFile(*path);
    if (!bytes) {
        return bytes.error();
    }
    return decodeImage(*bytes);
}

} // namespace vellumark::gdiplus
