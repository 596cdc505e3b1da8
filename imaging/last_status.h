// LastStatus: the one process-wide status of the imaging layer. Every wrapper
// operation that calls the flat API stores each status here as it comes, so
// after an operation it holds the status of that operation's last flat call
// (0 = Ok). Nothing resets it; start-up, shut-down, Alloc, Free and the text
// conversions leave it alone. The layer is single-threaded by design.
#pragma once

#include <cstdint>
#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

inline std::int32_t LastStatus = Ok;

// Stores a flat call's status in LastStatus; true when it is Ok.
inline bool StoreStatus(GpStatus status) {
    LastStatus = status;
    return status == Ok;
}

} // namespace vellumark::imaging
