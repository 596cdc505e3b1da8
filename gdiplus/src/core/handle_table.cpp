#include "core/handle_table.h"

#include "core/limits.h"

namespace vellumark::gdiplus {

namespace {

constexpr std::uint32_t kIndexMask = (1u << limits::kHandleIndexBits) - 1;
constexpr std::uint32_t kMaxGeneration = (1u << (32 - limits::kHandleIndexBits)) - 1;

GpHandle makeHandle(std::uint32_t index, std::uint32_t generation) {
    return (generation << limits::kHandleIndexBits) | index;
}

} // namespace

Result<GpHandle> HandleTable::insert(std::unique_ptr<Object> object) {
    if (object == nullptr) {
        return Error{GenericError, "no object to register"};
    }
    std::uint32_t index = 0;
    if (!freeSlots_.empty()) {
        index = freeSlots_.front();
        freeSlots_.pop_front();
    } else if (slots_.size() <= limits::kMaxLiveObjects) {
        index = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    } else {
        return Error{OutOfMemory, "handle table full"};
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    ++liveCount_;
    return makeHandle(index, slot.generation);
}

const HandleTable::Slot* HandleTable::liveSlot(GpHandle handle, ObjectKind wanted) const {
    const std::uint32_t index = handle & kIndexMask;
    const std::uint32_t generation = handle >> limits::kHandleIndexBits;
    if (index == 0 || index >= slots_.size()) {
        return nullptr;
    }
    const Slot& slot = slots_[index];
    if (slot.object == nullptr || slot.generation != generation ||
        !isKindOf(slot.object->kind(), wanted)) {
        return nullptr;
    }
    return &slot;
}

Result<Object*> HandleTable::find(GpHandle handle, ObjectKind wanted) const {
    const Slot* slot = liveSlot(handle, wanted);
    if (slot == nullptr) {
        return invalidArgument("no live object of that kind");
    }
    return slot->object.get();
}

Result<void> HandleTable::erase(GpHandle handle, ObjectKind wanted) {
    if (liveSlot(handle, wanted) == nullptr) {
        return invalidArgument("no live object of that kind");
    }
    retire(handle & kIndexMask);
    return success();
}

void HandleTable::clear() {
    for (std::uint32_t index = 1; index < slots_.size(); ++index) {
        if (slots_[index].object != nullptr) {
            retire(index);
        }
    }
}

void HandleTable::retire(std::uint32_t index) {
    Slot& slot = slots_[index];
    // Advance the generation before destroying, so a destructor that looks
    // the handle up again already finds it stale.
    slot.generation = slot.generation == kMaxGeneration ? 1 : slot.generation + 1;
    std::unique_ptr<Object> dying = std::move(slot.object);
    freeSlots_.push_back(index);
    --liveCount_;
    dying.reset();
}

} // namespace vellumark::gdiplus
