// Every object the flat API hands out a handle for derives from Object. The
// kind says what the handle names; kinds form families (a bitmap is an image,
// a solid fill is a brush), so a lookup can ask for a whole family.
#pragma once

#include <cstdint>

namespace vellumark::gdiplus {

enum class ObjectKind : std::uint8_t {
    // Families: never the kind of a live object, only asked for in lookups.
    Image,
    Brush,
    CustomLineCap,
    // Concrete kinds.
    Bitmap,
    Metafile,
    Graphics,
    SolidFill,
    HatchFill,
    TextureFill,
    PathGradient,
    LinearGradient,
    Pen,
    Path,
    PathIterator,
    Region,
    Matrix,
    Font,
    FontFamily,
    FontCollection,
    StringFormat,
    ImageAttributes,
    CachedBitmap,
    Effect,
    PlainLineCap,
    AdjustableArrowCap,
};

// The family a kind belongs to, or the kind itself for a kind without one.
constexpr ObjectKind familyOf(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Bitmap:
    case ObjectKind::Metafile:
        return ObjectKind::Image;
    case ObjectKind::SolidFill:
    case ObjectKind::HatchFill:
    case ObjectKind::TextureFill:
    case ObjectKind::PathGradient:
    case ObjectKind::LinearGradient:
        return ObjectKind::Brush;
    case ObjectKind::PlainLineCap:
    case ObjectKind::AdjustableArrowCap:
        return ObjectKind::CustomLineCap;
    default:
        return kind;
    }
}

// Whether an object of kind `actual` may be used where `wanted` is asked for.
constexpr bool isKindOf(ObjectKind actual, ObjectKind wanted) {
    return actual == wanted || familyOf(actual) == wanted;
}

// Derived classes declare `static constexpr ObjectKind kKind` (their kind, or
// their family for an abstract family base) so typed lookups can check it.
class Object {
public:
    Object() = default;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual ObjectKind kind() const = 0;
    // A busy object (a surface whose device context is out) refuses every
    // call but the one that ends the business, with ObjectBusy.
    virtual bool busy() const { return false; }

protected:
    // Derived classes copy themselves to implement their clone operations.
    Object(const Object&) = default;
};

} // namespace vellumark::gdiplus
