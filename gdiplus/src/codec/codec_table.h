// The built-in codecs with their published descriptions (class id, format
// id, names, extensions, MIME type, flags, signatures), and the published
// ImageCodecInfo buffer that GdipGetImageEncoders / GdipGetImageDecoders
// fill: the records first, then the strings and signature bytes they point
// to, all inside the caller's buffer.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vellumark::gdiplus {

enum class CodecId { Bmp, Jpeg, Gif, Tiff, Png, Icon };

struct CodecDescription {
    CodecId id;
    CLSID clsid;
    GUID formatId;
    std::u16string_view codecName;
    std::u16string_view formatDescription;
    std::u16string_view filenameExtension;
    std::u16string_view mimeType;
    UINT flags;
    std::vector<std::vector<std::uint8_t>> signatures; // each with an all-ones mask
};

std::span<const CodecDescription> allCodecs();

// The codec that can encode to this class id, or nothing.
const CodecDescription* findEncoder(const CLSID& clsid);

// Count and byte size of the ImageCodecInfo buffer for the encoders
// (`encoders` true) or the decoders.
struct CodecListSize {
    UINT count = 0;
    UINT bytes = 0;
};
CodecListSize codecListSize(bool encoders);

// Fills `buffer`; InvalidParameter unless count and size are exactly what
// codecListSize reported.
Result<void> writeCodecList(bool encoders, UINT count, UINT size, ImageCodecInfo* buffer);

} // namespace vellumark::gdiplus
