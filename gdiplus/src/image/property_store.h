// An image's property items (EXIF tags, GIF delays, PNG text, ...): each a
// published tag id, a published type and the value's bytes.
#pragma once

#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vellumark::gdiplus {

struct Property {
    PROPID id = 0;
    WORD type = 0;
    std::vector<std::uint8_t> value;
};

class PropertyStore {
public:
    const std::vector<Property>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }

    const Property* find(PROPID id) const;
    // Replaces an item with the same id, else appends.
    void set(Property property);
    // False when there was no item with this id.
    bool remove(PROPID id);

private:
    std::vector<Property> items_;
};

} // namespace vellumark::gdiplus
