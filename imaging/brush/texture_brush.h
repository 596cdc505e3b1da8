// TextureBrush: a native brush that paints with an image. Surfaces fill with
// it through its GetHandle (Graphics::FillEllipse and friends).
//
// Two class levels hold the handle: the brush level (DeleteBrush, CloneBrush,
// GetBrushType work on every kind of brush) and the texture level (creation,
// transform, wrap mode, image). SetHandle keeps both equal to the base's.
//
// Conventions of every operation: each flat call's status goes to
// LastStatus; a boolean result is true when the last status is Ok; a query
// returns what the library wrote into a zeroed variable, whatever the status.
// Matrix and image-attributes arguments are any objects whose GetHandle names
// a native matrix or image attributes. Matrix orders are passed on unchanged
// (0 prepend, 1 append).
#pragma once

#include "imaging/imaging_object.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

class TextureBrush : public ImagingObject {
public:
    TextureBrush() = default;
    ~TextureBrush() override;

    // Stores the brush handle, then passes it to SetDerivedHandle.
    void SetNativeHandle(GpHandle handle) override;
    // Stores the texture handle.
    void SetDerivedHandle(GpHandle handle) override;
    bool ReleaseNative() override;

    // Brush level.

    // False without a call (LastStatus untouched) when no brush is held;
    // otherwise deletes it and clears the handles.
    virtual bool DeleteBrush();
    // Hands an independent copy of the brush to `target`'s SetHandle (0 when
    // the clone fails); the target then owns it.
    virtual bool CloneBrush(ImagingObject& target);
    // BrushTypeTextureFill (2) for a texture brush; 0 on failure.
    virtual std::int32_t GetBrushType();

    // Texture level. Each creation stores the new brush whatever the status
    // (0 on failure) and does not delete a brush held before: release first.

    virtual bool CreateTexture(const ImagingObject& image, GpWrapMode wrapMode = WrapModeTile);
    // The part x, y, width, height of the image, in its pixels.
    virtual bool CreateTexture2(const ImagingObject& image, float x, float y, float width,
                                float height, GpWrapMode wrapMode = WrapModeTile);
    virtual bool CreateTexture2I(const ImagingObject& image, std::int32_t x, std::int32_t y,
                                 std::int32_t width, std::int32_t height,
                                 GpWrapMode wrapMode = WrapModeTile);
    // The part of the image drawn through the image attributes; no wrap mode.
    virtual bool CreateTextureIA(const ImagingObject& image, float x, float y, float width,
                                 float height, const ImagingObject& imageAttributes);
    virtual bool CreateTextureIAI(const ImagingObject& image, std::int32_t x, std::int32_t y,
                                  std::int32_t width, std::int32_t height,
                                  const ImagingObject& imageAttributes);

    // Writes the brush's transform into the native matrix of `matrix`.
    virtual bool GetTextureTransform(const ImagingObject& matrix);
    virtual bool SetTextureTransform(const ImagingObject& matrix);
    virtual bool ResetTextureTransform();
    virtual bool MultiplyTextureTransform(const ImagingObject& matrix,
                                          GpMatrixOrder order = MatrixOrderPrepend);
    virtual bool TranslateTextureTransform(float dx, float dy,
                                           GpMatrixOrder order = MatrixOrderPrepend);
    virtual bool ScaleTextureTransform(float sx, float sy,
                                       GpMatrixOrder order = MatrixOrderPrepend);
    // Scales about `centre`: three calls (translate, scale, translate back),
    // ordered for a prepend when `order` is 0 and for an append otherwise.
    // Only the last call's status decides the result.
    virtual bool ScaleTextureTransformAt(float sx, float sy, const GpPointF& centre,
                                         GpMatrixOrder order = MatrixOrderPrepend);
    virtual bool RotateTextureTransform(float angle, GpMatrixOrder order = MatrixOrderPrepend);
    // Rotates about `centre`, in degrees, as ScaleTextureTransformAt does.
    virtual bool RotateTextureTransformAt(float angle, const GpPointF& centre,
                                          GpMatrixOrder order = MatrixOrderPrepend);
    // 0 (WrapModeTile) on failure.
    virtual std::int32_t GetTextureWrapMode();
    virtual bool SetTextureWrapMode(GpWrapMode mode);
    // Hands a new native image of the texture to `target`'s SetHandle (0 when
    // the call fails); the target then owns it.
    virtual bool GetTextureImage(ImagingObject& target);

private:
    // The about-a-point shape: `middle` between two translations whose sense
    // depends on `order`.
    template <typename Middle>
    bool TransformAbout(const GpPointF& centre, GpMatrixOrder order, Middle&& middle);

    GpBrush brush_ = 0;
    GpTexture texture_ = 0;
};

} // namespace vellumark::imaging
