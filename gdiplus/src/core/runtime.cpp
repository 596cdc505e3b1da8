#include "core/runtime.h"

#include "core/limits.h"

#include <cstdlib>

namespace vellumark::gdiplus {

Runtime& Runtime::instance() {
    static Runtime runtime;
    return runtime;
}

Runtime::~Runtime() {
    objects_.clear();
    for (void* block : blocks_) {
        std::free(block);
    }
}

ULONG_PTR Runtime::start() {
    // Tokens are never reused, so a token that has ended stays ended.
    do {
        ++lastToken_;
    } while (lastToken_ == 0 || activeTokens_.count(lastToken_) != 0);
    activeTokens_.insert(lastToken_);
    return lastToken_;
}

void Runtime::stop(ULONG_PTR token) {
    if (activeTokens_.erase(token) != 0 && activeTokens_.empty()) {
        objects_.clear();
    }
}

void* Runtime::allocate(std::size_t size) {
    if (size == 0 || size > limits::kMaxAllocationBytes) {
        return nullptr;
    }
    void* block = std::malloc(size);
    if (block == nullptr) {
        return nullptr;
    }
    try {
        blocks_.insert(block);
    } catch (...) {
        std::free(block);
        return nullptr;
    }
    return block;
}

void Runtime::release(void* block) {
    if (block != nullptr && blocks_.erase(block) != 0) {
        std::free(block);
    }
}

} // namespace vellumark::gdiplus
