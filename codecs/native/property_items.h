// Building property items with the published tag types, values stored
// little-endian as the imaging API hands them out.
#pragma once

#include "codecs/native/native_picture.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vellumark::codecs::native {

enum PropertyType : std::uint16_t {
    kTypeByte = 1,
    kTypeAscii = 2,
    kTypeShort = 3,
    kTypeLong = 4,
    kTypeRational = 5,
    kTypeUndefined = 7,
    kTypeSLong = 9,
    kTypeSRational = 10,
};

// Published tag ids the decoders produce themselves (EXIF tags keep the
// ids the file gives them).
enum PropertyTag : std::uint32_t {
    kTagImageDescription = 0x010E,
    kTagXResolution = 0x011A,
    kTagYResolution = 0x011B,
    kTagResolutionUnit = 0x0128,
    kTagSoftwareUsed = 0x0131,
    kTagDateTime = 0x0132,
    kTagArtist = 0x013B,
    kTagJpegInterchangeLength = 0x0202,
    kTagGamma = 0x0301,
    kTagSrgbRenderingIntent = 0x0303,
    kTagImageTitle = 0x0320,
    kTagThumbnailFormat = 0x5012,
    kTagThumbnailData = 0x501B,
    kTagFrameDelay = 0x5100,
    kTagLoopCount = 0x5101,
    kTagGlobalPalette = 0x5102,
    kTagIndexBackground = 0x5103,
    kTagIndexTransparent = 0x5104,
    kTagPixelUnit = 0x5110,
    kTagPixelPerUnitX = 0x5111,
    kTagPixelPerUnitY = 0x5112,
    kTagCopyright = 0x8298,
    kTagIccProfile = 0x8773,
};

PropertyItem BytesItem(std::uint32_t id, std::uint16_t type, std::span<const std::uint8_t> bytes);
// The text with a terminating NUL, as ASCII items carry it.
PropertyItem AsciiItem(std::uint32_t id, std::string_view text);
PropertyItem ShortItem(std::uint32_t id, std::span<const std::uint16_t> values);
PropertyItem LongItem(std::uint32_t id, std::span<const std::uint32_t> values);
PropertyItem RationalItem(std::uint32_t id, std::uint32_t numerator, std::uint32_t denominator);

void AppendLE16(std::vector<std::uint8_t>& bytes, std::uint16_t value);
void AppendLE32(std::vector<std::uint8_t>& bytes, std::uint32_t value);

// Stores `item` in the picture, replacing one with the same id; items
// beyond the metadata budget of native_limits.h are dropped.
void AddProperty(NativePicture& picture, PropertyItem item);

// The item with this id, or nullptr.
const PropertyItem* FindProperty(const NativePicture& picture, std::uint32_t id);

} // namespace vellumark::codecs::native
