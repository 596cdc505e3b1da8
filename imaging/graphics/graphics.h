// Graphics: one native drawing surface, opened on an image, a device context
// or a window. Every operation passes this object's graphics handle as the
// first argument of its flat call (0 while no surface is held, and the flat
// function then answers for it).
//
// Conventions of every operation: each flat call's status goes to
// LastStatus; a boolean result is true when the last status is Ok; a query
// returns what the library wrote into a zeroed variable, whatever the status.
// Pens, brushes, paths and regions are any objects whose GetHandle names one;
// an object holding nothing contributes 0. Enumerated modes pass unchanged;
// the library checks them. Arrays of records travel as RecordArray
// (record_array.h): one block, its count, copied back after the call.
//
// A surface opened on window 0 (the screen) or the desktop window takes that
// window's device context for itself (window_device_context.h); DeleteGraphics
// gives it back and then forgets it, so reopening the object and deleting
// again never releases it twice.
//
// Copy is refused (the base gives null): two objects naming one surface and
// one device context would both delete them.
#pragma once

#include "imaging/graphics/record_array.h"
#include "imaging/imaging_object.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <optional>

namespace vellumark::imaging {

class Graphics : public ImagingObject {
public:
    // The window handle field while the object took no device context.
    static constexpr std::int32_t kNoWindow = -1;
    // Windows that take the device-context route in CreateFromHWND: the
    // whole screen (0) and the handle Windows gives the desktop window.
    static constexpr std::int32_t kScreenWindow = 0;
    static constexpr std::int32_t kDesktopWindow = 0x10014;

    Graphics() = default;
    ~Graphics() override;

    // The window whose device context this object holds, or kNoWindow.
    std::int32_t WindowHandle() const { return window_; }
    // That device context; meaningful only while WindowHandle() is a window.
    std::uint32_t DeviceContext() const { return deviceContext_; }

    // Operations in table order; the first nine come from ImagingObject.

    // Stores the graphics handle, then passes it to SetDerivedHandle (which
    // does nothing at this level).
    void SetNativeHandle(GpHandle handle) override;
    bool ReleaseNative() override;

    // Surface lifetime. Each create stores the new surface whatever the
    // status (0 on failure) and does not delete one held before.

    // False without a call (LastStatus untouched) when no surface is held.
    // Otherwise deletes the surface, gives back a window device context the
    // object took, and clears the handles.
    virtual bool DeleteGraphics();
    // Its status is discarded: LastStatus keeps its value.
    virtual void Flush(GpFlushIntention intention = FlushIntentionFlush);
    // A surface on a window. kScreenWindow and kDesktopWindow: the object
    // records the window, takes its device context from
    // CurrentWindowDeviceContexts() (unchecked) and opens the surface with
    // GdipCreateFromHDC. Other windows go to GdipCreateFromHWND, or to
    // GdipCreateFromHWNDICM with useIcm, and leave the window fields alone.
    virtual bool CreateFromHWND(std::int32_t window, bool useIcm = false);
    // A surface on a device context: GdipCreateFromHDC2 whenever a device is
    // given, whatever its value, GdipCreateFromHDC otherwise.
    virtual bool CreateFromHDC(std::uint32_t hdc, std::optional<std::uint32_t> device = {});
    // A surface that draws into `image` (an Image or Bitmap).
    virtual bool GetImageGraphicsContext(const ImagingObject& image);

    // A device context onto the surface's pixels (0 when the call fails);
    // the surface refuses other calls until ReleaseDC gives it back.
    virtual std::uint32_t GetDC();
    virtual bool ReleaseDC(std::uint32_t hdc);

    // Rendering state.
    virtual bool GetRenderingOrigin(std::int32_t& x, std::int32_t& y);
    virtual bool SetRenderingOrigin(std::int32_t x, std::int32_t y);
    virtual std::int32_t GetCompositingMode();
    virtual bool SetCompositingMode(GpCompositingMode mode);
    virtual std::int32_t GetCompositingQuality();
    virtual bool SetCompositingQuality(GpCompositingQuality quality);
    virtual bool SetTextRenderingHint(GpTextRenderingHint hint);
    virtual std::int32_t GetTextRenderingHint();
    virtual bool SetTextContrast(std::uint32_t contrast);
    virtual std::uint32_t GetTextContrast();
    virtual bool SetInterpolationMode(GpInterpolationMode mode);
    virtual std::int32_t GetInterpolationMode();
    virtual bool SetSmoothingMode(GpSmoothingMode mode);
    virtual std::int32_t GetSmoothingMode();
    virtual bool SetPixelOffsetMode(GpPixelOffsetMode mode);
    virtual std::int32_t GetPixelOffsetMode();

    // The world-transform operations (SetWorldTransform, GetWorldTransform,
    // ResetWorldTransform, MultiplyWorldTransform, TranslateWorldTransform,
    // ScaleWorldTransform, ScaleWorldTransformAt, RotateWorldTransform,
    // RotateWorldTransformAt) belong here, once the library has them.
    // TextureBrush::TransformAbout shows the about-a-point shape.

    virtual bool SetPageUnit(GpUnit unit);
    virtual std::int32_t GetPageUnit();
    virtual bool SetPageScale(float scale);
    virtual float GetPageScale();
    virtual float GetDpiX();
    virtual float GetDpiY();

    // TransformPoints and TransformPointsI belong here (RecordArray carries
    // the mapped points back to the caller).

    // Replaces `colour` with the nearest colour the surface can show and
    // returns it.
    virtual ARGB GetNearestColor(ARGB& colour);

    // Outlines.
    virtual bool DrawLine(const ImagingObject& pen, float x1, float y1, float x2, float y2);
    virtual bool DrawLineI(const ImagingObject& pen, std::int32_t x1, std::int32_t y1,
                           std::int32_t x2, std::int32_t y2);
    virtual bool DrawLines(const ImagingObject& pen, RecordArray<GpPointF> points);
    virtual bool DrawLinesI(const ImagingObject& pen, RecordArray<GpPoint> points);
    virtual bool DrawArc(const ImagingObject& pen, float x, float y, float width, float height,
                         float startAngle, float sweepAngle);
    virtual bool DrawArcI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, float startAngle,
                          float sweepAngle);
    virtual bool DrawBezier(const ImagingObject& pen, float x1, float y1, float x2, float y2,
                            float x3, float y3, float x4, float y4);
    virtual bool DrawBezierI(const ImagingObject& pen, std::int32_t x1, std::int32_t y1,
                             std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3,
                             std::int32_t x4, std::int32_t y4);
    virtual bool DrawBeziers(const ImagingObject& pen, RecordArray<GpPointF> points);
    virtual bool DrawBeziersI(const ImagingObject& pen, RecordArray<GpPoint> points);
    virtual bool DrawRectangle(const ImagingObject& pen, float x, float y, float width,
                               float height);
    virtual bool DrawRectangleI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height);
    virtual bool DrawRectangles(const ImagingObject& pen, RecordArray<GpRectF> rects);
    virtual bool DrawRectanglesI(const ImagingObject& pen, RecordArray<GpRect> rects);
    virtual bool DrawEllipse(const ImagingObject& pen, float x, float y, float width, float height);
    virtual bool DrawEllipseI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height);
    virtual bool DrawPie(const ImagingObject& pen, float x, float y, float width, float height,
                         float startAngle, float sweepAngle);
    virtual bool DrawPieI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, float startAngle,
                          float sweepAngle);
    virtual bool DrawPolygon(const ImagingObject& pen, RecordArray<GpPointF> points);
    virtual bool DrawPolygonI(const ImagingObject& pen, RecordArray<GpPoint> points);
    virtual bool DrawPath(const ImagingObject& pen, const ImagingObject& path);
    virtual bool DrawCurve(const ImagingObject& pen, RecordArray<GpPointF> points);
    virtual bool DrawCurveI(const ImagingObject& pen, RecordArray<GpPoint> points);
    virtual bool DrawCurve2(const ImagingObject& pen, RecordArray<GpPointF> points, float tension);
    virtual bool DrawCurve2I(const ImagingObject& pen, RecordArray<GpPoint> points, float tension);
    virtual bool DrawCurve3(const ImagingObject& pen, RecordArray<GpPointF> points,
                            std::int32_t offset, std::int32_t numberOfSegments, float tension);
    virtual bool DrawCurve3I(const ImagingObject& pen, RecordArray<GpPoint> points,
                             std::int32_t offset, std::int32_t numberOfSegments, float tension);
    virtual bool DrawClosedCurve(const ImagingObject& pen, RecordArray<GpPointF> points);
    virtual bool DrawClosedCurveI(const ImagingObject& pen, RecordArray<GpPoint> points);
    virtual bool DrawClosedCurve2(const ImagingObject& pen, RecordArray<GpPointF> points,
                                  float tension);
    virtual bool DrawClosedCurve2I(const ImagingObject& pen, RecordArray<GpPoint> points,
                                   float tension);

    // Fills.
    virtual bool GraphicsClear(ARGB colour = 0);
    virtual bool FillRectangle(const ImagingObject& brush, float x, float y, float width,
                               float height);
    virtual bool FillRectangle(const ImagingObject& brush, const GpRectF& rect);
    virtual bool FillRectangleI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height);
    virtual bool FillRectangles(const ImagingObject& brush, RecordArray<GpRectF> rects);
    virtual bool FillRectanglesI(const ImagingObject& brush, RecordArray<GpRect> rects);
    virtual bool FillPolygon(const ImagingObject& brush, RecordArray<GpPointF> points,
                             GpFillMode fillMode = FillModeAlternate);
    virtual bool FillPolygonI(const ImagingObject& brush, RecordArray<GpPoint> points,
                              GpFillMode fillMode = FillModeAlternate);
    virtual bool FillEllipse(const ImagingObject& brush, float x, float y, float width,
                             float height);
    virtual bool FillEllipseI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height);
    virtual bool FillPie(const ImagingObject& brush, float x, float y, float width, float height,
                         float startAngle, float sweepAngle);
    virtual bool FillPieI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, float startAngle,
                          float sweepAngle);
    virtual bool FillPath(const ImagingObject& brush, const ImagingObject& path);
    virtual bool FillClosedCurve(const ImagingObject& brush, RecordArray<GpPointF> points);
    virtual bool FillClosedCurve2(const ImagingObject& brush, RecordArray<GpPointF> points,
                                  float tension, GpFillMode fillMode = FillModeAlternate);
    virtual bool FillClosedCurveI(const ImagingObject& brush, RecordArray<GpPoint> points);
    virtual bool FillClosedCurve2I(const ImagingObject& brush, RecordArray<GpPoint> points,
                                   float tension, GpFillMode fillMode = FillModeAlternate);

    virtual bool FillRegion(const ImagingObject& brush, const ImagingObject& region);

    // The text, image-drawing, metafile, clipping and container operations
    // (DrawString to Comment) follow FillRegion in this order once the
    // library has them: DrawString, MeasureString, MeasureCharacterRanges,
    // DrawDriverString, the DrawImage family, the EnumerateMetafile family,
    // the clip family, the visibility tests, SaveGraphics, RestoreGraphics,
    // BeginContainer, BeginContainerI, BeginContainer2, EndContainer, Comment.

private:
    GpGraphics graphics_ = 0;
    std::int32_t window_ = kNoWindow;
    std::uint32_t deviceContext_ = 0;
};

} // namespace vellumark::imaging
