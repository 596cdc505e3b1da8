// The library's own small table of GDI objects (HBITMAP, HICON), since Linux
// has no GDI. Like GDI objects on Windows they belong to the process, not to
// a start of the library, and keep their pixels as 32-bit ARGB. Callers hold
// the library lock (every flat function does).
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"
#include "image/pixel_surface.h"

#include <cstdint>
#include <map>

namespace vellumark::gdiplus {

enum class GdiKind { Bitmap, Icon };

class GdiObjects {
public:
    static GdiObjects& instance();

    // A new non-zero 32-bit handle; OutOfMemory when the table is full.
    Result<std::uint32_t> add(GdiKind kind, PixelSurface pixels);
    // The pixels behind a live handle of this kind; InvalidParameter else.
    Result<const PixelSurface*> find(std::uint32_t handle, GdiKind kind) const;

private:
    struct Entry {
        GdiKind kind;
        PixelSurface pixels;
    };
    std::map<std::uint32_t, Entry> entries_;
    std::uint32_t next_ = 0x00010000;
};

} // namespace vellumark::gdiplus
