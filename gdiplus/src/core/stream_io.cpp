#include "core/stream_io.h"

#include <algorithm>
#include <limits>

namespace vellumark::gdiplus {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kMaxChunk = std::numeric_limits<std::uint32_t>::max();
// Only this much is reserved up front on the stream's word; a stream that
// claims more than it holds costs no more than this.
constexpr std::size_t kMaxReserve = std::size_t{16} << 20;

Error streamFailure(const char* why) {
    return Error{GenericError, why};
}

std::uint64_t currentPosition(IStream* stream, bool& known) {
    std::uint64_t position = 0;
    known = stream->lpVtbl->Seek(stream, 0, STREAM_SEEK_CUR, &position) == 0;
    return position;
}

// The bytes left after the current position, when the stream can tell.
std::uint64_t remainingHint(IStream* stream, std::uint64_t position, bool positionKnown) {
    std::uint64_t size = 0;
    if (!positionKnown || stream->lpVtbl->GetSize(stream, &size) != 0 || size < position) {
        return 0;
    }
    return size - position;
}

Result<void> readToEnd(IStream* stream, std::size_t cap, std::vector<std::uint8_t>& bytes) {
    for (;;) {
        // Read one byte beyond the cap so that "exactly the cap" fits and
        // "more than the cap" is detected.
        const std::size_t room = cap + 1 - bytes.size();
        const std::size_t chunk = std::min({kReadChunk, room, kMaxChunk});
        const std::size_t used = bytes.size();
        bytes.resize(used + chunk);
        std::uint32_t got = 0;
        const auto result = stream->lpVtbl->Read(stream, bytes.data() + used,
                                                 static_cast<std::uint32_t>(chunk), &got);
        if (got > chunk) {
            return streamFailure("stream read more than asked");
        }
        if (result != 0) {
            return streamFailure("stream read failed");
        }
        bytes.resize(used + got);
        if (bytes.size() > cap) {
            return Error{OutOfMemory, "stream larger than the limit"};
        }
        if (got == 0) {
            return success();
        }
    }
}

} // namespace

Result<std::vector<std::uint8_t>> readWholeStream(IStream* stream, std::size_t cap) {
    if (stream == nullptr || stream->lpVtbl == nullptr) {
        return invalidArgument("no stream");
    }
    cap = std::min(cap, std::numeric_limits<std::size_t>::max() - 1);
    bool positionKnown = false;
    const std::uint64_t start = currentPosition(stream, positionKnown);
    const std::uint64_t hint = remainingHint(stream, start, positionKnown);
    if (hint > cap) {
        return Error{OutOfMemory, "stream larger than the limit"};
    }

    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::min(static_cast<std::size_t>(hint), kMaxReserve));
    Result<void> read = readToEnd(stream, cap, bytes);
    if (!read) {
        if (positionKnown) {
            std::uint64_t ignored = 0;
            stream->lpVtbl->Seek(stream, static_cast<std::int64_t>(start), STREAM_SEEK_SET,
                                 &ignored);
        }
        return read.error();
    }
    return bytes;
}

Result<void> writeToStream(IStream* stream, std::span<const std::uint8_t> bytes) {
    if (stream == nullptr || stream->lpVtbl == nullptr) {
        return invalidArgument("no stream");
    }
    while (!bytes.empty()) {
        const std::size_t chunk = std::min(bytes.size(), kMaxChunk);
        std::uint32_t written = 0;
        const auto result = stream->lpVtbl->Write(stream, bytes.data(),
                                                  static_cast<std::uint32_t>(chunk), &written);
        if (result != 0 || written == 0 || written > chunk) {
            return streamFailure("stream write failed");
        }
        bytes = bytes.subspan(written);
    }
    return success();
}

} // namespace vellumark::gdiplus
