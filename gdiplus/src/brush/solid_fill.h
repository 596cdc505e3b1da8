// A brush of one ARGB colour.
#pragma once

#include "brush/brush.h"

namespace vellumark::gdiplus {

class SolidFill final : public Brush {
public:
    static constexpr ObjectKind kKind = ObjectKind::SolidFill;

    explicit SolidFill(ARGB color) : color_(color) {}

    ObjectKind kind() const override { return kKind; }
    GpBrushType type() const override { return BrushTypeSolidColor; }
    std::unique_ptr<Brush> clone() const override { return std::make_unique<SolidFill>(*this); }

    ARGB color() const { return color_; }
    void setColor(ARGB color) { color_ = color; }

private:
    ARGB color_;
};

} // namespace vellumark::gdiplus
