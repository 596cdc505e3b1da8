// The system stream over a memory block, as this platform provides it: a
// reference-counted, growable in-memory byte stream with one read/write
// position, behind the IStream interface of gdiplus.h. The block belongs to
// the stream object and lives until the last reference is released, so an
// image the library loaded from it can never outlive its bytes.
//
// Reads stop at the end; writing past the end grows the block (zero-filling
// any gap left by a seek). The block never exceeds kMaxMemoryBlockBytes;
// a write or resize beyond that, or one the allocator refuses, fails with
// no change.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <span>

namespace vellumark::imaging {

// Sizes are reported as 32-bit values, so a block stays below 4 GiB.
inline constexpr std::uint64_t kMaxMemoryBlockBytes = 0xFFFFFFFFu;

// A new stream holding a copy of `bytes`, positioned at its start, with one
// reference owned by the caller. Null when the block cannot be allocated.
IStream* CreateMemoryBlockStream(std::span<const std::uint8_t> bytes);

// The non-zero identifier of the block behind a stream made here; 0 for
// null or any other kind of stream.
std::uint32_t MemoryBlockId(IStream* stream);

// The block's length for a stream made here; 0 for null or any other stream.
std::uint32_t MemoryBlockSize(IStream* stream);

// The whole block of a stream made here, from its first byte; empty for null
// or any other kind of stream. The position is not moved.
Bytes MemoryBlockBytes(IStream* stream);

// Failure results of the stream operations (the platform's HRESULT values).
inline constexpr std::int32_t kStreamOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);
inline constexpr std::int32_t kStreamInvalidPointer = static_cast<std::int32_t>(0x80030009u);
inline constexpr std::int32_t kStreamInvalidFunction = static_cast<std::int32_t>(0x80030001u);
inline constexpr std::int32_t kStreamNoInterface = static_cast<std::int32_t>(0x80004002u);

} // namespace vellumark::imaging
