#include "imaging/memory_stream.h"

#include "imaging/memory_block_stream.h"

#include <algorithm>
#include <span>

namespace vellumark::imaging {

MemoryStream::~MemoryStream() {
    Close();
}

void MemoryStream::Destroy() {
    Close();
}

std::unique_ptr<MemoryStream> MemoryStream::Copy() const {
    auto copy = std::make_unique<MemoryStream>();
    if (stream_ != nullptr) {
        stream_->lpVtbl->AddRef(stream_);
    }
    copy->memory_ = memory_;
    copy->stream_ = stream_;
    return copy;
}

IStream* MemoryStream::CreateFromBytes(const Bytes& data, std::optional<std::uint32_t> size) {
    Close();
    // A size beyond the data would read past the caller's buffer.
    const std::size_t length = std::min<std::size_t>(size.value_or(UINT32_MAX), data.size());
    stream_ = CreateMemoryBlockStream(std::span(data).first(length));
    memory_ = MemoryBlockId(stream_);
    return stream_;
}

void MemoryStream::Close() {
    if (stream_ == nullptr) {
        return;
    }
    // The block goes with the stream's last reference.
    stream_->lpVtbl->Release(stream_);
    stream_ = nullptr;
    memory_ = 0;
}

std::uint32_t MemoryStream::GetSize() const {
    return MemoryBlockSize(stream_);
}

IStream* MemoryStream::GetStream() const {
    return stream_;
}

std::uint32_t MemoryStream::GetMemoryHandle() const {
    return memory_;
}

bool MemoryStream::AttachStream(IStream* stream) {
    Close();
    memory_ = MemoryBlockId(stream);
    stream_ = stream;
    return memory_ != 0;
}

Bytes MemoryStream::ToBytes() const {
    return MemoryBlockBytes(stream_);
}

} // namespace vellumark::imaging
