// Hard limits every decoder checks right after it has read a header, before
// it allocates anything for pixels. A picture beyond them is reported as
// DecodeError::OverLimit, which is distinct from a malformed file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellumark::codecs {

// Widest or tallest picture accepted, in pixels. Real photographs stay far
// below this; JPEG itself cannot exceed 65500.
inline constexpr std::uint32_t kMaxPictureSide = 65535;

// Most pixels a decoded picture may have: 64 Mi pixels, i.e. 256 MiB of
// BGRA output. This is what bounds the memory one hostile header can claim.
inline constexpr std::uint64_t kMaxPixelCount = std::uint64_t{1} << 26;

// Palettes hold at most 256 entries (BMP, GIF, PCX, PNG all agree).
inline constexpr std::uint32_t kMaxPaletteEntries = 256;

// Icon and cursor directories: the count field is 16-bit, but we look at no
// more entries than this.
inline constexpr std::uint32_t kMaxIconEntries = 1024;

// libjpeg's own memory budget for one decode (coefficient buffers of
// progressive files, sample rows); beyond it libjpeg fails cleanly.
inline constexpr long kMaxJpegWorkingMemory = 512L << 20;

// Progressive JPEG scans decoded before the file is refused. Real encoders
// write around ten; a file may repeat scans only to burn time.
inline constexpr std::uint32_t kMaxJpegScans = 1000;

// True when a width x height picture is within the limits above.
constexpr bool WithinPixelLimits(std::uint64_t width, std::uint64_t height) {
    return width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPixelCount;
}

} // namespace vellumark::codecs
