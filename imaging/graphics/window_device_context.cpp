#include "imaging/graphics/window_device_context.h"

namespace vellumark::imaging {
namespace {

class NoDeviceContexts final : public WindowDeviceContexts {
public:
    std::uint32_t GetDC(std::int32_t) override { return 0; }
    void ReleaseDC(std::int32_t, std::uint32_t) override {}
};

NoDeviceContexts defaultSource;
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
