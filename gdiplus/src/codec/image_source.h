// Loading an image from a caller's stream or a named file: the whole content
// is read, then decoded by its signature.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"
#include "image/bitmap.h"

#include <memory>

namespace vellumark::gdiplus {

Result<std::unique_ptr<Bitmap>> loadImageFromStream(IStream* stream);
Result<std::unique_ptr<Bitmap>> loadImageFromFile(const WCHAR* fileName);

} // namespace vellumark::gdiplus
