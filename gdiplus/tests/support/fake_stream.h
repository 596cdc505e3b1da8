// An in-memory IStream for tests, with switches for the ways a caller's
// stream can misbehave.
#pragma once

#include "gdiplus/gdiplus.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellumark::gdiplus::testing {

struct FakeStream {
    IStream base{&kVtbl}; // first member: an IStream* to this is a FakeStream*

    std::vector<std::uint8_t> bytes;
    std::uint64_t position = 0;
    std::uint32_t references = 1;

    std::uint32_t maxPerRead = UINT32_MAX;       // short reads
    std::optional<std::uint64_t> failReadsAfter; // bytes delivered before reads fail
    std::uint32_t extraClaimedPerRead = 0;       // reports more bytes than it read
    std::optional<std::uint64_t> claimedSize;    // GetSize answer instead of the truth
    bool sizeUnknown = false;                    // GetSize fails
    std::uint32_t maxPerWrite = UINT32_MAX;      // short writes
    bool writesFail = false;

    explicit FakeStream(std::vector<std::uint8_t> content = {}) : bytes(std::move(content)) {}
    IStream* stream() { return &base; }

private:
    static FakeStream& self(IStream* stream) { return *reinterpret_cast<FakeStream*>(stream); }

    static int32_t queryInterface(IStream*, const GUID*, void** object) {
        if (object != nullptr) {
            *object = nullptr;
        }
        return 1;
    }
    static uint32_t addRef(IStream* s) { return ++self(s).references; }
    static uint32_t release(IStream* s) { return --self(s).references; }

    static int32_t read(IStream* s, void* buffer, uint32_t count, uint32_t* read) {
        FakeStream& f = self(s);
        std::uint64_t available = f.position < f.bytes.size() ? f.bytes.size() - f.position : 0;
        if (f.failReadsAfter && f.position >= *f.failReadsAfter) {
            *read = 0;
            return 1;
        }
        const auto n =
            static_cast<std::uint32_t>(std::min<std::uint64_t>({available, count, f.maxPerRead}));
        std::copy_n(f.bytes.begin() + static_cast<std::ptrdiff_t>(f.position), n,
                    static_cast<std::uint8_t*>(buffer));
        f.position += n;
        *read = n + (n > 0 ? f.extraClaimedPerRead : 0);
        return 0;
    }

    static int32_t write(IStream* s, const void* buffer, uint32_t count, uint32_t* written) {
        FakeStream& f = self(s);
        if (f.writesFail) {
            *written = 0;
            return 1;
        }
        const std::uint32_t n = std::min(count, f.maxPerWrite);
        if (f.bytes.size() < f.position + n) {
            f.bytes.resize(f.position + n);
        }
        const auto* source = static_cast<const std::uint8_t*>(buffer);
        std::copy_n(source, n, f.bytes.begin() + static_cast<std::ptrdiff_t>(f.position));
        f.position += n;
        *written = n;
        return 0;
    }

    static int32_t seek(IStream* s, int64_t move, uint32_t origin, uint64_t* newPosition) {
        FakeStream& f = self(s);
        const std::int64_t base = origin == STREAM_SEEK_SET ? 0
                                  : origin == STREAM_SEEK_CUR
                                      ? static_cast<std::int64_t>(f.position)
                                      : static_cast<std::int64_t>(f.bytes.size());
        if (base + move < 0) {
            return 1;
        }
        f.position = static_cast<std::uint64_t>(base + move);
        if (newPosition != nullptr) {
            *newPosition = f.position;
        }
        return 0;
    }

    static int32_t getSize(IStream* s, uint64_t* size) {
        FakeStream& f = self(s);
        if (f.sizeUnknown) {
            return 1;
        }
        *size = f.claimedSize.value_or(f.bytes.size());
        return 0;
    }

    static int32_t setSize(IStream* s, uint64_t size) {
        self(s).bytes.resize(size);
        return 0;
    }

    static constexpr IStreamVtbl kVtbl{queryInterface, addRef, release, read,
                                       write,          seek,   getSize, setSize};
};

} // namespace vellumark::gdiplus::testing
