// The table of every picture codec. To add a format: write its
// <format>_decoder.h/.cpp with a Sniff (signature only, no allocation) and a
// Create (parses the header), add a PictureFormat value in
// picture_decoder.h, and add one row to the table in codec_registry.cpp.
// Rows are tried in order; the first whose Sniff accepts the bytes wins.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>

namespace vellumark::codecs {

struct CodecEntry {
    PictureFormat format;
    bool (*sniff)(std::span<const std::uint8_t> data);
    CodecCreation (*create)(std::span<const std::uint8_t> data);
};

std::span<const CodecEntry> RegisteredCodecs();

// The row for `format`, or nullptr for PictureFormat::None.
const CodecEntry* FindCodec(PictureFormat format);

} // namespace vellumark::codecs
