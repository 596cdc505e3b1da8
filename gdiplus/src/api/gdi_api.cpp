// The GDI calls of gdiplus/gdi.h. GDI objects belong to the process, so
// these run under the library lock but need no start of the library, and
// answer in GDI's own way: a handle or 0, TRUE or FALSE.
#include "core/runtime.h"
#include "gdi/gdi_objects.h"
#include "gdiplus/gdi.h"

#include <mutex>

using vellumark::gdiplus::GdiKind;
using vellumark::gdiplus::GdiObjects;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::Runtime;

namespace {

// Runs `body` on the table under the library lock; `failed` when it throws.
template <typename T, typename Body> T withTable(T failed, Body&& body) noexcept {
    try {
        std::lock_guard lock(Runtime::instance().mutex());
        return body(GdiObjects::instance());
    } catch (...) {
        return failed;
    }
}

template <typename T> std::uint32_t handleOrZero(const Result<T>& result) {
    return result ? *result : 0;
}

BOOL succeeded(const Result<void>& result) {
    return result ? 1 : 0;
}

} // namespace

extern "C" {

HDC GdiplusGdiCreateCompatibleDC(HDC) {
    return withTable<HDC>(0, [](GdiObjects& gdi) { return handleOrZero(gdi.createMemoryDc()); });
}

HGDIOBJ GdiplusGdiSelectObject(HDC hdc, HGDIOBJ object) {
    return withTable<HGDIOBJ>(
        0, [&](GdiObjects& gdi) { return handleOrZero(gdi.select(hdc, object)); });
}

BOOL GdiplusGdiDeleteDC(HDC hdc) {
    return withTable<BOOL>(0, [&](GdiObjects& gdi) { return succeeded(gdi.deleteMemoryDc(hdc)); });
}

BOOL GdiplusGdiDeleteObject(HGDIOBJ object) {
    return withTable<BOOL>(
        0, [&](GdiObjects& gdi) { return succeeded(gdi.remove(object, GdiKind::Bitmap)); });
}

BOOL GdiplusGdiDestroyIcon(HICON icon) {
    return withTable<BOOL>(
        0, [&](GdiObjects& gdi) { return succeeded(gdi.remove(icon, GdiKind::Icon)); });
}

HDC GdiplusGdiGetDC(HWND window) {
    return withTable<HDC>(0,
                          [&](GdiObjects& gdi) { return handleOrZero(gdi.takeWindowDc(window)); });
}

INT GdiplusGdiReleaseDC(HWND window, HDC hdc) {
    return withTable<INT>(
        0, [&](GdiObjects& gdi) { return succeeded(gdi.releaseWindowDc(window, hdc)); });
}

GpStatus GdiplusGdiRegisterWindow(const GdiplusGdiWindowHost* host, HWND* window) {
    if (window != nullptr) {
        *window = 0;
    }
    if (host == nullptr || window == nullptr) {
        return InvalidParameter;
    }
    return withTable<GpStatus>(GenericError, [&](GdiObjects& gdi) {
        Result<HWND> registered = gdi.registerWindow(*host);
        if (!registered) {
            return registered.error().status;
        }
        *window = *registered;
        return Ok;
    });
}

GpStatus GdiplusGdiUnregisterWindow(HWND window) {
    return withTable<GpStatus>(GenericError, [&](GdiObjects& gdi) {
        Result<void> removed = gdi.unregisterWindow(window);
        return removed ? Ok : removed.error().status;
    });
}

} // extern "C"
