// Pictures, or parts of them, with no stored layout worth keeping (run-length
// bitmaps, icon entries) come from the picture-box decoders as 32-bit BGRA
// and are copied into frames here.
#pragma once

#include "codecs/native/frame_allocator.h"
#include "codecs/native/native_picture.h"

namespace vellumark::codecs::native {

// Appends `image` as a frame of `layout`, which must be Bgra32 or Bgrx32
// (the same bytes; Bgrx32 only says that alpha carries nothing).
DecodeError AddBgraFrame(const Bgra8Image& image, NativeLayout layout, FrameAllocator& frames);

} // namespace vellumark::codecs::native
