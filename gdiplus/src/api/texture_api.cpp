// Flat functions of texture brushes.
#include "attributes/image_attributes.h"
#include "brush/texture_fill.h"
#include "core/api_call.h"
#include "graphics/texture_picture.h"
#include "image/bitmap.h"
#include "matrix/matrix.h"

#include <QRect>
#include <cmath>
#include <optional>

using vellumark::gdiplus::Bitmap;
using vellumark::gdiplus::bitmapFromPicture;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::ImageAttributes;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Matrix;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using vellumark::gdiplus::TextureFill;
using vellumark::gdiplus::texturePicture;
using namespace vellumark::gdiplus::api;

namespace {

Result<void> requireWrapMode(GpWrapMode mode) {
    return requireInRange(mode, WrapModeTile, WrapModeClamp);
}

// The part of the image a texture takes: the whole image, or a rectangle
// in its pixels that must be non-empty and inside it (OutOfMemory
// otherwise, as published).
Result<QRect> pictureArea(const Bitmap& bitmap, std::optional<QRectF> requested) {
    const QRect whole(0, 0, static_cast<int>(bitmap.width()), static_cast<int>(bitmap.height()));
    if (!requested) {
        return whole;
    }
    const QRectF r = *requested;
    if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) ||
        !std::isfinite(r.height())) {
        return invalidArgument("non-finite texture rectangle");
    }
    if (r.x() < 0 || r.y() < 0 || r.width() <= 0 || r.height() <= 0 || r.right() > whole.width() ||
        r.bottom() > whole.height()) {
        return Error{OutOfMemory, "texture rectangle outside the image"};
    }
    const QRect area(static_cast<int>(std::lround(r.x())), static_cast<int>(std::lround(r.y())),
                     static_cast<int>(std::lround(r.width())),
                     static_cast<int>(std::lround(r.height())));
    if (area.isEmpty()) {
        return Error{OutOfMemory, "texture rectangle holds no pixel"};
    }
    return area & whole;
}

GpStatus createTexture(GpImage image, Result<GpWrapMode> wrapMode, std::optional<QRectF> area,
                       GpTexture* texture) {
    clearOutput(texture);
    return onObject<Bitmap>(image, [&](Bitmap& bitmap, HandleTable& objects) -> Result<void> {
        if (!wrapMode) {
            return wrapMode.error();
        }
        if (auto checked = allOf({requirePointer(texture), requireWrapMode(*wrapMode)}); !checked) {
            return checked;
        }
        Result<QRect> taken = pictureArea(bitmap, area);
        if (!taken) {
            return taken.error();
        }
        Result<QImage> picture = texturePicture(bitmap, *taken);
        if (!picture) {
            return picture.error();
        }
        return publish(objects, std::make_unique<TextureFill>(std::move(*picture), *wrapMode),
                       texture);
    });
}

// The wrap mode image attributes give a texture; no attributes mean tile.
Result<GpWrapMode> wrapModeOf(GpImageAttributes attributes) {
    if (attributes == 0) {
        return GpWrapMode{WrapModeTile};
    }
    GpWrapMode mode = WrapModeTile;
    const GpStatus found = onObject<ImageAttributes>(attributes, [&](ImageAttributes& a) {
        mode = a.wrapMode();
        return success();
    });
    if (found != Ok) {
        return Error{found, "bad image attributes"};
    }
    return mode;
}

// Combines `operation` into the texture's transform in the given order.
GpStatus combineTexture(GpTexture brush, Result<void> operands, const QTransform& operation,
                        GpMatrixOrder order) {
    return onObject<TextureFill>(brush, [&](TextureFill& texture) -> Result<void> {
        if (auto checked =
                allOf({operands, requireInRange(order, MatrixOrderPrepend, MatrixOrderAppend)});
            !checked) {
            return checked;
        }
        Matrix combined(texture.transform());
        combined.combine(operation, order);
        texture.setTransform(combined.transform());
        return success();
    });
}

} // namespace

extern "C" {

GpStatus GdipCreateTexture(GpImage image, GpWrapMode wrapmode, GpTexture* texture) {
    return createTexture(image, wrapmode, std::nullopt, texture);
}

GpStatus GdipCreateTexture2(GpImage image, GpWrapMode wrapmode, REAL x, REAL y, REAL width,
                            REAL height, GpTexture* texture) {
    return createTexture(image, wrapmode, QRectF(x, y, width, height), texture);
}

GpStatus GdipCreateTexture2I(GpImage image, GpWrapMode wrapmode, INT x, INT y, INT width,
                             INT height, GpTexture* texture) {
    return createTexture(image, wrapmode, QRectF(x, y, width, height), texture);
}

GpStatus GdipCreateTextureIA(GpImage image, GpImageAttributes imageAttributes, REAL x, REAL y,
                             REAL width, REAL height, GpTexture* texture) {
    clearOutput(texture);
    // The attributes are looked up outside the image's call: each shim
    // takes the library lock once.
    const Result<GpWrapMode> mode = wrapModeOf(imageAttributes);
    return createTexture(image, mode, QRectF(x, y, width, height), texture);
}

GpStatus GdipCreateTextureIAI(GpImage image, GpImageAttributes imageAttributes, INT x, INT y,
                              INT width, INT height, GpTexture* texture) {
    return GdipCreateTextureIA(image, imageAttributes, static_cast<REAL>(x), static_cast<REAL>(y),
                               static_cast<REAL>(width), static_cast<REAL>(height), texture);
}

GpStatus GdipGetTextureTransform(GpTexture brush, GpMatrix matrix) {
    return onObject<TextureFill>(brush, [&](TextureFill& texture, HandleTable& objects) {
        Result<Matrix*> target = objects.find<Matrix>(matrix);
        if (!target) {
            return Result<void>(target.error());
        }
        (*target)->setTransform(texture.transform());
        return success();
    });
}

GpStatus GdipSetTextureTransform(GpTexture brush, GpMatrix matrix) {
    return onObject<TextureFill>(brush, [&](TextureFill& texture, HandleTable& objects) {
        Result<Matrix*> source = objects.find<Matrix>(matrix);
        if (!source) {
            return Result<void>(source.error());
        }
        if (!(*source)->isInvertible()) {
            return Result<void>(invalidArgument("texture transform must be invertible"));
        }
        texture.setTransform((*source)->transform());
        return success();
    });
}

GpStatus GdipResetTextureTransform(GpTexture brush) {
    return onObject<TextureFill>(brush, [](TextureFill& texture) {
        texture.setTransform(QTransform());
        return success();
    });
}

GpStatus GdipMultiplyTextureTransform(GpTexture brush, GpMatrix matrix, GpMatrixOrder order) {
    QTransform operation;
    const GpStatus found = onObject<Matrix>(matrix, [&](Matrix& source) {
        operation = source.transform();
        return success();
    });
    return found != Ok ? found : combineTexture(brush, success(), operation, order);
}

GpStatus GdipTranslateTextureTransform(GpTexture brush, REAL dx, REAL dy, GpMatrixOrder order) {
    return combineTexture(brush, requireFinite(dx, dy), QTransform::fromTranslate(dx, dy), order);
}

GpStatus GdipScaleTextureTransform(GpTexture brush, REAL sx, REAL sy, GpMatrixOrder order) {
    return combineTexture(brush, requireFinite(sx, sy), QTransform::fromScale(sx, sy), order);
}

GpStatus GdipRotateTextureTransform(GpTexture brush, REAL angle, GpMatrixOrder order) {
    return combineTexture(brush, requireFinite(angle), QTransform().rotate(angle), order);
}

GpStatus GdipSetTextureWrapMode(GpTexture brush, GpWrapMode wrapmode) {
    return onObject<TextureFill>(brush, [&](TextureFill& texture) -> Result<void> {
        if (auto checked = requireWrapMode(wrapmode); !checked) {
            return checked;
        }
        texture.setWrapMode(wrapmode);
        return success();
    });
}

GpStatus GdipGetTextureWrapMode(GpTexture brush, GpWrapMode* wrapmode) {
    return queryObject<TextureFill>(brush, wrapmode,
                                    [](const TextureFill& texture) { return texture.wrapMode(); });
}

GpStatus GdipGetTextureImage(GpTexture brush, GpImage* image) {
    clearOutput(image);
    return onObject<TextureFill>(brush, [&](TextureFill& texture, HandleTable& objects) {
        if (auto checked = requirePointer(image); !checked) {
            return checked;
        }
        auto bitmap = bitmapFromPicture(texture.picture());
        if (!bitmap) {
            return Result<void>(bitmap.error());
        }
        return publish(objects, std::move(*bitmap), image);
    });
}

} // extern "C"
