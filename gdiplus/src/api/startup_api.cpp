// Start-up, shut-down and the caller-owned memory blocks.
//
// This library runs no background thread, so the notification hook that a
// caller asks for with SuppressBackgroundThread has nothing to drive: the
// hook hands out a non-zero token and the unhook ignores it.
#include "core/runtime.h"
#include "gdiplus/gdiplus.h"

#include <mutex>

namespace {

using vellumark::gdiplus::Runtime;

int32_t notificationHook(ULONG_PTR* token) {
    if (token == nullptr) {
        return InvalidParameter;
    }
    *token = 1;
    return Ok;
}

void notificationUnhook(ULONG_PTR /*token*/) {}

} // namespace

extern "C" {

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                        GdiplusStartupOutput* output) {
    if (token == nullptr || input == nullptr) {
        return InvalidParameter;
    }
    *token = 0;
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2) {
        return UnsupportedGdiplusVersion;
    }
    if (input->SuppressBackgroundThread != 0 && output == nullptr) {
        return InvalidParameter;
    }
    try {
        Runtime& runtime = Runtime::instance();
        std::lock_guard lock(runtime.mutex());
        *token = runtime.start();
    } catch (...) {
        return OutOfMemory;
    }
    if (output != nullptr) {
        const bool hooked = input->SuppressBackgroundThread != 0;
        output->NotificationHook = hooked ? notificationHook : nullptr;
        output->NotificationUnhook = hooked ? notificationUnhook : nullptr;
    }
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
    try {
        Runtime& runtime = Runtime::instance();
        std::lock_guard lock(runtime.mutex());
        runtime.stop(token);
    } catch (...) {
        // Nothing to report through a void function; the start stays active.
    }
}

void* GdipAlloc(size_t size) {
    Runtime& runtime = Runtime::instance();
    std::lock_guard lock(runtime.mutex());
    return runtime.started() ? runtime.allocate(size) : nullptr;
}

void GdipFree(void* ptr) {
    Runtime& runtime = Runtime::instance();
    std::lock_guard lock(runtime.mutex());
    runtime.release(ptr);
}

} // extern "C"
