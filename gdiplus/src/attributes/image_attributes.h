// Image attributes: how an image is sampled when it is drawn or used as a
// texture. Only the wrap mode and its clamp colour are kept so far.
#pragma once

#include "core/object.h"
#include "gdiplus/gdiplus.h"

#include <memory>

namespace vellumark::gdiplus {

class ImageAttributes final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::ImageAttributes;

    ObjectKind kind() const override { return kKind; }
    std::unique_ptr<ImageAttributes> clone() const {
        return std::make_unique<ImageAttributes>(*this);
    }
    ImageAttributes() = default;
    ImageAttributes(const ImageAttributes&) = default;

    GpWrapMode wrapMode() const { return wrapMode_; }
    ARGB clampColor() const { return clampColor_; }
    void setWrapMode(GpWrapMode mode, ARGB clampColor) {
        wrapMode_ = mode;
        clampColor_ = clampColor;
    }

private:
    GpWrapMode wrapMode_ = WrapModeClamp;
    ARGB clampColor_ = 0;
};

} // namespace vellumark::gdiplus
