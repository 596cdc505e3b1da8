#include "codecs/native/exif_properties.h"

#include "codecs/native/property_items.h"

#include <algorithm>
#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>
#include <memory>
#include <utility>

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

// Entries whose data holds exactly what their format and count say.
bool WholeEntry(const ExifEntry* entry) {
    return entry != nullptr && entry->data != nullptr &&
           entry->size == entry->components * exif_format_get_size(entry->format);
}

// The thumbnail IFD (IFD1) repeats TIFF tags of the primary image; the
// imaging API publishes them under ids of their own in the 0x50xx range.
// Source: the published PropertyTagThumbnail* constants.
std::optional<std::uint32_t> ThumbnailPropertyId(std::uint32_t tag) {
    static constexpr std::pair<std::uint16_t, std::uint16_t> kIds[] = {
        {0x0100, 0x5020}, // ImageWidth -> ThumbnailImageWidth
        {0x0101, 0x5021}, // ImageLength -> ThumbnailImageHeight
        {0x0102, 0x5022}, // BitsPerSample
        {0x0103, 0x5023}, // Compression
        {0x0106, 0x5024}, // PhotometricInterpretation
        {0x010E, 0x5025}, // ImageDescription
        {0x010F, 0x5026}, // Make
        {0x0110, 0x5027}, // Model
        {0x0111, 0x5028}, // StripOffsets
        {0x0112, 0x5029}, // Orientation
        {0x0115, 0x502A}, // SamplesPerPixel
        {0x0116, 0x502B}, // RowsPerStrip
        {0x0117, 0x502C}, // StripByteCounts
        {0x011A, 0x502D}, // XResolution
        {0x011B, 0x502E}, // YResolution
        {0x011C, 0x502F}, // PlanarConfiguration
        {0x0128, 0x5030}, // ResolutionUnit
        {0x012D, 0x5031}, // TransferFunction
        {0x0131, 0x5032}, // Software
        {0x0132, 0x5033}, // DateTime
        {0x013B, 0x5034}, // Artist
        {0x013E, 0x5035}, // WhitePoint
        {0x013F, 0x5036}, // PrimaryChromaticities
        {0x0211, 0x5037}, // YCbCrCoefficients
        {0x0212, 0x5038}, // YCbCrSubSampling
        {0x0213, 0x5039}, // YCbCrPositioning
        {0x0214, 0x503A}, // ReferenceBlackWhite
        {0x8298, 0x503B}, // Copyright
    };
    for (const auto& [from, to] : kIds) {
        if (from == tag) {
            return to;
        }
    }
    return std::nullopt;
}

// IFD1's tags under their thumbnail ids, and a JPEG thumbnail (the bytes
// JPEGInterchangeFormat and its length point at, which libexif has cut out
// already) as ThumbnailFormat 1 with ThumbnailData and JPEGInterLength.
void ReadThumbnailProperties(const ExifData& exif, ExifByteOrder order, NativePicture& picture) {
    if (const ExifContent* content = exif.ifd[EXIF_IFD_1]) {
        for (unsigned int i = 0; i < content->count; ++i) {
            const ExifEntry* entry = content->entries[i];
            const auto id = WholeEntry(entry) ? ThumbnailPropertyId(entry->tag) : std::nullopt;
            if (id) {
                PropertyItem item = ItemFromEntry(*entry, order);
                item.id = *id;
                AddProperty(picture, std::move(item));
            }
        }
    }
    if (exif.data != nullptr && exif.size > 0) {
        constexpr std::uint32_t kJpegThumbnail = 1;
        const std::uint32_t length = exif.size;
        AddProperty(picture, LongItem(kTagThumbnailFormat, {&kJpegThumbnail, 1}));
        AddProperty(picture, LongItem(kTagJpegInterchangeLength, {&length, 1}));
        AddProperty(picture, BytesItem(kTagThumbnailData, kTypeByte, {exif.data, exif.size}));
    }
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
            if (const ExifEntry* entry = content->entries[i]; WholeEntry(entry)) {
                AddProperty(picture, ItemFromEntry(*entry, order));
            }
        }
    }
    ReadThumbnailProperties(*exif, order, picture);
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
