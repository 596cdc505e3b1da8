// The brush family: every kind of brush answers its published type and can
// copy itself, which is all the brush-wide flat functions need.
#pragma once

#include "core/object.h"
#include "gdiplus/gdiplus.h"

#include <memory>

namespace vellumark::gdiplus {

class Brush : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Brush;

    virtual GpBrushType type() const = 0;
    virtual std::unique_ptr<Brush> clone() const = 0;

protected:
    Brush() = default;
    Brush(const Brush&) = default;
};

} // namespace vellumark::gdiplus
