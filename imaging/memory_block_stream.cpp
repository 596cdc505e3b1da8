#include "imaging/memory_block_stream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>

namespace vellumark::imaging {
namespace {

// IID_IUnknown {00000000-0000-0000-C000-000000000046} and
// IID_IStream {0000000C-0000-0000-C000-000000000046}.
constexpr GUID kUnknownInterface = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kStreamInterface = {
    0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

std::uint32_t NextBlockId() {
    static std::atomic<std::uint32_t> lastId{0};
    std::uint32_t id = ++lastId;
    if (id == 0) {
        id = ++lastId; // after wrapping round, 0 still means "no block"
    }
    return id;
}

struct MemoryBlockStream : IStream {
    explicit MemoryBlockStream(const IStreamVtbl* table) : IStream{table} {}

    std::uint32_t references = 1;
    std::uint32_t id = NextBlockId();
    Bytes block;
    std::uint64_t position = 0;
};

MemoryBlockStream& Self(IStream* stream) {
    return *static_cast<MemoryBlockStream*>(stream);
}

// Makes the block `size` bytes long; false, with the block unchanged, when
// that is over the limit or cannot be allocated.
bool Resize(MemoryBlockStream& stream, std::uint64_t size) {
    if (size > kMaxMemoryBlockBytes) {
        return false;
    }
    try {
        stream.block.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

std::uint32_t AddRef(IStream* stream) {
    return ++Self(stream).references;
}

std::uint32_t Release(IStream* stream) {
    const std::uint32_t left = --Self(stream).references;
    if (left == 0) {
        // The object was made by CreateMemoryBlockStream from a unique_ptr.
        std::unique_ptr<MemoryBlockStream> last(&Self(stream));
    }
    return left;
}

std::int32_t QueryInterface(IStream* stream, const GUID* iid, void** object) {
    if (object == nullptr || iid == nullptr) {
        return kStreamInvalidPointer;
    }
    if (SameGuid(*iid, kUnknownInterface) || SameGuid(*iid, kStreamInterface)) {
        AddRef(stream);
        *object = stream;
        return 0;
    }
    *object = nullptr;
    return kStreamNoInterface;
}

std::int32_t Read(IStream* stream, void* buffer, std::uint32_t count, std::uint32_t* read) {
    MemoryBlockStream& self = Self(stream);
    if (buffer == nullptr && count > 0) {
        return kStreamInvalidPointer;
    }
    const std::uint64_t size = self.block.size();
    const std::uint64_t available = self.position < size ? size - self.position : 0;
    const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, available));
    if (n > 0) {
        std::memcpy(buffer, self.block.data() + self.position, n);
        self.position += n;
    }
    if (read != nullptr) {
        *read = n;
    }
    return 0;
}

std::int32_t Write(IStream* stream, const void* buffer, std::uint32_t count,
                   std::uint32_t* written) {
    MemoryBlockStream& self = Self(stream);
    if (written != nullptr) {
        *written = 0;
    }
    if (buffer == nullptr && count > 0) {
        return kStreamInvalidPointer;
    }
    const std::uint64_t end = self.position + count;
    if (end > self.block.size() && !Resize(self, end)) {
        return kStreamOutOfMemory;
    }
    if (count > 0) {
        std::memcpy(self.block.data() + self.position, buffer, count);
    }
    self.position = end;
    if (written != nullptr) {
        *written = count;
    }
    return 0;
}

std::int32_t Seek(IStream* stream, std::int64_t move, std::uint32_t origin,
                  std::uint64_t* newPosition) {
    MemoryBlockStream& self = Self(stream);
    std::uint64_t base = 0;
    switch (origin) {
    case STREAM_SEEK_SET:
        base = 0;
        break;
    case STREAM_SEEK_CUR:
        base = self.position;
        break;
    case STREAM_SEEK_END:
        base = self.block.size();
        break;
    default:
        return kStreamInvalidFunction;
    }
    // Positions past the end are allowed (a later write fills the gap), but
    // not before the start nor beyond what a block may ever hold.
    const auto target = static_cast<std::int64_t>(base) + move;
    if (target < 0 || static_cast<std::uint64_t>(target) > kMaxMemoryBlockBytes) {
        return kStreamInvalidFunction;
    }
    self.position = static_cast<std::uint64_t>(target);
    if (newPosition != nullptr) {
        *newPosition = self.position;
    }
    return 0;
}

std::int32_t GetSize(IStream* stream, std::uint64_t* size) {
    if (size == nullptr) {
        return kStreamInvalidPointer;
    }
    *size = Self(stream).block.size();
    return 0;
}

std::int32_t SetSize(IStream* stream, std::uint64_t size) {
    return Resize(Self(stream), size) ? 0 : kStreamOutOfMemory;
}

constexpr IStreamVtbl kMemoryBlockStreamTable = {QueryInterface, AddRef, Release, Read,
                                                 Write,          Seek,   GetSize, SetSize};

MemoryBlockStream* OurStream(IStream* stream) {
    if (stream == nullptr || stream->lpVtbl != &kMemoryBlockStreamTable) {
        return nullptr;
    }
    return &Self(stream);
}

} // namespace

IStream* CreateMemoryBlockStream(std::span<const std::uint8_t> bytes) {
    try {
        auto stream = std::make_unique<MemoryBlockStream>(&kMemoryBlockStreamTable);
        if (bytes.size() > kMaxMemoryBlockBytes) {
            return nullptr;
        }
        stream->block.assign(bytes.begin(), bytes.end());
        return stream.release(); // the caller's reference; Release frees it
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::uint32_t MemoryBlockId(IStream* stream) {
    const MemoryBlockStream* ours = OurStream(stream);
    return ours != nullptr ? ours->id : 0;
}

std::uint32_t MemoryBlockSize(IStream* stream) {
    const MemoryBlockStream* ours = OurStream(stream);
    return ours != nullptr ? static_cast<std::uint32_t>(ours->block.size()) : 0;
}

Bytes MemoryBlockBytes(IStream* stream) {
    const MemoryBlockStream* ours = OurStream(stream);
    if (ours == nullptr) {
        return {};
    }
    try {
        return ours->block;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace vellumark::imaging
