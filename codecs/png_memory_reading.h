// libpng's read callbacks for a whole file in memory, shared by both PNG
// decoders. libpng reports fatal errors by longjmp to png_jmpbuf; warnings
// are dropped, since a picture that decodes is shown as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <png.h>
#include <span>

namespace vellumark::codecs {

struct PngMemorySource {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

// png_set_read_fn's reader over a PngMemorySource; running out of data is an
// error.
inline void ReadPngFromMemory(png_structp png, png_bytep target, png_size_t count) {
    auto* source = static_cast<PngMemorySource*>(png_get_io_ptr(png));
    if (count > source->data.size() - source->position) {
        png_error(png, "truncated");
    }
    std::memcpy(target, source->data.data() + source->position, count);
    source->position += count;
}

[[noreturn]] inline void LeavePngOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

inline void IgnorePngWarning(png_structp, png_const_charp) {}

} // namespace vellumark::codecs
