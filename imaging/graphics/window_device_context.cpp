#include "imaging/graphics/window_device_context.h"

#include "platform/binding/flat_api.h"

namespace vellumark::imaging {
namespace {

class LibraryDeviceContexts final : public WindowDeviceContexts {
public:
    std::uint32_t GetDC(std::int32_t window) override {
        return binding::GdiplusGdiGetDC(static_cast<HWND>(window));
    }
    void ReleaseDC(std::int32_t window, std::uint32_t deviceContext) override {
        binding::GdiplusGdiReleaseDC(static_cast<HWND>(window), deviceContext);
    }
};

LibraryDeviceContexts defaultSource;
WindowDeviceContexts* installed = nullptr;

} // namespace

WindowDeviceContexts& CurrentWindowDeviceContexts() {
    return installed != nullptr ? *installed : defaultSource;
}

WindowDeviceContexts* InstallWindowDeviceContexts(WindowDeviceContexts* source) {
    WindowDeviceContexts* previous = installed;
    installed = source;
    return previous;
}

} // namespace vellumark::imaging
