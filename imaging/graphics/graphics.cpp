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

bool Graphics::FillEllipse(const ImagingObject& brush, float x, float y, float width,
                           float height) {
    return StoreStatus(binding::GdipFillEllipse(graphics_, brush.GetHandle(), x, y, width, height));
}

bool Graphics::FillEllipseI(const ImagingObject& brush, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height) {
    return StoreStatus(
        binding::GdipFillEllipseI(graphics_, brush.GetHandle(), x, y, width, height));
}

} // namespace vellumark::imaging
