#include "gdi/gdi_objects.h"

namespace vellumark::gdiplus {

namespace {

// Bounds the table so a caller that never deletes cannot grow it forever.
constexpr std::size_t kMaxGdiObjects = 10000;

namespace px = pixels;

} // namespace

GdiObjects& GdiObjects::instance() {
    static GdiObjects objects;
    return objects;
}

GdiObjects::~GdiObjects() {
    alive_ = false;
}

Result<std::uint32_t> GdiObjects::insert(GdiKind kind, Payload payload) {
    if (entries_.size() >= kMaxGdiObjects) {
        return Error{OutOfMemory, "GDI object table full"};
    }
    // 0 is no object, and the desktop window's number must never name one.
    while (next_ == 0 || next_ == GDIPLUSGDI_DESKTOP_WINDOW || entries_.count(next_) != 0) {
        ++next_;
    }
    const std::uint32_t handle = next_++;
    entries_.emplace(handle, Entry{kind, std::move(payload)});
    return handle;
}

template <typename T> T* GdiObjects::payloadOf(std::uint32_t handle) {
    const auto found = entries_.find(handle);
    return found == entries_.end() ? nullptr : std::get_if<T>(&found->second.payload);
}

// ---- Bitmaps and icons ---------------------------------------------------------

Result<std::uint32_t> GdiObjects::add(GdiKind kind, PixelSurface pixels) {
    return insert(kind, std::move(pixels));
}

Result<const PixelSurface*> GdiObjects::find(std::uint32_t handle, GdiKind kind) const {
    const auto found = entries_.find(handle);
    if (found == entries_.end() || found->second.kind != kind ||
        !std::holds_alternative<PixelSurface>(found->second.payload)) {
        return invalidArgument("not a live GDI object of this kind");
    }
    return &std::get<PixelSurface>(found->second.payload);
}

bool GdiObjects::isSelected(HBITMAP bitmap) const {
    for (const auto& [handle, entry] : entries_) {
        const auto* memory = std::get_if<MemoryDc>(&entry.payload);
        if (memory != nullptr && memory->selected == bitmap) {
            return true;
        }
    }
    return false;
}

Result<void> GdiObjects::remove(std::uint32_t handle, GdiKind kind) {
    if (Result<const PixelSurface*> found = find(handle, kind); !found) {
        return found.error();
    }
    if (handle == stock_) {
        return success();
    }
    if (kind == GdiKind::Bitmap && isSelected(handle)) {
        return Error{ObjectBusy, "bitmap selected into a device context"};
    }
    entries_.erase(handle);
    return success();
}

// ---- Device contexts -------------------------------------------------------------

Result<HBITMAP> GdiObjects::stockBitmap() {
    if (stock_ != 0) {
        return stock_;
    }
    Result<PixelSurface> pixels = PixelSurface::allocate(1, 1, px::PixelFormat::Format32bppARGB);
    if (!pixels) {
        return pixels.error();
    }
    Result<std::uint32_t> handle = add(GdiKind::Bitmap, std::move(*pixels));
    if (!handle) {
        return handle.error();
    }
    stock_ = *handle;
    return stock_;
}

Result<HDC> GdiObjects::createMemoryDc() {
    Result<HBITMAP> stock = stockBitmap();
    if (!stock) {
        return stock.error();
    }
    return insert(GdiKind::DeviceContext, MemoryDc{*stock});
}

Result<HBITMAP> GdiObjects::select(HDC dc, HBITMAP bitmap) {
    MemoryDc* memory = payloadOf<MemoryDc>(dc);
    if (memory == nullptr) {
        return invalidArgument("not a memory device context");
    }
    if (Result<const PixelSurface*> found = find(bitmap, GdiKind::Bitmap); !found) {
        return found.error();
    }
    if (bitmap != stock_ && bitmap != memory->selected && isSelected(bitmap)) {
        return Error{ObjectBusy, "bitmap selected into another device context"};
    }
    const HBITMAP previous = memory->selected;
    memory->selected = bitmap;
    return previous;
}

Result<void> GdiObjects::deleteMemoryDc(HDC dc) {
    if (payloadOf<MemoryDc>(dc) == nullptr) {
        return invalidArgument("not a memory device context");
    }
    entries_.erase(dc);
    return success();
}

PixelSurface* GdiObjects::screen() {
    if (!screen_) {
        Result<PixelSurface> pixels = PixelSurface::allocate(
            GDIPLUSGDI_SCREEN_WIDTH, GDIPLUSGDI_SCREEN_HEIGHT, px::PixelFormat::Format32bppARGB);
        if (!pixels) {
            return nullptr;
        }
        screen_ = std::move(*pixels);
    }
    return &*screen_;
}

Result<HDC> GdiObjects::takeWindowDc(HWND window) {
    if (window == 0 || window == GDIPLUSGDI_DESKTOP_WINDOW) {
        if (screen() == nullptr) {
            return Error{OutOfMemory, "no memory for the screen"};
        }
        return insert(GdiKind::DeviceContext, WindowDc{window, std::nullopt});
    }
    const GdiplusGdiWindowHost* host = payloadOf<GdiplusGdiWindowHost>(window);
    if (host == nullptr) {
        return invalidArgument("not a registered window");
    }
    INT width = 0;
    INT height = 0;
    if (host->getSize(host->context, &width, &height) == 0 || width <= 0 || height <= 0) {
        return Error{Win32Error, "the window has no size"};
    }
    Result<PixelSurface> pixels = PixelSurface::allocate(static_cast<std::uint32_t>(width),
                                                         static_cast<std::uint32_t>(height),
                                                         px::PixelFormat::Format32bppARGB);
    if (!pixels) {
        return pixels.error();
    }
    host->capture(host->context, width, height, pixels->stride(), pixels->scan0());
    return insert(GdiKind::DeviceContext, WindowDc{window, std::move(*pixels)});
}

void GdiObjects::present(HDC dc) {
    WindowDc* windowDc = payloadOf<WindowDc>(dc);
    if (windowDc == nullptr || !windowDc->pixels) {
        return;
    }
    const GdiplusGdiWindowHost* host = payloadOf<GdiplusGdiWindowHost>(windowDc->window);
    if (host == nullptr) {
        return; // the window was unregistered meanwhile
    }
    const PixelSurface& pixels = *windowDc->pixels;
    host->present(host->context, static_cast<INT>(pixels.width()),
                  static_cast<INT>(pixels.height()), pixels.stride(), pixels.scan0());
}

Result<void> GdiObjects::releaseWindowDc(HWND window, HDC dc) {
    const WindowDc* windowDc = payloadOf<WindowDc>(dc);
    if (windowDc == nullptr || windowDc->window != window) {
        return invalidArgument("not this window's device context");
    }
    present(dc);
    entries_.erase(dc);
    return success();
}

Result<HDC> GdiObjects::createSurfaceDc(SurfaceTarget target) {
    return insert(GdiKind::DeviceContext, SurfaceDc{target});
}

Result<void> GdiObjects::deleteSurfaceDc(HDC dc) {
    if (payloadOf<SurfaceDc>(dc) == nullptr) {
        return invalidArgument("not a surface device context");
    }
    entries_.erase(dc);
    return success();
}

Result<std::variant<PixelSurface*, SurfaceTarget>> GdiObjects::drawTarget(HDC dc) {
    using Target = std::variant<PixelSurface*, SurfaceTarget>;
    if (const MemoryDc* memory = payloadOf<MemoryDc>(dc)) {
        PixelSurface* selected = payloadOf<PixelSurface>(memory->selected);
        if (selected == nullptr) {
            return Error{GenericError, "selected bitmap missing"};
        }
        return Target{selected};
    }
    if (WindowDc* windowDc = payloadOf<WindowDc>(dc)) {
        PixelSurface* pixels = windowDc->pixels ? &*windowDc->pixels : screen();
        if (pixels == nullptr) {
            return Error{OutOfMemory, "no memory for the screen"};
        }
        return Target{pixels};
    }
    if (const SurfaceDc* surface = payloadOf<SurfaceDc>(dc)) {
        return Target{surface->target};
    }
    return invalidArgument("not a live device context");
}

// ---- Windows of a host ------------------------------------------------------------

Result<HWND> GdiObjects::registerWindow(const GdiplusGdiWindowHost& host) {
    if (host.getSize == nullptr || host.capture == nullptr || host.present == nullptr) {
        return invalidArgument("window host without its callbacks");
    }
    return insert(GdiKind::Window, host);
}

Result<void> GdiObjects::unregisterWindow(HWND window) {
    if (payloadOf<GdiplusGdiWindowHost>(window) == nullptr) {
        return invalidArgument("not a registered window");
    }
    entries_.erase(window);
    return success();
}

} // namespace vellumark::gdiplus
