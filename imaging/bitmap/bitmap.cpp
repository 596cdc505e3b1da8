#include "imaging/bitmap/bitmap.h"

#include "imaging/image/handle_output.h"
#include "imaging/image/wide_argument.h"
#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

namespace vellumark::imaging {

Bitmap::~Bitmap() {
    Destroy();
}

void Bitmap::Destroy() {
    Image::Destroy();
    bitmapStream_.Destroy();
}

void Bitmap::SetDerivedHandle(GpHandle handle) {
    bitmap_ = handle;
}

bool Bitmap::DisposeImage() {
    return DisposeHolding(bitmap_, bitmapStream_);
}

bool Bitmap::LoadImageFromFile(const Text& fileName, bool useIcm) {
    const WideText wide = ToWideText(fileName);
    return Bitmap::LoadImageFromFile(wide, useIcm);
}

bool Bitmap::LoadImageFromFile(const WideText& fileName, bool useIcm) {
    const WideArgument name(fileName);
    const auto create =
        useIcm ? binding::GdipCreateBitmapFromFileICM : binding::GdipCreateBitmapFromFile;
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) { return create(name.get(), out); });
}

bool Bitmap::LoadImageFromStream(const Bytes& data, bool useIcm) {
    bitmapStream_.CreateFromBytes(data);
    IStream* stream = bitmapStream_.GetStream();
    const auto create =
        useIcm ? binding::GdipCreateBitmapFromStreamICM : binding::GdipCreateBitmapFromStream;
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) { return create(stream, out); });
}

bool Bitmap::CreateBitmapFromScan0(std::int32_t width, std::int32_t height, std::int32_t stride,
                                   PixelFormat format, BYTE* scan0) {
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) {
        return binding::GdipCreateBitmapFromScan0(width, height, stride, format, scan0, out);
    });
}

bool Bitmap::CreateBlankBitmap(std::int32_t width, std::int32_t height, PixelFormat format) {
    return CreateBitmapFromScan0(width, height, 0, format, nullptr);
}

bool Bitmap::CreateBitmapFromGraphics(std::int32_t width, std::int32_t height,
                                      const ImagingObject& graphics) {
    const GpHandle surface = graphics.GetHandle();
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) {
        return binding::GdipCreateBitmapFromGraphics(width, height, surface, out);
    });
}

bool Bitmap::CreateBitmapFromGdiDib(const BITMAPINFO* bitmapInfo, void* bits) {
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) {
        return binding::GdipCreateBitmapFromGdiDib(bitmapInfo, bits, out);
    });
}

bool Bitmap::CreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette) {
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) {
        return binding::GdipCreateBitmapFromHBITMAP(bitmap, palette, out);
    });
}

bool Bitmap::CreateBitmapFromHICON(HICON icon) {
    return CreateInto(*this, bitmap_,
                      [&](GpBitmap* out) { return binding::GdipCreateBitmapFromHICON(icon, out); });
}

bool Bitmap::CreateBitmapFromResource(HINSTANCE instance, const WCHAR* name) {
    return CreateInto(*this, bitmap_, [&](GpBitmap* out) {
        return binding::GdipCreateBitmapFromResource(instance, name, out);
    });
}

HBITMAP Bitmap::CreateHBITMAPFromBitmap(ARGB background) {
    HBITMAP made = 0;
    StoreStatus(binding::GdipCreateHBITMAPFromBitmap(bitmap_, &made, background));
    return made;
}

HICON Bitmap::CreateHICONFromBitmap() {
    HICON made = 0;
    StoreStatus(binding::GdipCreateHICONFromBitmap(bitmap_, &made));
    return made;
}

bool Bitmap::CloneBitmapArea(const GpRectF& area, PixelFormat format, ImagingObject& target) {
    return HandTo(target, [&](GpBitmap* out) {
        return binding::GdipCloneBitmapArea(area.X, area.Y, area.Width, area.Height, format,
                                            bitmap_, out);
    });
}

bool Bitmap::CloneBitmapAreaI(const GpRect& area, PixelFormat format, ImagingObject& target) {
    return HandTo(target, [&](GpBitmap* out) {
        return binding::GdipCloneBitmapAreaI(area.X, area.Y, area.Width, area.Height, format,
                                             bitmap_, out);
    });
}

bool Bitmap::BitmapSetResolution(float xDpi, float yDpi) {
    return StoreStatus(binding::GdipBitmapSetResolution(bitmap_, xDpi, yDpi));
}

} // namespace vellumark::imaging
