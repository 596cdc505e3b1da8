#include "imaging/brush/texture_brush.h"

#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

namespace vellumark::imaging {

TextureBrush::~TextureBrush() {
    Destroy();
}

void TextureBrush::SetNativeHandle(GpHandle handle) {
    brush_ = handle;
    SetDerivedHandle(brush_);
}

void TextureBrush::SetDerivedHandle(GpHandle handle) {
    texture_ = handle;
}

bool TextureBrush::ReleaseNative() {
    return DeleteBrush();
}

bool TextureBrush::DeleteBrush() {
    return ReleaseWith(brush_, binding::GdipDeleteBrush);
}

bool TextureBrush::CloneBrush(ImagingObject& target) {
    GpBrush clone = 0;
    const bool cloned = StoreStatus(binding::GdipCloneBrush(brush_, &clone));
    target.SetHandle(clone);
    return cloned;
}

std::int32_t TextureBrush::GetBrushType() {
    GpBrushType type = 0;
    StoreStatus(binding::GdipGetBrushType(brush_, &type));
    return type;
}

bool TextureBrush::CreateTexture(const ImagingObject& image, GpWrapMode wrapMode) {
    const bool created =
        StoreStatus(binding::GdipCreateTexture(image.GetHandle(), wrapMode, &texture_));
    ImagingObject::SetHandle(texture_);
    return created;
}

bool TextureBrush::CreateTexture2(const ImagingObject& image, float x, float y, float width,
                                  float height, GpWrapMode wrapMode) {
    const bool created = StoreStatus(
        binding::GdipCreateTexture2(image.GetHandle(), wrapMode, x, y, width, height, &texture_));
    ImagingObject::SetHandle(texture_);
    return created;
}

bool TextureBrush::CreateTexture2I(const ImagingObject& image, std::int32_t x, std::int32_t y,
                                   std::int32_t width, std::int32_t height, GpWrapMode wrapMode) {
    const bool created = StoreStatus(
        binding::GdipCreateTexture2I(image.GetHandle(), wrapMode, x, y, width, height, &texture_));
    ImagingObject::SetHandle(texture_);
    return created;
}

bool TextureBrush::CreateTextureIA(const ImagingObject& image, float x, float y, float width,
                                   float height, const ImagingObject& imageAttributes) {
    const bool created = StoreStatus(binding::GdipCreateTextureIA(
        image.GetHandle(), imageAttributes.GetHandle(), x, y, width, height, &texture_));
    ImagingObject::SetHandle(texture_);
    return created;
}

bool TextureBrush::CreateTextureIAI(const ImagingObject& image, std::int32_t x, std::int32_t y,
                                    std::int32_t width, std::int32_t height,
                                    const ImagingObject& imageAttributes) {
    const bool created = StoreStatus(binding::GdipCreateTextureIAI(
        image.GetHandle(), imageAttributes.GetHandle(), x, y, width, height, &texture_));
    ImagingObject::SetHandle(texture_);
    return created;
}

bool TextureBrush::GetTextureTransform(const ImagingObject& matrix) {
    return StoreStatus(binding::GdipGetTextureTransform(texture_, matrix.GetHandle()));
}

bool TextureBrush::SetTextureTransform(const ImagingObject& matrix) {
    return StoreStatus(binding::GdipSetTextureTransform(texture_, matrix.GetHandle()));
}

bool TextureBrush::ResetTextureTransform() {
    return StoreStatus(binding::GdipResetTextureTransform(texture_));
}

bool TextureBrush::MultiplyTextureTransform(const ImagingObject& matrix, GpMatrixOrder order) {
    return StoreStatus(binding::GdipMultiplyTextureTransform(texture_, matrix.GetHandle(), order));
}

bool TextureBrush::TranslateTextureTransform(float dx, float dy, GpMatrixOrder order) {
    return StoreStatus(binding::GdipTranslateTextureTransform(texture_, dx, dy, order));
}

bool TextureBrush::ScaleTextureTransform(float sx, float sy, GpMatrixOrder order) {
    return StoreStatus(binding::GdipScaleTextureTransform(texture_, sx, sy, order));
}

template <typename Middle>
bool TextureBrush::TransformAbout(const GpPointF& centre, GpMatrixOrder order, Middle&& middle) {
    // Prepended operations act in reverse order of the calls, appended ones
    // in call order; either way the point is moved to the origin first.
    const float sign = order == MatrixOrderPrepend ? 1.0f : -1.0f;
    StoreStatus(
        binding::GdipTranslateTextureTransform(texture_, sign * centre.X, sign * centre.Y, order));
    StoreStatus(middle());
    return StoreStatus(binding::GdipTranslateTextureTransform(texture_, -sign * centre.X,
                                                              -sign * centre.Y, order));
}

bool TextureBrush::ScaleTextureTransformAt(float sx, float sy, const GpPointF& centre,
                                           GpMatrixOrder order) {
    return TransformAbout(
        centre, order, [&] { return binding::GdipScaleTextureTransform(texture_, sx, sy, order); });
}

bool TextureBrush::RotateTextureTransform(float angle, GpMatrixOrder order) {
    return StoreStatus(binding::GdipRotateTextureTransform(texture_, angle, order));
}

bool TextureBrush::RotateTextureTransformAt(float angle, const GpPointF& centre,
                                            GpMatrixOrder order) {
    return TransformAbout(
        centre, order, [&] { return binding::GdipRotateTextureTransform(texture_, angle, order); });
}

std::int32_t TextureBrush::GetTextureWrapMode() {
    GpWrapMode mode = 0;
    StoreStatus(binding::GdipGetTextureWrapMode(texture_, &mode));
    return mode;
}

bool TextureBrush::SetTextureWrapMode(GpWrapMode mode) {
    return StoreStatus(binding::GdipSetTextureWrapMode(texture_, mode));
}

bool TextureBrush::GetTextureImage(ImagingObject& target) {
    GpImage image = 0;
    const bool got = StoreStatus(binding::GdipGetTextureImage(texture_, &image));
    target.SetHandle(image);
    return got;
}

} // namespace vellumark::imaging
