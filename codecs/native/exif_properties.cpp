#include "codecs/native/exif_properties.h"

#include "codecs/native/property_items.h"

#include <algorithm>
#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>
#include <memory>

namespace vellumark::codecs::native {

namespace {

struct ExifReleaser {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// The published type for an EXIF format; the signed and floating formats
// the imaging API has no type for keep their bytes as UNDEFINED.
std::uint16_t PublishedType(ExifFormat format) {
    switch (format) {
    case EXIF_FORMAT_BYTE:
    case EXIF_FORMAT_SBYTE:
        return kTypeByte;
    case EXIF_FORMAT_ASCII:
        return kTypeAscii;
    case EXIF_FORMAT_SHORT:
    case EXIF_FORMAT_SSHORT:
        return kTypeShort;
    case EXIF_FORMAT_LONG:
        return kTypeLong;
    case EXIF_FORMAT_SLONG:
        return kTypeSLong;
    case EXIF_FORMAT_RATIONAL:
        return kTypeRational;
    case EXIF_FORMAT_SRATIONAL:
        return kTypeSRational;
    default:
        return kTypeUndefined;
    }
}

// Bytes of one number whose byte order follows the file (0: copied as is).
std::size_t WordSize(ExifFormat format) {
    switch (format) {
    case EXIF_FORMAT_SHORT:
    case EXIF_FORMAT_SSHORT:
        return 2;
    case EXIF_FORMAT_LONG:
    case EXIF_FORMAT_SLONG:
    case EXIF_FORMAT_RATIONAL: // two LONGs each
    case EXIF_FORMAT_SRATIONAL:
        return 4;
    default:
        return 0;
    }
}

PropertyItem ItemFromEntry(const ExifEntry& entry, ExifByteOrder order) {
    PropertyItem item{entry.tag, PublishedType(entry.format),
                      std::vector<std::uint8_t>(entry.data, entry.data + entry.size)};
    const std::size_t word = WordSize(entry.format);
    if (word != 0 && order == EXIF_BYTE_ORDER_MOTOROLA) {
        for (std::size_t i = 0; i + word <= item.value.size(); i += word) {
            std::reverse(item.value.begin() + static_cast<std::ptrdiff_t>(i),
                         item.value.begin() + static_cast<std::ptrdiff_t>(i + word));
        }
    }
    return item;
}

} // namespace

void ReadExifProperties(std::span<const std::uint8_t> payload, NativePicture& picture) {
    std::unique_ptr<ExifData, ExifReleaser> exif(exif_data_new());
    if (!exif || payload.empty()) {
        return;
    }
    // Report the file's tags as they are: no tags added, fixed or dropped.
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_load_data(exif.get(), payload.data(), static_cast<unsigned int>(payload.size()));
    const ExifByteOrder order = exif_data_get_byte_order(exif.get());
    for (ExifIfd ifd : {EXIF_IFD_0, EXIF_IFD_EXIF, EXIF_IFD_GPS}) {
        const ExifContent* content = exif->ifd[ifd];
        if (content == nullptr) {
            continue;
        }
        for (unsigned int i = 0; i < content->count; ++i) {
            const ExifEntry* entry = content->entries[i];
            const unsigned long expected =
                entry != nullptr ? entry->components * exif_format_get_size(entry->format) : 0;
            if (entry == nullptr || entry->data == nullptr || entry->size != expected) {
                continue;
            }
            AddProperty(picture, ItemFromEntry(*entry, order));
        }
    }
}

std::optional<double> RationalValue(const PropertyItem& item) {
    if (item.type != kTypeRational || item.value.size() < 8) {
        return std::nullopt;
    }
    const std::uint32_t numerator = exif_get_long(item.value.data(), EXIF_BYTE_ORDER_INTEL);
    const std::uint32_t denominator = exif_get_long(item.value.data() + 4, EXIF_BYTE_ORDER_INTEL);
    if (denominator == 0) {
        return std::nullopt;
    }
    return static_cast<double>(numerator) / denominator;
}

std::optional<std::uint16_t> ShortValue(const PropertyItem& item) {
    if (item.type != kTypeShort || item.value.size() < 2) {
        return std::nullopt;
    }
    return exif_get_short(item.value.data(), EXIF_BYTE_ORDER_INTEL);
}

} // namespace vellumark::codecs::native
