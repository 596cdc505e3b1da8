// The installed image encoders and the lookup of an encoder by file format.
// Formats and encoders are named by GuidText; nothing is cached, so every
// lookup lists the encoders anew.
#pragma once

#include "imaging/guid_text.h"
#include "platform/types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::imaging {

// One installed encoder, copied out of the library's codec description.
struct EncoderInfo {
    GuidText encoderId;
    GuidText formatId;
    Text codecName;
    Text libraryName;
    Text formatDescription;
    Text fileExtensions;
    Text mimeType;
    std::uint32_t flags = 0;
    std::uint32_t version = 0;
    std::uint32_t signatureCount = 0;
    std::uint32_t signatureSize = 0;
    // signatureCount x signatureSize bytes each.
    Bytes signaturePatterns;
    Bytes signatureMasks;
};

// The published 64-bit ImageCodecInfo: two GUIDs, five string addresses,
// four 32-bit integers and two addresses.
inline constexpr std::size_t kCodecInfoBytes = 104;

// The first `count` codec descriptions of a block the library filled, as far
// as they fit into it. Strings and signatures are read only from inside the
// block, where the library places them; anything pointing elsewhere reads as
// empty.
std::vector<EncoderInfo> ReadCodecInfoBlock(std::span<const std::uint8_t> block,
                                            std::uint32_t count);

// Replaces `list` with the installed encoders and returns their number. When
// the library cannot report their count and size, returns 0 with the status
// in LastStatus and `list` untouched.
std::uint32_t ListImageEncoders(std::vector<EncoderInfo>& list);

// The encoderId of the first encoder whose formatId is exactly `format`
// (upper-case registry form), or "" when none is.
Text FindEncoderForFormat(const GuidText& format);

} // namespace vellumark::imaging
