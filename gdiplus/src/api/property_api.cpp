// Flat functions of image property items. A returned item is the published
// 24-byte PropertyItem followed by its value, which the item points to.
#include "core/api_call.h"
#include "image/image.h"

#include <cstring>

using vellumark::gdiplus::Error;
using vellumark::gdiplus::Image;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Property;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

namespace {

// Largest value a caller may attach: far beyond any real tag.
constexpr std::uint32_t kMaxPropertyValueBytes = 16u << 20;

Error propertyNotFound() {
    return Error{PropertyNotFound, "no property with this id"};
}

// Writes the item at `item` and its value at `value`; returns the byte
// after the value.
std::uint8_t* writeItem(const Property& property, std::uint8_t* item, std::uint8_t* value) {
    PropertyItem header{};
    header.id = property.id;
    header.length = static_cast<std::uint32_t>(property.value.size());
    header.type = property.type;
    header.value = property.value.empty() ? nullptr : value;
    std::memcpy(item, &header, sizeof header);
    if (!property.value.empty()) {
        std::memcpy(value, property.value.data(), property.value.size());
    }
    return value + property.value.size();
}

std::size_t totalBytes(const Image& image) {
    std::size_t bytes = 0;
    for (const Property& property : image.properties().items()) {
        bytes += sizeof(PropertyItem) + property.value.size();
    }
    return bytes;
}

} // namespace

extern "C" {

GpStatus GdipGetPropertyCount(GpImage image, UINT* numOfProperty) {
    return queryObject<Image>(image, numOfProperty, [](const Image& i) {
        return static_cast<UINT>(i.properties().size());
    });
}

GpStatus GdipGetPropertyIdList(GpImage image, UINT numOfProperty, PROPID* list) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = requirePointer(list); !checked) {
            return checked;
        }
        if (numOfProperty != i.properties().size()) {
            return invalidArgument("count differs from the number of properties");
        }
        for (const Property& property : i.properties().items()) {
            *list++ = property.id;
        }
        return success();
    });
}

GpStatus GdipGetPropertyItemSize(GpImage image, PROPID propId, UINT* size) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = requirePointer(size); !checked) {
            return checked;
        }
        const Property* found = i.properties().find(propId);
        if (found == nullptr) {
            return propertyNotFound();
        }
        *size = static_cast<UINT>(sizeof(PropertyItem) + found->value.size());
        return success();
    });
}

GpStatus GdipGetPropertyItem(GpImage image, PROPID propId, UINT propSize, PropertyItem* buffer) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = requirePointer(buffer); !checked) {
            return checked;
        }
        const Property* found = i.properties().find(propId);
        if (found == nullptr) {
            return propertyNotFound();
        }
        if (propSize != sizeof(PropertyItem) + found->value.size()) {
            return invalidArgument("size differs from the item's size");
        }
        auto* bytes = reinterpret_cast<std::uint8_t*>(buffer);
        writeItem(*found, bytes, bytes + sizeof(PropertyItem));
        return success();
    });
}

GpStatus GdipGetPropertySize(GpImage image, UINT* totalBufferSize, UINT* numProperties) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = allOf({requirePointer(totalBufferSize), requirePointer(numProperties)});
            !checked) {
            return checked;
        }
        *totalBufferSize = static_cast<UINT>(totalBytes(i));
        *numProperties = static_cast<UINT>(i.properties().size());
        return success();
    });
}

GpStatus GdipGetAllPropertyItems(GpImage image, UINT totalBufferSize, UINT numProperties,
                                 PropertyItem* allItems) {
    return onObject<Image>(image, [&](const Image& i) -> Result<void> {
        if (auto checked = requirePointer(allItems); !checked) {
            return checked;
        }
        if (numProperties != i.properties().size() || totalBufferSize != totalBytes(i)) {
            return invalidArgument("count or size differs from the reported ones");
        }
        auto* items = reinterpret_cast<std::uint8_t*>(allItems);
        std::uint8_t* values = items + sizeof(PropertyItem) * numProperties;
        for (const Property& property : i.properties().items()) {
            values = writeItem(property, items, values);
            items += sizeof(PropertyItem);
        }
        return success();
    });
}

GpStatus GdipRemovePropertyItem(GpImage image, PROPID propId) {
    return onObject<Image>(image, [&](Image& i) -> Result<void> {
        if (!i.properties().remove(propId)) {
            return propertyNotFound();
        }
        return success();
    });
}

GpStatus GdipSetPropertyItem(GpImage image, const PropertyItem* item) {
    return onObject<Image>(image, [&](Image& i) -> Result<void> {
        if (auto checked = requirePointer(item); !checked) {
            return checked;
        }
        if ((item->length > 0 && item->value == nullptr) || item->length > kMaxPropertyValueBytes) {
            return invalidArgument("property value missing or too large");
        }
        if (auto checked =
                requireInRange(item->type, PropertyTagTypeByte, PropertyTagTypeSRational);
            !checked) {
            return checked;
        }
        Property property{item->id, item->type, {}};
        const auto* value = static_cast<const std::uint8_t*>(item->value);
        property.value.assign(value, value + item->length);
        i.properties().set(std::move(property));
        return success();
    });
}

} // extern "C"
