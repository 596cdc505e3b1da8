// Flat functions that create bitmaps, convert them to and from the GDI
// objects of this port, clone areas and set the resolution.
#include "codec/gdi_dib.h"
#include "codec/image_source.h"
#include "core/api_call.h"
#include "gdi/gdi_objects.h"
#include "gdiplus/pixels/argb.h"
#include "gdiplus/pixels/premultiply.h"
#include "graphics/graphics.h"
#include "image/bitmap.h"

#include <cmath>

using vellumark::gdiplus::Bitmap;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::GdiKind;
using vellumark::gdiplus::GdiObjects;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::PixelSurface;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;
namespace gp = vellumark::gdiplus;
namespace px = vellumark::gdiplus::pixels;

namespace {

constexpr INT kMaxSide = 65535;

Result<px::PixelFormat> publishedFormat(PixelFormat format) {
    const std::optional<px::PixelFormat> known = px::ToPixelFormat(format);
    if (!known) {
        return invalidArgument("not a published pixel format");
    }
    return *known;
}

GpStatus publishSurface(Result<PixelSurface> surface, GpBitmap* bitmap) {
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (!surface) {
            return surface.error();
        }
        return publish(objects, std::make_unique<Bitmap>(std::move(*surface)), bitmap);
    });
}

// Source over: the bitmap's pixel drawn onto the background colour.
std::uint32_t over(std::uint32_t pixel, std::uint32_t background) {
    const std::uint32_t top = px::Premultiply(pixel);
    const std::uint32_t bottom = px::Premultiply(background);
    const std::uint32_t keep = 255 - px::AlphaOf(top);
    auto channel = [&](std::uint32_t t, std::uint32_t b) { return t + (b * keep + 127) / 255; };
    return px::Unpremultiply(px::MakeArgb(channel(px::AlphaOf(top), px::AlphaOf(bottom)),
                                          channel(px::RedOf(top), px::RedOf(bottom)),
                                          channel(px::GreenOf(top), px::GreenOf(bottom)),
                                          channel(px::BlueOf(top), px::BlueOf(bottom))));
}

// A 32-bit ARGB copy of the bitmap's active frame, for the GDI table.
Result<PixelSurface> argbCopy(const Bitmap& bitmap, std::uint32_t background) {
    Result<PixelSurface> copy =
        PixelSurface::allocate(bitmap.width(), bitmap.height(), px::PixelFormat::Format32bppARGB);
    if (!copy) {
        return copy;
    }
    std::vector<std::uint32_t> argb = bitmap.readArgb();
    if (background != 0) {
        for (std::uint32_t& pixel : argb) {
            pixel = over(pixel, background);
        }
    }
    if (Result<void> written = copy->writeArgb(argb); !written) {
        return written.error();
    }
    return copy;
}

GpStatus fromGdiObject(std::uint32_t handle, GdiKind kind, GpBitmap* bitmap) {
    clearOutput(bitmap);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(bitmap); !checked) {
            return checked;
        }
        Result<const PixelSurface*> found = GdiObjects::instance().find(handle, kind);
        if (!found) {
            return found.error();
        }
        return publish(objects, std::make_unique<Bitmap>(**found), bitmap);
    });
}

GpStatus toGdiObject(GpBitmap bitmap, std::uint32_t* out, GdiKind kind, ARGB background) {
    if (out != nullptr) {
        *out = 0;
    }
    return onObject<Bitmap>(bitmap, [&](Bitmap& source) -> Result<void> {
        if (auto checked = requirePointer(out); !checked) {
            return checked;
        }
        Result<PixelSurface> copy = argbCopy(source, background);
        if (!copy) {
            return copy.error();
        }
        Result<std::uint32_t> handle = GdiObjects::instance().add(kind, std::move(*copy));
        if (!handle) {
            return handle.error();
        }
        *out = *handle;
        return success();
    });
}

} // namespace

extern "C" {

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap* bitmap) {
    return GdipLoadImageFromStream(stream, bitmap);
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap* bitmap) {
    return GdipLoadImageFromStream(stream, bitmap);
}

GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap* bitmap) {
    return GdipLoadImageFromFile(filename, bitmap);
}

GpStatus GdipCreateBitmapFromFileICM(const WCHAR* filename, GpBitmap* bitmap) {
    return GdipLoadImageFromFile(filename, bitmap);
}

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap* bitmap) {
    clearOutput(bitmap);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requirePointer(bitmap), requireInRange(width, 1, kMaxSide),
                                  requireInRange(height, 1, kMaxSide)});
            !checked) {
            return checked;
        }
        Result<px::PixelFormat> known = publishedFormat(format);
        if (!known) {
            return known.error();
        }
        const auto w = static_cast<std::uint32_t>(width);
        const auto h = static_cast<std::uint32_t>(height);
        Result<PixelSurface> surface = scan0 == nullptr
                                           ? PixelSurface::allocate(w, h, *known)
                                           : PixelSurface::borrow(w, h, *known, stride, scan0);
        if (!surface) {
            return surface.error();
        }
        return publish(objects, std::make_unique<Bitmap>(std::move(*surface)), bitmap);
    });
}

// A bitmap meant to be drawn on the graphics' surface later: premultiplied,
// as that is what the surfaces blend fastest, at the surface's resolution.
GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics target, GpBitmap* bitmap) {
    clearOutput(bitmap);
    return onObject<gp::Graphics>(
        target, [&](const gp::Graphics& graphics, HandleTable& objects) -> Result<void> {
            if (auto checked = allOf({requirePointer(bitmap), requireInRange(width, 1, kMaxSide),
                                      requireInRange(height, 1, kMaxSide)});
                !checked) {
                return checked;
            }
            Result<PixelSurface> surface = PixelSurface::allocate(
                static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                px::PixelFormat::Format32bppPARGB);
            if (!surface) {
                return surface.error();
            }
            auto created = std::make_unique<Bitmap>(std::move(*surface));
            created->setResolution(graphics.dpiX(), graphics.dpiY());
            return publish(objects, std::move(created), bitmap);
        });
}

GpStatus GdipCreateBitmapFromGdiDib(const BITMAPINFO* gdiBitmapInfo, void* gdiBitmapData,
                                    GpBitmap* bitmap) {
    clearOutput(bitmap);
    if (gdiBitmapInfo == nullptr || gdiBitmapData == nullptr || bitmap == nullptr) {
        return guarded([](HandleTable&) -> Result<void> { return invalidArgument("null"); });
    }
    return publishSurface(
        gp::surfaceFromDib(*gdiBitmapInfo, static_cast<const std::uint8_t*>(gdiBitmapData)),
        bitmap);
}

// The palette of a palette-based GDI bitmap would come from hpal; this
// port's GDI bitmaps are 32-bit and carry their colours themselves.
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap* bitmap) {
    return fromGdiObject(hbm, GdiKind::Bitmap, bitmap);
}

GpStatus GdipCreateBitmapFromHICON(HICON hicon, GpBitmap* bitmap) {
    return fromGdiObject(hicon, GdiKind::Icon, bitmap);
}

GpStatus GdipCreateBitmapFromResource(HINSTANCE, const WCHAR*, GpBitmap* bitmap) {
    clearOutput(bitmap);
    return guarded([](HandleTable&) -> Result<void> {
        return Error{Win32Error, "no module resources on this platform"};
    });
}

GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap bitmap, HBITMAP* hbmReturn, ARGB background) {
    return toGdiObject(bitmap, hbmReturn, GdiKind::Bitmap, background);
}

GpStatus GdipCreateHICONFromBitmap(GpBitmap bitmap, HICON* hbmReturn) {
    return toGdiObject(bitmap, hbmReturn, GdiKind::Icon, 0);
}

GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format,
                              GpBitmap srcBitmap, GpBitmap* dstBitmap) {
    clearOutput(dstBitmap);
    return onObject<Bitmap>(srcBitmap, [&](Bitmap& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(dstBitmap); !checked) {
            return checked;
        }
        Result<px::PixelFormat> known = format == PixelFormatDontCare
                                            ? Result<px::PixelFormat>(source.pixels().format())
                                            : publishedFormat(format);
        if (!known) {
            return known.error();
        }
        if (x < 0 || y < 0 || width <= 0 || height <= 0) {
            return invalidArgument("area outside the bitmap");
        }
        Result<PixelSurface> area = source.pixels().convertedArea(
            static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
            static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), *known);
        if (!area) {
            return area.error();
        }
        auto clone = std::make_unique<Bitmap>(std::move(*area));
        clone->setResolution(source.dpiX(), source.dpiY());
        return publish(objects, std::move(clone), dstBitmap);
    });
}

GpStatus GdipCloneBitmapArea(REAL x, REAL y, REAL width, REAL height, PixelFormat format,
                             GpBitmap srcBitmap, GpBitmap* dstBitmap) {
    const auto whole = [](REAL v) {
        return std::isfinite(v) && std::fabs(v) < 1e9f ? static_cast<INT>(std::lround(v)) : -1;
    };
    return GdipCloneBitmapAreaI(whole(x), whole(y), whole(width), whole(height), format, srcBitmap,
                                dstBitmap);
}

GpStatus GdipBitmapSetResolution(GpBitmap bitmap, REAL xdpi, REAL ydpi) {
    return onObject<Bitmap>(bitmap, [&](Bitmap& target) -> Result<void> {
        if (auto checked = requireFinite(xdpi, ydpi); !checked) {
            return checked;
        }
        if (xdpi <= 0 || ydpi <= 0) {
            return invalidArgument("resolution must be positive");
        }
        target.setResolution(xdpi, ydpi);
        return success();
    });
}

} // extern "C"
