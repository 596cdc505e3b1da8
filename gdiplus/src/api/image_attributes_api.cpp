// Flat functions of image attributes.
#include "attributes/image_attributes.h"
#include "core/api_call.h"

using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::ImageAttributes;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

extern "C" {

GpStatus GdipCreateImageAttributes(GpImageAttributes* imageattr) {
    clearOutput(imageattr);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(imageattr); !checked) {
            return checked;
        }
        return publish(objects, std::make_unique<ImageAttributes>(), imageattr);
    });
}

GpStatus GdipCloneImageAttributes(GpImageAttributes imageattr, GpImageAttributes* cloneImageattr) {
    clearOutput(cloneImageattr);
    return onObject<ImageAttributes>(
        imageattr, [&](ImageAttributes& source, HandleTable& objects) -> Result<void> {
            if (auto checked = requirePointer(cloneImageattr); !checked) {
                return checked;
            }
            return publish(objects, source.clone(), cloneImageattr);
        });
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes imageattr) {
    return guarded(
        [&](HandleTable& objects) { return objects.erase(imageattr, ImageAttributes::kKind); });
}

GpStatus GdipSetImageAttributesWrapMode(GpImageAttributes imageAttr, GpWrapMode wrap, ARGB argb,
                                        BOOL /*clamp*/) {
    return onObject<ImageAttributes>(imageAttr, [&](ImageAttributes& attributes) -> Result<void> {
        if (auto checked = requireInRange(wrap, WrapModeTile, WrapModeClamp); !checked) {
            return checked;
        }
        attributes.setWrapMode(wrap, argb);
        return success();
    });
}

} // extern "C"
