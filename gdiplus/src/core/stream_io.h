// Reading encoded files from, and writing them into, a caller's IStream.
//
// Streams are caller code: every operation's result is checked (0 is success,
// as the interface says; a read at the end returns 0 with fewer bytes), a read that
// claims more bytes than were asked for is an error, and a stream that stops
// making progress ends the loop instead of spinning. Stream failures are
// reported as GenericError; a stream longer than the cap as OutOfMemory,
// before anything that large is allocated.
#pragma once

#include "core/limits.h"
#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

// Reads from the stream's current position to its end. On success the
// position is left after the bytes read; on failure it is put back where it
// was, so the caller can try again or hand the stream to someone else.
Result<std::vector<std::uint8_t>> readWholeStream(IStream* stream,
                                                  std::size_t cap = limits::kMaxStreamBytes);

// Writes all of `bytes` at the stream's current position.
Result<void> writeToStream(IStream* stream, std::span<const std::uint8_t> bytes);

} // namespace vellumark::gdiplus
