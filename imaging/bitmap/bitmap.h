// Bitmap: the wrapper over a native bitmap, which is also a native image, so
// Bitmap is an Image and answers every Image operation on its own bitmap. It
// adds the ways of creating a bitmap, the way back to GDI objects, cloning an
// area and setting the resolution.
//
// A third handle level, the bitmap handle, follows the image handle through
// SetDerivedHandle, so the inherited operations and Bitmap's own address the
// same native object. Bitmaps are created rather than loaded: the three
// loading places of Image's table create a bitmap from a file or from Bytes
// (CreateBitmapFromFile and CreateBitmapFromStream name them). Bytes go into
// the bitmap's own stream, which stays open until DisposeImage or Destroy;
// Image's `source` stays empty.
//
// Conventions are Image's. A creation stores whatever handle the library
// left (0 on failure) and does not release a bitmap held before: dispose
// first. GDI handles (HBITMAP, HICON, HPALETTE, HINSTANCE) are the library's
// 32-bit values and pass through unchanged.
#pragma once

#include "imaging/image/image.h"
#include "imaging/memory_stream.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

class Bitmap : public Image {
public:
    Bitmap() = default;
    ~Bitmap() override;

    // Releases the bitmap, then destroys both streams.
    void Destroy() override;
    // Stores the bitmap handle.
    void SetDerivedHandle(GpHandle handle) override;
    // False without a call (LastStatus untouched) when no bitmap is held;
    // otherwise disposes of it, closes the bitmap stream, clears the handles.
    bool DisposeImage() override;
    // CreateBitmapFromFile.
    bool LoadImageFromFile(const Text& fileName, bool useIcm = false) override;
    bool LoadImageFromFile(const WideText& fileName, bool useIcm = false) override;
    // CreateBitmapFromStream.
    bool LoadImageFromStream(const Bytes& data, bool useIcm = false) override;

    bool CreateBitmapFromFile(const Text& fileName, bool useIcm = false) {
        return LoadImageFromFile(fileName, useIcm);
    }
    bool CreateBitmapFromFile(const WideText& fileName, bool useIcm = false) {
        return LoadImageFromFile(fileName, useIcm);
    }
    // The caller may free `data` at once: the bitmap stream holds a copy.
    bool CreateBitmapFromStream(const Bytes& data, bool useIcm = false) {
        return LoadImageFromStream(data, useIcm);
    }

    // Without scan0 the library owns the pixels and ignores the stride.
    virtual bool CreateBitmapFromScan0(std::int32_t width, std::int32_t height, std::int32_t stride,
                                       PixelFormat format, BYTE* scan0 = nullptr);
    // Library-owned pixels, every one transparent black.
    virtual bool CreateBlankBitmap(std::int32_t width, std::int32_t height,
                                   PixelFormat format = PixelFormat32bppARGB);
    // A blank 32-bit premultiplied bitmap at the resolution of the surface
    // `graphics` (normally a Graphics) draws on; its GetHandle names it.
    virtual bool CreateBitmapFromGraphics(std::int32_t width, std::int32_t height,
                                          const ImagingObject& graphics);
    virtual bool CreateBitmapFromGdiDib(const BITMAPINFO* bitmapInfo, void* bits);
    virtual bool CreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette = 0);
    virtual bool CreateBitmapFromHICON(HICON icon);
    // `name` is a wide resource name or an integer identifier, unchanged.
    virtual bool CreateBitmapFromResource(HINSTANCE instance, const WCHAR* name);

    // The new GDI object, owned by the caller; 0 when the library gave none.
    virtual HBITMAP CreateHBITMAPFromBitmap(ARGB background = 0);
    virtual HICON CreateHICONFromBitmap();

    // Hands a copy of `area` in `format` to `target`'s SetHandle (0 when it
    // fails, for instance for an area outside the bitmap).
    virtual bool CloneBitmapArea(const GpRectF& area, PixelFormat format, ImagingObject& target);
    virtual bool CloneBitmapAreaI(const GpRect& area, PixelFormat format, ImagingObject& target);

    virtual bool BitmapSetResolution(float xDpi, float yDpi);

    GpBitmap BitmapHandle() const { return bitmap_; }
    const MemoryStream& BitmapStream() const { return bitmapStream_; }

private:
    GpBitmap bitmap_ = 0;
    MemoryStream bitmapStream_;
};

} // namespace vellumark::imaging
