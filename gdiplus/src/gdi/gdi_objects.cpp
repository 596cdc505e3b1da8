#include "gdi/gdi_objects.h"

namespace vellumark::gdiplus {

namespace {

// A process without DeleteObject cannot release these, so bound them.
constexpr std::size_t kMaxGdiObjects = 10000;

} // namespace

GdiObjects& GdiObjects::instance() {
    static GdiObjects objects;
    return objects;
}

Result<std::uint32_t> GdiObjects::add(GdiKind kind, PixelSurface pixels) {
    if (entries_.size() >= kMaxGdiObjects) {
        return Error{OutOfMemory, "GDI object table full"};
    }
    while (next_ == 0 || entries_.count(next_) != 0) {
        ++next_;
    }
    const std::uint32_t handle = next_++;
    entries_.emplace(handle, Entry{kind, std::move(pixels)});
    return handle;
}

Result<const PixelSurface*> GdiObjects::find(std::uint32_t handle, GdiKind kind) const {
    const auto found = entries_.find(handle);
    if (found == entries_.end() || found->second.kind != kind) {
        return invalidArgument("not a live GDI object of this kind");
    }
    return &found->second.pixels;
}

} // namespace vellumark::gdiplus
