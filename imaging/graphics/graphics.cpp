#include "imaging/graphics/graphics.h"

#include "imaging/graphics/window_device_context.h"
#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

namespace vellumark::imaging {

Graphics::~Graphics() {
    Destroy();
}

void Graphics::SetNativeHandle(GpHandle handle) {
    graphics_ = handle;
    SetDerivedHandle(graphics_);
}

bool Graphics::ReleaseNative() {
    return DeleteGraphics();
}

// ---- Surface lifetime --------------------------------------------------------

bool Graphics::DeleteGraphics() {
    if (graphics_ == 0) {
        return false;
    }
    const bool deleted = StoreStatus(binding::GdipDeleteGraphics(graphics_));
    if (window_ != kNoWindow) {
        CurrentWindowDeviceContexts().ReleaseDC(window_, deviceContext_);
        // Forget the device context once given back, so a later surface of
        // this object does not release it a second time.
        window_ = kNoWindow;
        deviceContext_ = 0;
    }
    ImagingObject::SetHandle(0);
    return deleted;
}

void Graphics::Flush(GpFlushIntention intention) {
    binding::GdipFlush(graphics_, intention);
}

bool Graphics::CreateFromHWND(std::int32_t window, bool useIcm) {
    if (window == kScreenWindow || window == kDesktopWindow) {
        window_ = window;
        deviceContext_ = CurrentWindowDeviceContexts().GetDC(window);
        StoreStatus(binding::GdipCreateFromHDC(deviceContext_, &graphics_));
    } else {
        const auto hwnd = static_cast<HWND>(window);
        StoreStatus(useIcm ? binding::GdipCreateFromHWNDICM(hwnd, &graphics_)
                           : binding::GdipCreateFromHWND(hwnd, &graphics_));
    }
    ImagingObject::SetHandle(graphics_);
    return LastStatus == Ok;
}

bool Graphics::CreateFromHDC(std::uint32_t hdc, std::optional<std::uint32_t> device) {
    const bool opened = StoreStatus(device ? binding::GdipCreateFromHDC2(hdc, *device, &graphics_)
                                           : binding::GdipCreateFromHDC(hdc, &graphics_));
    ImagingObject::SetHandle(graphics_);
    return opened;
}

std::uint32_t Graphics::GetDC() {
    HDC hdc = 0;
    StoreStatus(binding::GdipGetDC(graphics_, &hdc));
    return hdc;
}

bool Graphics::ReleaseDC(std::uint32_t hdc) {
    return StoreStatus(binding::GdipReleaseDC(graphics_, hdc));
}

bool Graphics::GetImageGraphicsContext(const ImagingObject& image) {
    const bool opened =
        StoreStatus(binding::GdipGetImageGraphicsContext(image.GetHandle(), &graphics_));
    ImagingObject::SetHandle(graphics_);
    return opened;
}

// ---- Rendering state -----------------------------------------------------------

bool Graphics::GetRenderingOrigin(std::int32_t& x, std::int32_t& y) {
    return StoreStatus(binding::GdipGetRenderingOrigin(graphics_, &x, &y));
}

bool Graphics::SetRenderingOrigin(std::int32_t x, std::int32_t y) {
    return StoreStatus(binding::GdipSetRenderingOrigin(graphics_, x, y));
}

std::int32_t Graphics::GetCompositingMode() {
    GpCompositingMode mode = 0;
    StoreStatus(binding::GdipGetCompositingMode(graphics_, &mode));
    return mode;
}

bool Graphics::SetCompositingMode(GpCompositingMode mode) {
    return StoreStatus(binding::GdipSetCompositingMode(graphics_, mode));
}

std::int32_t Graphics::GetCompositingQuality() {
    GpCompositingQuality quality = 0;
    StoreStatus(binding::GdipGetCompositingQuality(graphics_, &quality));
    return quality;
}

bool Graphics::SetCompositingQuality(GpCompositingQuality quality) {
    return StoreStatus(binding::GdipSetCompositingQuality(graphics_, quality));
}

bool Graphics::SetTextRenderingHint(GpTextRenderingHint hint) {
    return StoreStatus(binding::GdipSetTextRenderingHint(graphics_, hint));
}

std::int32_t Graphics::GetTextRenderingHint() {
    GpTextRenderingHint hint = 0;
    StoreStatus(binding::GdipGetTextRenderingHint(graphics_, &hint));
    return hint;
}

bool Graphics::SetTextContrast(std::uint32_t contrast) {
    return StoreStatus(binding::GdipSetTextContrast(graphics_, contrast));
}

std::uint32_t Graphics::GetTextContrast() {
    UINT contrast = 0;
    StoreStatus(binding::GdipGetTextContrast(graphics_, &contrast));
    return contrast;
}

bool Graphics::SetInterpolationMode(GpInterpolationMode mode) {
    return StoreStatus(binding::GdipSetInterpolationMode(graphics_, mode));
}

std::int32_t Graphics::GetInterpolationMode() {
    GpInterpolationMode mode = 0;
    StoreStatus(binding::GdipGetInterpolationMode(graphics_, &mode));
    return mode;
}

bool Graphics::SetSmoothingMode(GpSmoothingMode mode) {
    return StoreStatus(binding::GdipSetSmoothingMode(graphics_, mode));
}

std::int32_t Graphics::GetSmoothingMode() {
    GpSmoothingMode mode = 0;
    StoreStatus(binding::GdipGetSmoothingMode(graphics_, &mode));
    return mode;
}

bool Graphics::SetPixelOffsetMode(GpPixelOffsetMode mode) {
    return StoreStatus(binding::GdipSetPixelOffsetMode(graphics_, mode));
}

std::int32_t Graphics::GetPixelOffsetMode() {
    GpPixelOffsetMode mode = 0;
    StoreStatus(binding::GdipGetPixelOffsetMode(graphics_, &mode));
    return mode;
}

bool Graphics::SetPageUnit(GpUnit unit) {
    return StoreStatus(binding::GdipSetPageUnit(graphics_, unit));
}

std::int32_t Graphics::GetPageUnit() {
    GpUnit unit = 0;
    StoreStatus(binding::GdipGetPageUnit(graphics_, &unit));
    return unit;
}

bool Graphics::SetPageScale(float scale) {
    return StoreStatus(binding::GdipSetPageScale(graphics_, scale));
}

float Graphics::GetPageScale() {
    REAL scale = 0;
    StoreStatus(binding::GdipGetPageScale(graphics_, &scale));
    return scale;
}

float Graphics::GetDpiX() {
    REAL dpi = 0;
    StoreStatus(binding::GdipGetDpiX(graphics_, &dpi));
    return dpi;
}

float Graphics::GetDpiY() {
    REAL dpi = 0;
    StoreStatus(binding::GdipGetDpiY(graphics_, &dpi));
    return dpi;
}

ARGB Graphics::GetNearestColor(ARGB& colour) {
    StoreStatus(binding::GdipGetNearestColor(graphics_, &colour));
    return colour;
}

// ---- Outlines -------------------------------------------------------------------

bool Graphics::DrawLine(const ImagingObject& pen, float x1, float y1, float x2, float y2) {
    return StoreStatus(binding::GdipDrawLine(graphics_, pen.GetHandle(), x1, y1, x2, y2));
}

bool Graphics::DrawLineI(const ImagingObject& pen, std::int32_t x1, std::int32_t y1,
                         std::int32_t x2, std::int32_t y2) {
    return StoreStatus(binding::GdipDrawLineI(graphics_, pen.GetHandle(), x1, y1, x2, y2));
}

bool Graphics::DrawLines(const ImagingObject& pen, RecordArray<GpPointF> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawLines(graphics_, handle, block, count);
    });
}

bool Graphics::DrawLinesI(const ImagingObject& pen, RecordArray<GpPoint> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawLinesI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawArc(const ImagingObject& pen, float x, float y, float width, float height,
                       float startAngle, float sweepAngle) {
    return StoreStatus(binding::GdipDrawArc(graphics_, pen.GetHandle(), x, y, width, height,
                                            startAngle, sweepAngle));
}

bool Graphics::DrawArcI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                        std::int32_t width, std::int32_t height, float startAngle,
                        float sweepAngle) {
    return StoreStatus(binding::GdipDrawArcI(graphics_, pen.GetHandle(), x, y, width, height,
                                             startAngle, sweepAngle));
}

bool Graphics::DrawBezier(const ImagingObject& pen, float x1, float y1, float x2, float y2,
                          float x3, float y3, float x4, float y4) {
    return StoreStatus(
        binding::GdipDrawBezier(graphics_, pen.GetHandle(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool Graphics::DrawBezierI(const ImagingObject& pen, std::int32_t x1, std::int32_t y1,
                           std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3,
                           std::int32_t x4, std::int32_t y4) {
    return StoreStatus(
        binding::GdipDrawBezierI(graphics_, pen.GetHandle(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool Graphics::DrawBeziers(const ImagingObject& pen, RecordArray<GpPointF> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawBeziers(graphics_, handle, block, count);
    });
}

bool Graphics::DrawBeziersI(const ImagingObject& pen, RecordArray<GpPoint> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawBeziersI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawRectangle(const ImagingObject& pen, float x, float y, float width,
                             float height) {
    return StoreStatus(binding::GdipDrawRectangle(graphics_, pen.GetHandle(), x, y, width, height));
}

bool Graphics::DrawRectangleI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height) {
    return StoreStatus(
        binding::GdipDrawRectangleI(graphics_, pen.GetHandle(), x, y, width, height));
}

bool Graphics::DrawRectangles(const ImagingObject& pen, RecordArray<GpRectF> rects) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(rects, [&](GpRectF* block, INT count) {
        return binding::GdipDrawRectangles(graphics_, handle, block, count);
    });
}

bool Graphics::DrawRectanglesI(const ImagingObject& pen, RecordArray<GpRect> rects) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(rects, [&](GpRect* block, INT count) {
        return binding::GdipDrawRectanglesI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawEllipse(const ImagingObject& pen, float x, float y, float width, float height) {
    return StoreStatus(binding::GdipDrawEllipse(graphics_, pen.GetHandle(), x, y, width, height));
}

bool Graphics::DrawEllipseI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height) {
    return StoreStatus(binding::GdipDrawEllipseI(graphics_, pen.GetHandle(), x, y, width, height));
}

bool Graphics::DrawPie(const ImagingObject& pen, float x, float y, float width, float height,
                       float startAngle, float sweepAngle) {
    return StoreStatus(binding::GdipDrawPie(graphics_, pen.GetHandle(), x, y, width, height,
                                            startAngle, sweepAngle));
}

bool Graphics::DrawPieI(const ImagingObject& pen, std::int32_t x, std::int32_t y,
                        std::int32_t width, std::int32_t height, float startAngle,
                        float sweepAngle) {
    return StoreStatus(binding::GdipDrawPieI(graphics_, pen.GetHandle(), x, y, width, height,
                                             startAngle, sweepAngle));
}

bool Graphics::DrawPolygon(const ImagingObject& pen, RecordArray<GpPointF> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawPolygon(graphics_, handle, block, count);
    });
}

bool Graphics::DrawPolygonI(const ImagingObject& pen, RecordArray<GpPoint> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawPolygonI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawPath(const ImagingObject& pen, const ImagingObject& path) {
    return StoreStatus(binding::GdipDrawPath(graphics_, pen.GetHandle(), path.GetHandle()));
}

bool Graphics::DrawCurve(const ImagingObject& pen, RecordArray<GpPointF> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawCurve(graphics_, handle, block, count);
    });
}

bool Graphics::DrawCurveI(const ImagingObject& pen, RecordArray<GpPoint> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawCurveI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawCurve2(const ImagingObject& pen, RecordArray<GpPointF> points, float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawCurve2(graphics_, handle, block, count, tension);
    });
}

bool Graphics::DrawCurve2I(const ImagingObject& pen, RecordArray<GpPoint> points, float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawCurve2I(graphics_, handle, block, count, tension);
    });
}

bool Graphics::DrawCurve3(const ImagingObject& pen, RecordArray<GpPointF> points,
                          std::int32_t offset, std::int32_t numberOfSegments, float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawCurve3(graphics_, handle, block, count, offset, numberOfSegments,
                                       tension);
    });
}

bool Graphics::DrawCurve3I(const ImagingObject& pen, RecordArray<GpPoint> points,
                           std::int32_t offset, std::int32_t numberOfSegments, float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawCurve3I(graphics_, handle, block, count, offset, numberOfSegments,
                                        tension);
    });
}

bool Graphics::DrawClosedCurve(const ImagingObject& pen, RecordArray<GpPointF> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawClosedCurve(graphics_, handle, block, count);
    });
}

bool Graphics::DrawClosedCurveI(const ImagingObject& pen, RecordArray<GpPoint> points) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawClosedCurveI(graphics_, handle, block, count);
    });
}

bool Graphics::DrawClosedCurve2(const ImagingObject& pen, RecordArray<GpPointF> points,
                                float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipDrawClosedCurve2(graphics_, handle, block, count, tension);
    });
}

bool Graphics::DrawClosedCurve2I(const ImagingObject& pen, RecordArray<GpPoint> points,
                                 float tension) {
    const GpPen handle = pen.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipDrawClosedCurve2I(graphics_, handle, block, count, tension);
    });
}

// ---- Fills -----------------------------------------------------------------------

bool Graphics::GraphicsClear(ARGB colour) {
    return StoreStatus(binding::GdipGraphicsClear(graphics_, colour));
}

bool Graphics::FillRectangle(const ImagingObject& brush, float x, float y, float width,
                             float height) {
    return StoreStatus(
        binding::GdipFillRectangle(graphics_, brush.GetHandle(), x, y, width, height));
}

bool Graphics::FillRectangle(const ImagingObject& brush, const GpRectF& rect) {
    return StoreStatus(binding::GdipFillRectangle(graphics_, brush.GetHandle(), rect.X, rect.Y,
                                                  rect.Width, rect.Height));
}

bool Graphics::FillRectangleI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height) {
    return StoreStatus(
        binding::GdipFillRectangleI(graphics_, brush.GetHandle(), x, y, width, height));
}

bool Graphics::FillRectangles(const ImagingObject& brush, RecordArray<GpRectF> rects) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(rects, [&](GpRectF* block, INT count) {
        return binding::GdipFillRectangles(graphics_, handle, block, count);
    });
}

bool Graphics::FillRectanglesI(const ImagingObject& brush, RecordArray<GpRect> rects) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(rects, [&](GpRect* block, INT count) {
        return binding::GdipFillRectanglesI(graphics_, handle, block, count);
    });
}

bool Graphics::FillPolygon(const ImagingObject& brush, RecordArray<GpPointF> points,
                           GpFillMode fillMode) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipFillPolygon(graphics_, handle, block, count, fillMode);
    });
}

bool Graphics::FillPolygonI(const ImagingObject& brush, RecordArray<GpPoint> points,
                            GpFillMode fillMode) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipFillPolygonI(graphics_, handle, block, count, fillMode);
    });
}

bool Graphics::FillEllipse(const ImagingObject& brush, float x, float y, float width,
                           float height) {
    return StoreStatus(binding::GdipFillEllipse(graphics_, brush.GetHandle(), x, y, width, height));
}

bool Graphics::FillEllipseI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height) {
    return StoreStatus(
        binding::GdipFillEllipseI(graphics_, brush.GetHandle(), x, y, width, height));
}

bool Graphics::FillPie(const ImagingObject& brush, float x, float y, float width, float height,
                       float startAngle, float sweepAngle) {
    return StoreStatus(binding::GdipFillPie(graphics_, brush.GetHandle(), x, y, width, height,
                                            startAngle, sweepAngle));
}

bool Graphics::FillPieI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                        std::int32_t width, std::int32_t height, float startAngle,
                        float sweepAngle) {
    return StoreStatus(binding::GdipFillPieI(graphics_, brush.GetHandle(), x, y, width, height,
                                             startAngle, sweepAngle));
}

bool Graphics::FillPath(const ImagingObject& brush, const ImagingObject& path) {
    return StoreStatus(binding::GdipFillPath(graphics_, brush.GetHandle(), path.GetHandle()));
}

bool Graphics::FillClosedCurve(const ImagingObject& brush, RecordArray<GpPointF> points) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipFillClosedCurve(graphics_, handle, block, count);
    });
}

bool Graphics::FillClosedCurve2(const ImagingObject& brush, RecordArray<GpPointF> points,
                                float tension, GpFillMode fillMode) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPointF* block, INT count) {
        return binding::GdipFillClosedCurve2(graphics_, handle, block, count, tension, fillMode);
    });
}

bool Graphics::FillClosedCurveI(const ImagingObject& brush, RecordArray<GpPoint> points) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipFillClosedCurveI(graphics_, handle, block, count);
    });
}

bool Graphics::FillClosedCurve2I(const ImagingObject& brush, RecordArray<GpPoint> points,
                                 float tension, GpFillMode fillMode) {
    const GpBrush handle = brush.GetHandle();
    return PassRecords(points, [&](GpPoint* block, INT count) {
        return binding::GdipFillClosedCurve2I(graphics_, handle, block, count, tension, fillMode);
    });
}

bool Graphics::FillRegion(const ImagingObject& brush, const ImagingObject& region) {
    return StoreStatus(binding::GdipFillRegion(graphics_, brush.GetHandle(), region.GetHandle()));
}

} // namespace vellumark::imaging
