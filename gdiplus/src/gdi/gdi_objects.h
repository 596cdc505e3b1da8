// The library's own small table of GDI objects, since Linux has no GDI:
// bitmaps and icons (32-bit ARGB pixels), device contexts and the windows a
// host registered. Like GDI objects on Windows they belong to the process,
// not to a start of the library. Callers hold the library lock (every flat
// function does).
#pragma once

#include "core/result.h"
#include "gdi/device_context.h"
#include "gdiplus/gdi.h"
#include "gdiplus/gdiplus.h"
#include "image/pixel_surface.h"

#include <cstdint>
#include <map>
#include <variant>

namespace vellumark::gdiplus {

enum class GdiKind { Bitmap, Icon, DeviceContext, Window };

class GdiObjects {
public:
    static GdiObjects& instance();
    // False once the table has been destroyed at process exit, so owners
    // destroyed later (surfaces reclaimed by the runtime) leave it alone.
    static bool alive() { return alive_; }

    GdiObjects() = default;
    ~GdiObjects();
    GdiObjects(const GdiObjects&) = delete;
    GdiObjects& operator=(const GdiObjects&) = delete;

    // ---- Bitmaps and icons
    // A new non-zero 32-bit handle; OutOfMemory when the table is full.
    Result<std::uint32_t> add(GdiKind kind, PixelSurface pixels);
    // The pixels behind a live handle of this kind; InvalidParameter else.
    Result<const PixelSurface*> find(std::uint32_t handle, GdiKind kind) const;
    // Deletes a bitmap or icon; InvalidParameter for another object and
    // ObjectBusy for a bitmap selected into a device context. The stock
    // bitmap stays.
    Result<void> remove(std::uint32_t handle, GdiKind kind);

    // ---- Device contexts
    Result<HDC> createMemoryDc();
    // Selects `bitmap` and returns the one it replaces.
    Result<HBITMAP> select(HDC dc, HBITMAP bitmap);
    Result<void> deleteMemoryDc(HDC dc);
    // A window's device context holding a copy of what it shows.
    Result<HDC> takeWindowDc(HWND window);
    // Shows the window what its device context holds, then deletes it.
    Result<void> releaseWindowDc(HWND window, HDC dc);
    // Shows the window what a window device context holds now; nothing for
    // other device contexts and the screen.
    void present(HDC dc);
    Result<HDC> createSurfaceDc(SurfaceTarget target);
    Result<void> deleteSurfaceDc(HDC dc);
    // The pixels a device context draws into, or for a surface device
    // context the target it draws into.
    Result<std::variant<PixelSurface*, SurfaceTarget>> drawTarget(HDC dc);

    // ---- Windows of a host
    Result<HWND> registerWindow(const GdiplusGdiWindowHost& host);
    Result<void> unregisterWindow(HWND window);

private:
    using Payload = std::variant<PixelSurface, MemoryDc, WindowDc, SurfaceDc, GdiplusGdiWindowHost>;
    struct Entry {
        GdiKind kind;
        Payload payload;
    };

    Result<std::uint32_t> insert(GdiKind kind, Payload payload);
    template <typename T> T* payloadOf(std::uint32_t handle);
    Result<HBITMAP> stockBitmap();
    PixelSurface* screen();
    bool isSelected(HBITMAP bitmap) const;

    static inline bool alive_ = true;
    std::map<std::uint32_t, Entry> entries_;
    std::uint32_t next_ = 0x00010000;
    HBITMAP stock_ = 0;
    std::optional<PixelSurface> screen_;
};

} // namespace vellumark::gdiplus
