#include "imaging/startup.h"

#include "platform/binding/flat_api.h"

namespace vellumark::imaging {

ULONG_PTR ImagingStartup(std::optional<std::uint32_t> version) {
    const GdiplusStartupInput input{version.value_or(1), nullptr, 0, 0};
    ULONG_PTR token = 0;
    // The status is not kept: a failed start simply leaves the token at 0.
    binding::GdiplusStartup(&token, &input, nullptr);
    StartupToken = token;
    return token;
}

void ImagingShutdown(std::optional<ULONG_PTR> token) {
    ULONG_PTR ending = 0;
    if (token.has_value()) {
        ending = *token;
    } else {
        ending = StartupToken;
        StartupToken = 0;
    }
    if (ending != 0) {
        binding::GdiplusShutdown(ending);
    }
}

} // namespace vellumark::imaging
