// Icons and cursors with every image the file holds: each entry becomes a
// 32-bit ARGB frame along the page dimension, the entry that shows best
// (largest, then deepest) first so that a plain load shows it, the others
// after it in directory order. Entries that cannot be read are left out; a
// file whose best entry cannot be read fails.
#pragma once

#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

DecodeError DecodeIcon(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out);

} // namespace vellumark::codecs::native
