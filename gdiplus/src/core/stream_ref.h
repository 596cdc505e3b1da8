// Holds one reference to a caller's IStream: AddRef when kept, Release when
// dropped. Objects that must read their stream again later (an image decoded
// lazily, a frame selected afterwards) keep it in one of these.
#pragma once

#include "gdiplus/gdiplus.h"

#include <utility>

namespace vellumark::gdiplus {

class StreamRef {
public:
    StreamRef() = default;
    // Takes a new reference; a null stream gives an empty StreamRef.
    explicit StreamRef(IStream* stream) : stream_(stream) {
        if (stream_ != nullptr) {
            stream_->lpVtbl->AddRef(stream_);
        }
    }
    StreamRef(const StreamRef& other) : StreamRef(other.stream_) {}
    StreamRef(StreamRef&& other) noexcept : stream_(std::exchange(other.stream_, nullptr)) {}
    StreamRef& operator=(StreamRef other) noexcept {
        std::swap(stream_, other.stream_);
        return *this;
    }
    ~StreamRef() { reset(); }

    void reset() {
        if (IStream* dropped = std::exchange(stream_, nullptr)) {
            dropped->lpVtbl->Release(dropped);
        }
    }

    IStream* get() const { return stream_; }
    explicit operator bool() const { return stream_ != nullptr; }

private:
    IStream* stream_ = nullptr;
};

} // namespace vellumark::gdiplus
