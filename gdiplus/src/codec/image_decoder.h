// Turning a whole encoded file into a Bitmap in the pixel format the file
// stores, with every frame, its palette, resolution, flags and property
// items. The format is found from the content's signature only. Statuses:
// UnknownImageFormat for content that is no picture this library reads,
// OutOfMemory for damaged, truncated or over-large ones (the published
// answer for a picture the decoder cannot read).
#pragma once

#include "core/result.h"
#include "image/bitmap.h"

#include <cstdint>
#include <memory>
#include <span>

namespace vellumark::gdiplus {

Result<std::unique_ptr<Bitmap>> decodeImage(std::span<const std::uint8_t> file);

} // namespace vellumark::gdiplus
