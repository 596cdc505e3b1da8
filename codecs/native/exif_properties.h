// EXIF metadata (the TIFF-structured block of a JPEG APP1 segment) read
// with libexif into property items: the primary image's tags, the EXIF
// sub-IFD and the GPS IFD, with their published ids and types, and the
// thumbnail IFD's tags and JPEG thumbnail under the published thumbnail ids.
#pragma once

#include "codecs/native/native_picture.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vellumark::codecs::native {

// `payload` is the APP1 segment's data, starting with "Exif\0\0". Damaged
// blocks add what libexif could read and nothing else.
void ReadExifProperties(std::span<const std::uint8_t> payload, NativePicture& picture);

// The first RATIONAL of a property as a number, if it has one with a
// non-zero denominator.
std::optional<double> RationalValue(const PropertyItem& item);

// The first SHORT of a property.
std::optional<std::uint16_t> ShortValue(const PropertyItem& item);

} // namespace vellumark::codecs::native
