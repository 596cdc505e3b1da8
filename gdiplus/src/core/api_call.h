// The shape of every exported function: a thin shim that runs its body
// through `guarded`, which takes the library lock, answers
// GdiplusNotInitialized while no start is active, turns the body's Error into
// its status and keeps exceptions from crossing the C boundary. The helpers
// below do the argument checks that every shim repeats.
#pragma once

#include "core/object.h"
#include "core/result.h"
#include "core/runtime.h"
#include "gdiplus/gdiplus.h"

#include <cmath>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <new>
#include <type_traits>

namespace vellumark::gdiplus::api {

template <typename Body> GpStatus guarded(Body&& body) noexcept {
    try {
        Runtime& runtime = Runtime::instance();
        std::lock_guard lock(runtime.mutex());
        if (!runtime.started()) {
            return GdiplusNotInitialized;
        }
        Result<void> result = body(runtime.objects());
        return result ? Ok : result.error().status;
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    } catch (...) {
        return GenericError;
    }
}

// Runs `body` on the live object of type T (or of T's family) behind
// `handle`. The body takes the object, and the table too if it asks for it.
template <typename T, typename Body> GpStatus onObject(GpHandle handle, Body&& body) noexcept {
    return guarded([&](HandleTable& objects) -> Result<void> {
        Result<T*> found = objects.find<T>(handle);
        if (!found) {
            return found.error();
        }
        if ((*found)->busy()) {
            return Error{ObjectBusy, "object busy"};
        }
        if constexpr (std::is_invocable_v<Body, T&, HandleTable&>) {
            return body(**found, objects);
        } else {
            return body(**found);
        }
    });
}

// Writes `read(object)` to `*out` for the live object behind `handle`.
template <typename T, typename Out, typename Read>
GpStatus queryObject(GpHandle handle, Out* out, Read&& read) noexcept {
    return onObject<T>(handle, [&](T& object) -> Result<void> {
        if (out == nullptr) {
            return invalidArgument("null output");
        }
        *out = read(object);
        return success();
    });
}

// The first failed check, or success.
inline Result<void> allOf(std::initializer_list<Result<void>> checks) {
    for (const Result<void>& check : checks) {
        if (!check) {
            return check;
        }
    }
    return success();
}

inline Result<void> requirePointer(const void* pointer) {
    if (pointer == nullptr) {
        return invalidArgument("null pointer");
    }
    return success();
}

template <typename... Reals> Result<void> requireFinite(Reals... values) {
    if (!(std::isfinite(values) && ...)) {
        return invalidArgument("non-finite number");
    }
    return success();
}

inline Result<void> requireInRange(INT value, INT lowest, INT highest) {
    if (value < lowest || value > highest) {
        return invalidArgument("enumeration value out of range");
    }
    return success();
}

// Registers a new object and writes its handle to `out` (already checked).
inline Result<void> publish(HandleTable& objects, std::unique_ptr<Object> object, GpHandle* out) {
    Result<GpHandle> handle = objects.insert(std::move(object));
    if (!handle) {
        return handle.error();
    }
    *out = *handle;
    return success();
}

// Shims that hand out a handle clear the output first, before any check, so
// it reads 0 unless the call succeeds.
inline void clearOutput(GpHandle* out) {
    if (out != nullptr) {
        *out = 0;
    }
}

} // namespace vellumark::gdiplus::api
