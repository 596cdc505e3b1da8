// Starting and stopping the imaging library around a piece of work. The pair
// is not counted here: a second ImagingStartup overwrites StartupToken, and a
// token-less ImagingShutdown then ends only the later start. Neither routine
// touches LastStatus.
#pragma once

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <optional>

namespace vellumark::imaging {

// The token of the latest ImagingStartup; 0 when this layer has not started
// the library (or its start failed).
inline ULONG_PTR StartupToken = 0;

// Starts the library with `version` (1 when not given) and returns the token,
// also kept in StartupToken. A failed start gives 0.
ULONG_PTR ImagingStartup(std::optional<std::uint32_t> version = std::nullopt);

// Ends the start identified by `token`. Without a token it ends the start
// kept in StartupToken and resets StartupToken to 0; a given token leaves
// StartupToken as it is. A zero token makes no library call.
void ImagingShutdown(std::optional<ULONG_PTR> token = std::nullopt);

} // namespace vellumark::imaging
