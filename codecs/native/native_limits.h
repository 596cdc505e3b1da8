// Bounds on a whole multi-frame picture, on top of the per-frame limits of
// codecs/limits.h: an animation or a multi-page file may not make up for
// small frames by having very many of them.
#pragma once

#include "codecs/limits.h"

#include <cstddef>
#include <cstdint>

namespace vellumark::codecs::native {

inline constexpr std::size_t kMaxFrames = 4096;

// Bytes of decoded pixels over all frames of one picture.
inline constexpr std::uint64_t kMaxTotalFrameBytes = std::uint64_t{1} << 30;

// Bytes of metadata kept from one file (EXIF, text chunks, ICC profiles).
inline constexpr std::size_t kMaxPropertyBytes = std::size_t{16} << 20;

} // namespace vellumark::codecs::native
