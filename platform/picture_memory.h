// How the process's allocator treats picture-sized blocks. Every avatar
// allocates a few buffers of its picture's size and frees them again; with
// glibc's defaults the freed memory goes back to the kernel each time, so
// the next avatar pays for faulting and zeroing the same pages once more.
// A main() that makes pictures calls this once, before any other work.
#pragma once

#include <malloc.h>

namespace vellumark::platform {

inline void KeepPictureMemoryForReuse() {
    // Blocks up to 4 MiB (a 1000 x 1000 ARGB picture) come from the heap
    // and are reused; larger ones stay separate mappings that go back to the
    // kernel as soon as they are freed, so a huge photo leaves nothing held.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    // Up to 16 MiB of freed heap stays mapped for the next picture.
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
}

} // namespace vellumark::platform
