// Flat functions of the image family: loading, cloning, disposal, queries,
// thumbnails, rotation, palettes and frames.
#include "codec/image_source.h"
#include "core/api_call.h"
#include "image/bitmap.h"
#include "image/image_transform.h"

#include <cstring>

using vellumark::gdiplus::Bitmap;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::Image;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::PixelSurface;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;
namespace gp = vellumark::gdiplus;

namespace {

// The library's thumbnail size when the caller asks for 0 x 0.
constexpr UINT kDefaultThumbnailSide = 120;
constexpr UINT kUnitPixel = 2;

template <typename Load> GpStatus loadInto(GpImage* image, Load&& load) {
    clearOutput(image);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(image); !checked) {
            return checked;
        }
        Result<std::unique_ptr<Bitmap>> loaded = load();
        if (!loaded) {
            return loaded.error();
        }
        return publish(objects, std::move(*loaded), image);
    });
}

// Runs `body` on a bitmap behind an image handle; other images (metafiles)
// have no pixels, palette or frames to offer.
template <typename Body> GpStatus onBitmapImage(GpImage image, Body&& body) {
    return onObject<Image>(image, [&](Image& found) -> Result<void> {
        if (found.kind() != Bitmap::kKind) {
            return Error{NotImplemented, "not a raster image"};
        }
        return body(static_cast<Bitmap&>(found));
    });
}

std::size_t paletteBytes(const PixelSurface& surface) {
    return sizeof(UINT) * 2 + sizeof(ARGB) * surface.palette().size();
}

} // namespace

extern "C" {

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage* image) {
    return loadInto(image, [&] { return gp::loadImageFromStream(stream); });
}

// Colour management would apply an embedded profile; pictures load in the
// colours they were stored with.
GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage* image) {
    return GdipLoadImageFromStream(stream, image);
}

GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage* image) {
    return loadInto(image, [&] { return gp::loadImageFromFile(filename); });
}

GpStatus GdipLoadImageFromFileICM(const WCHAR* filename, GpImage* image) {
    return GdipLoadImageFromFile(filename, image);
}

GpStatus GdipCloneImage(GpImage image, GpImage* cloneImage) {
    clearOutput(cloneImage);
    return onObject<Image>(image, [&](Image& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(cloneImage); !checked) {
            return checked;
        }
        return publish(objects, source.cloneImage(), cloneImage);
    });
}

GpStatus GdipDisposeImage(GpImage image) {
    return guarded([&](HandleTable& objects) { return objects.erase(image, Image::kKind); });
}

// Images are decoded completely when loaded.
GpStatus GdipImageForceValidation(GpImage image) {
    return onObject<Image>(image, [](Image&) { return success(); });
}

GpStatus GdipGetImageType(GpImage image, ImageType* type) {
    return queryObject<Image>(image, type, [](const Image& i) { return i.imageType(); });
}

GpStatus GdipGetImageWidth(GpImage image, UINT* width) {
    return queryObject<Image>(image, width, [](const Image& i) { return i.width(); });
}

GpStatus GdipGetImageHeight(GpImage image, UINT* height) {
    return queryObject<Image>(image, height, [](const Image& i) { return i.height(); });
}

GpStatus GdipGetImageDimension(GpImage image, REAL* width, REAL* height) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = allOf({requirePointer(width), requirePointer(height)}); !checked) {
            return checked;
        }
        *width = static_cast<REAL>(i.width());
        *height = static_cast<REAL>(i.height());
        return success();
    });
}

GpStatus GdipGetImageBounds(GpImage image, GpRectF* srcRect, GpImageUnit* srcUnit) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = requirePointer(srcRect); !checked) {
            return checked;
        }
        *srcRect = GpRectF{0, 0, static_cast<REAL>(i.width()), static_cast<REAL>(i.height())};
        if (srcUnit != nullptr) {
            *srcUnit = kUnitPixel;
        }
        return success();
    });
}

GpStatus GdipGetImageHorizontalResolution(GpImage image, REAL* resolution) {
    return queryObject<Image>(image, resolution, [](const Image& i) { return i.dpiX(); });
}

GpStatus GdipGetImageVerticalResolution(GpImage image, REAL* resolution) {
    return queryObject<Image>(image, resolution, [](const Image& i) { return i.dpiY(); });
}

GpStatus GdipGetImageFlags(GpImage image, UINT* flags) {
    return queryObject<Image>(image, flags, [](const Image& i) { return i.flags(); });
}

GpStatus GdipGetImageRawFormat(GpImage image, GUID* format) {
    return queryObject<Image>(image, format, [](const Image& i) { return i.rawFormat(); });
}

GpStatus GdipGetImagePixelFormat(GpImage image, PixelFormat* format) {
    return queryObject<Image>(image, format, [](const Image& i) { return i.pixelFormat(); });
}

GpStatus GdipGetImageThumbnail(GpImage image, UINT thumbWidth, UINT thumbHeight,
                               GpImage* thumbImage, GetThumbnailImageAbort callback,
                               void* callbackData) {
    clearOutput(thumbImage);
    return guarded([&](HandleTable& objects) -> Result<void> {
        Result<Bitmap*> source = objects.find<Bitmap>(image);
        if (!source) {
            return objects.find(image, Image::kKind) ? Error{NotImplemented, "not raster"}
                                                     : source.error();
        }
        if (auto checked = requirePointer(thumbImage); !checked) {
            return checked;
        }
        if (thumbWidth == 0 && thumbHeight == 0) {
            thumbWidth = thumbHeight = kDefaultThumbnailSide;
        }
        if (thumbWidth == 0 || thumbHeight == 0 || thumbWidth > 65535 || thumbHeight > 65535) {
            return invalidArgument("thumbnail size");
        }
        if (callback != nullptr && callback(callbackData) != 0) {
            return Error{Aborted, "the caller aborted"};
        }
        Result<PixelSurface> scaled = gp::scaledCopy((*source)->pixels(), thumbWidth, thumbHeight);
        if (!scaled) {
            return scaled.error();
        }
        return publish(objects, std::make_unique<Bitmap>(std::move(*scaled)), thumbImage);
    });
}

GpStatus GdipImageRotateFlip(GpImage image, RotateFlipType rfType) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requireInRange(rfType, RotateNoneFlipNone, Rotate270FlipX); !checked) {
            return checked;
        }
        Result<PixelSurface> turned = gp::rotateFlip(bitmap.pixels(), rfType);
        if (!turned) {
            return turned.error();
        }
        bitmap.replaceActiveFrame(std::move(*turned));
        if (rfType % 2 == 1) {
            bitmap.setResolution(bitmap.dpiY(), bitmap.dpiX());
        }
        return success();
    });
}

GpStatus GdipGetImagePaletteSize(GpImage image, INT* size) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requirePointer(size); !checked) {
            return checked;
        }
        *size = static_cast<INT>(paletteBytes(bitmap.pixels()));
        return success();
    });
}

GpStatus GdipGetImagePalette(GpImage image, ColorPalette* palette, INT size) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requirePointer(palette); !checked) {
            return checked;
        }
        const std::vector<std::uint32_t>& entries = bitmap.pixels().palette();
        if (size < 0 || static_cast<std::size_t>(size) < paletteBytes(bitmap.pixels())) {
            return invalidArgument("palette buffer too small");
        }
        UINT flags = 0;
        for (std::uint32_t entry : entries) {
            if ((entry >> 24) != 0xFF) {
                flags |= PaletteFlagsHasAlpha;
            }
        }
        const auto count = static_cast<UINT>(entries.size());
        auto* bytes = reinterpret_cast<std::uint8_t*>(palette);
        std::memcpy(bytes, &flags, sizeof flags);
        std::memcpy(bytes + 4, &count, sizeof count);
        if (!entries.empty()) {
            std::memcpy(bytes + 8, entries.data(), entries.size() * sizeof(ARGB));
        }
        return success();
    });
}

GpStatus GdipSetImagePalette(GpImage image, const ColorPalette* palette) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requirePointer(palette); !checked) {
            return checked;
        }
        if (palette->Count == 0 || palette->Count > 256) {
            return invalidArgument("palette count");
        }
        std::vector<std::uint32_t> entries(palette->Count);
        std::memcpy(entries.data(), reinterpret_cast<const std::uint8_t*>(palette) + 8,
                    entries.size() * sizeof(ARGB));
        bitmap.pixels().setPalette(std::move(entries));
        return success();
    });
}

GpStatus GdipImageGetFrameDimensionsCount(GpImage image, UINT* count) {
    return onBitmapImage(image, [&](Bitmap&) -> Result<void> {
        if (auto checked = requirePointer(count); !checked) {
            return checked;
        }
        *count = 1;
        return success();
    });
}

GpStatus GdipImageGetFrameDimensionsList(GpImage image, GUID* dimensionIDs, UINT count) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requirePointer(dimensionIDs); !checked) {
            return checked;
        }
        if (count != 1) {
            return invalidArgument("count differs from the number of dimensions");
        }
        dimensionIDs[0] = bitmap.frameDimension();
        return success();
    });
}

GpStatus GdipImageGetFrameCount(GpImage image, const GUID* dimensionID, UINT* count) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = allOf({requirePointer(dimensionID), requirePointer(count)}); !checked) {
            return checked;
        }
        if (!gp::sameGuid(*dimensionID, bitmap.frameDimension())) {
            return invalidArgument("the image has no frames along this dimension");
        }
        *count = static_cast<UINT>(bitmap.frameCount());
        return success();
    });
}

GpStatus GdipImageSelectActiveFrame(GpImage image, const GUID* dimensionID, UINT frameIndex) {
    return onBitmapImage(image, [&](Bitmap& bitmap) -> Result<void> {
        if (auto checked = requirePointer(dimensionID); !checked) {
            return checked;
        }
        return bitmap.selectFrame(*dimensionID, frameIndex);
    });
}

} // extern "C"
