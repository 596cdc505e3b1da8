// The library's process-wide state: which starts are active, the handle
// table, and the blocks handed out by GdipAlloc. Every flat call runs under
// the one recursive lock, so the flat API may be called from any thread, and
// a caller's stream or callback may call back into it on the same thread.
#pragma once

#include "core/handle_table.h"

#include <cstddef>
#include <mutex>
#include <set>
#include <unordered_set>

namespace vellumark::gdiplus {

class Runtime {
public:
    static Runtime& instance();

    std::recursive_mutex& mutex() { return mutex_; }

    // Registers one more start and returns its token, never 0.
    ULONG_PTR start();
    // Ends the start of `token`; unknown tokens are ignored. Ending the last
    // start reclaims every live object.
    void stop(ULONG_PTR token);
    bool started() const { return !activeTokens_.empty(); }

    HandleTable& objects() { return objects_; }

    // Blocks for GdipAlloc/GdipFree. Only blocks handed out here are freed,
    // so a stray pointer given to GdipFree is ignored rather than corrupting
    // the heap. nullptr for 0 bytes or more than the limit.
    void* allocate(std::size_t size);
    void release(void* block);

private:
    Runtime() = default;
    ~Runtime();

    std::recursive_mutex mutex_;
    std::set<ULONG_PTR> activeTokens_;
    ULONG_PTR lastToken_ = 0;
    HandleTable objects_;
    std::unordered_set<void*> blocks_;
};

} // namespace vellumark::gdiplus
