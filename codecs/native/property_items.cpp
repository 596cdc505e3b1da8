#include "codecs/native/property_items.h"

#include "codecs/native/native_limits.h"

#include <algorithm>

namespace vellumark::codecs::native {

void AppendLE16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendLE32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

PropertyItem BytesItem(std::uint32_t id, std::uint16_t type, std::span<const std::uint8_t> bytes) {
    return {id, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

PropertyItem AsciiItem(std::uint32_t id, std::string_view text) {
    PropertyItem item{id, kTypeAscii, std::vector<std::uint8_t>(text.begin(), text.end())};
    item.value.push_back(0);
    return item;
}

PropertyItem ShortItem(std::uint32_t id, std::span<const std::uint16_t> values) {
    PropertyItem item{id, kTypeShort, {}};
    for (std::uint16_t value : values) {
        AppendLE16(item.value, value);
    }
    return item;
}

PropertyItem LongItem(std::uint32_t id, std::span<const std::uint32_t> values) {
    PropertyItem item{id, kTypeLong, {}};
    for (std::uint32_t value : values) {
        AppendLE32(item.value, value);
    }
    return item;
}

PropertyItem RationalItem(std::uint32_t id, std::uint32_t numerator, std::uint32_t denominator) {
    PropertyItem item{id, kTypeRational, {}};
    AppendLE32(item.value, numerator);
    AppendLE32(item.value, denominator);
    return item;
}

void AddProperty(NativePicture& picture, PropertyItem item) {
    std::size_t used = 0;
    for (const PropertyItem& existing : picture.properties) {
        used += existing.id == item.id ? 0 : existing.value.size();
    }
    if (used + item.value.size() > kMaxPropertyBytes) {
        return;
    }
    auto same = std::find_if(picture.properties.begin(), picture.properties.end(),
                             [&](const PropertyItem& p) { return p.id == item.id; });
    if (same != picture.properties.end()) {
        *same = std::move(item);
    } else {
        picture.properties.push_back(std::move(item));
    }
}

const PropertyItem* FindProperty(const NativePicture& picture, std::uint32_t id) {
    for (const PropertyItem& item : picture.properties) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace vellumark::codecs::native
