#include "image/property_store.h"

#include <algorithm>

namespace vellumark::gdiplus {

const Property* PropertyStore::find(PROPID id) const {
    const auto found =
        std::find_if(items_.begin(), items_.end(), [id](const Property& p) { return p.id == id; });
    return found == items_.end() ? nullptr : &*found;
}

void PropertyStore::set(Property property) {
    for (Property& existing : items_) {
        if (existing.id == property.id) {
            existing = std::move(property);
            return;
        }
    }
    items_.push_back(std::move(property));
}

bool PropertyStore::remove(PROPID id) {
    return std::erase_if(items_, [id](const Property& p) { return p.id == id; }) > 0;
}

} // namespace vellumark::gdiplus
