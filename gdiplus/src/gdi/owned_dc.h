// A device context the library took for one of its own surfaces: a window's
// (GdipCreateFromHWND), given back with what was drawn when the surface goes,
// or a surface's own (GdipGetDC), deleted when the surface goes without its
// caller having given it back.
#pragma once

#include "gdi/gdi_objects.h"

#include <utility>

namespace vellumark::gdiplus {

class OwnedDc {
public:
    enum class Kind { Window, Surface };

    OwnedDc(Kind kind, HWND window, HDC dc) : kind_(kind), window_(window), dc_(dc) {}
    OwnedDc(OwnedDc&& other) noexcept
        : kind_(other.kind_), window_(other.window_), dc_(std::exchange(other.dc_, 0)) {}
    OwnedDc& operator=(OwnedDc&&) = delete;
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    ~OwnedDc() { giveBack(); }

    HDC dc() const { return dc_; }

    // Gives the device context back now; the object then holds nothing.
    void giveBack() noexcept {
        if (dc_ == 0 || !GdiObjects::alive()) {
            return;
        }
        GdiObjects& objects = GdiObjects::instance();
        const HDC dc = std::exchange(dc_, 0);
        if (kind_ == Kind::Window) {
            (void)objects.releaseWindowDc(window_, dc);
        } else {
            (void)objects.deleteSurfaceDc(dc);
        }
    }

private:
    Kind kind_;
    HWND window_;
    HDC dc_;
};

} // namespace vellumark::gdiplus
