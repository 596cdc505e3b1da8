// The one table that hands out the flat API's 32-bit handles.
//
// A handle is (generation << kHandleIndexBits) | index. Slot 0 is never used
// and generations start at 1, so 0 is never a handle. Freeing an object, or
// reclaiming everything at shut-down, advances the slot's generation, so the
// old handle goes stale and is rejected instead of reaching another object.
// Freed slots are reused oldest first, which keeps a generation from wrapping
// back to a stale value until that slot has been reused thousands of times.
//
// The table owns its objects; it is the only owner of engine objects that
// callers can name.
#pragma once

#include "core/object.h"
#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace vellumark::gdiplus {

class HandleTable {
public:
    // OutOfMemory when the table is full; the object is then destroyed.
    Result<GpHandle> insert(std::unique_ptr<Object> object);

    // The live object behind `handle` if it is of kind (or family) `wanted`;
    // InvalidParameter for 0, a stale or made-up number, or another kind.
    Result<Object*> find(GpHandle handle, ObjectKind wanted) const;

    template <typename T> Result<T*> find(GpHandle handle) const {
        Result<Object*> found = find(handle, T::kKind);
        if (!found) {
            return found.error();
        }
        return static_cast<T*>(*found);
    }

    // Destroys the object if it is of kind (or family) `wanted`.
    Result<void> erase(GpHandle handle, ObjectKind wanted);

    // Destroys every live object; all their handles go stale.
    void clear();

    std::size_t liveCount() const { return liveCount_; }

private:
    struct Slot {
        std::unique_ptr<Object> object;
        std::uint32_t generation = 1;
    };

    const Slot* liveSlot(GpHandle handle, ObjectKind wanted) const;
    void retire(std::uint32_t index);

    std::vector<Slot> slots_{1}; // slot 0 is the reserved "no handle" entry
    std::deque<std::uint32_t> freeSlots_;
    std::size_t liveCount_ = 0;
};

} // namespace vellumark::gdiplus
