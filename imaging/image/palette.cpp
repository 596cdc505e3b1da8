#include "imaging/image/palette.h"

#include "imaging/image/library_block.h"

#include <algorithm>

namespace vellumark::imaging {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kColourBytes = 4;

} // namespace

Bytes BuildPaletteBlock(const Palette& palette) {
    const std::size_t count = std::min<std::size_t>(palette.count, palette.entries.size());
    BlockWriter block;
    block.U32(palette.flags);
    block.U32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        block.U32(palette.entries[i]);
    }
    return block.Take();
}

Palette ReadPaletteBlock(std::span<const std::uint8_t> bytes) {
    const BlockReader block(bytes);
    Palette palette;
    palette.flags = block.U32(0);
    const std::size_t held =
        block.Size() < kHeaderBytes ? 0 : (block.Size() - kHeaderBytes) / kColourBytes;
    const std::size_t count = std::min<std::size_t>(block.U32(4), held);
    palette.count = static_cast<std::uint32_t>(count);
    palette.entries.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        palette.entries[i] = block.U32(kHeaderBytes + kColourBytes * i);
    }
    return palette;
}

} // namespace vellumark::imaging
