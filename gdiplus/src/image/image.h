// The image family: what every image (bitmap or metafile) answers. Bitmaps
// are the only concrete kind here; the metadata that every image carries
// (raw format, resolution, property items) lives in this base.
#pragma once

#include "core/object.h"
#include "gdiplus/gdiplus.h"
#include "image/image_guids.h"
#include "image/property_store.h"

#include <memory>

namespace vellumark::gdiplus {

struct SaveSession;

class Image : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Image;

    virtual ImageType imageType() const = 0;
    virtual std::unique_ptr<Image> cloneImage() const = 0;

    // Size of the active frame in pixels.
    virtual std::uint32_t width() const = 0;
    virtual std::uint32_t height() const = 0;
    virtual PixelFormat pixelFormat() const = 0;
    // The published ImageFlags of the image as it is now.
    virtual UINT flags() const = 0;

    const GUID& rawFormat() const { return rawFormat_; }
    void setRawFormat(const GUID& format) { rawFormat_ = format; }

    REAL dpiX() const { return dpiX_; }
    REAL dpiY() const { return dpiY_; }
    void setResolution(REAL dpiX, REAL dpiY) {
        dpiX_ = dpiX;
        dpiY_ = dpiY;
    }
    // Whether the resolution came from the file rather than the default.
    bool hasRealDpi() const { return hasRealDpi_; }
    void setHasRealDpi(bool real) { hasRealDpi_ = real; }

    PropertyStore& properties() { return properties_; }
    const PropertyStore& properties() const { return properties_; }

    // The multi-frame save this image began, if any.
    std::shared_ptr<SaveSession>& saveSession() { return saveSession_.session; }

protected:
    Image() = default;
    Image(const Image&) = default;

private:
    GUID rawFormat_ = kImageFormatMemoryBmp;
    REAL dpiX_ = 96.0f;
    REAL dpiY_ = 96.0f;
    bool hasRealDpi_ = false;
    PropertyStore properties_;

    // A save in progress belongs to its image only: copies start without.
    struct SessionSlot {
        SessionSlot() = default;
        SessionSlot(const SessionSlot&) {}
        SessionSlot& operator=(const SessionSlot&) = delete;
        std::shared_ptr<SaveSession> session;
    };
    SessionSlot saveSession_;
};

} // namespace vellumark::gdiplus
