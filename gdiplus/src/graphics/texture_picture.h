// Taking a texture's picture out of a bitmap and putting it into a new one.
#pragma once

#include "core/result.h"
#include "image/bitmap.h"

#include <QImage>
#include <QRect>
#include <memory>

namespace vellumark::gdiplus {

// A copy of `area` of the bitmap's active frame, in the frame's own layout
// where Qt paints from it, as straight-alpha ARGB32 otherwise; `area` must
// lie inside the bitmap.
Result<QImage> texturePicture(Bitmap& bitmap, const QRect& area);

// A new 32bppARGB bitmap holding the picture, whatever its layout.
Result<std::unique_ptr<Bitmap>> bitmapFromPicture(const QImage& picture);

} // namespace vellumark::gdiplus
