// MemoryStream: the bridge between Bytes and the imaging library, which reads
// and writes pictures only through a stream. It holds one reference to a
// memory-block stream (memory_block_stream.h) and the identifier of that
// stream's block. Loading: CreateFromBytes, then hand GetStream() to the
// library, which takes its own reference. Saving: CreateFromBytes of empty
// data, let the library write, then ToBytes.
//
// The block lives as long as any reference to its stream, so closing the
// MemoryStream while the library still reads from the stream is safe. None of
// the operations touches LastStatus.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <memory>
#include <optional>

namespace vellumark::imaging {

class MemoryStream {
public:
    MemoryStream() = default;
    virtual ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // Close.
    virtual void Destroy();
    // A second holder of the same stream and block, with a reference of its
    // own, so each of the two may be closed or destroyed.
    virtual std::unique_ptr<MemoryStream> Copy() const;
    // Closes what was held, then opens a stream, positioned at its start,
    // over a new block holding the first `size` bytes of `data` (all of them
    // when no size is given; a size beyond the data is cut to the data).
    // Returns the stream, or null when the block cannot be allocated.
    virtual IStream* CreateFromBytes(const Bytes& data, std::optional<std::uint32_t> size = {});
    // Releases the stream reference; nothing when none is held.
    virtual void Close();
    // The block's length in bytes; 0 when none is held.
    virtual std::uint32_t GetSize() const;
    // The stream for handing to the library; this object keeps its reference.
    virtual IStream* GetStream() const;
    // A non-zero identifier of the block; 0 when none is held.
    virtual std::uint32_t GetMemoryHandle() const;
    // Closes what was held and adopts `stream` with the caller's reference
    // (the count is not raised). True when the stream lives on a memory
    // block; otherwise the stream is still kept, and released by Close.
    virtual bool AttachStream(IStream* stream);
    // A copy of the whole block from its first byte; empty when none is held.
    virtual Bytes ToBytes() const;

private:
    std::uint32_t memory_ = 0;
    IStream* stream_ = nullptr;
};

} // namespace vellumark::imaging
