// Hard limits of the flat API, in one place so they can be reviewed together.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellumark::gdiplus::limits {

// Handles keep the table index in their low bits and a generation in the
// high bits; see handle_table.h.
inline constexpr unsigned kHandleIndexBits = 20;
inline constexpr std::uint32_t kMaxLiveObjects = (1u << kHandleIndexBits) - 1;

// Largest single block GdipAlloc hands out.
inline constexpr std::size_t kMaxAllocationBytes = std::size_t{1} << 30;

// Largest encoded file read from a caller's stream in one piece.
inline constexpr std::size_t kMaxStreamBytes = std::size_t{512} << 20;

} // namespace vellumark::gdiplus::limits
