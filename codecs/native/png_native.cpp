// libpng reports fatal errors through a longjmp back to the setjmp in the
// functions below; those functions hold no object whose destructor the
// jump could skip.
#include "codecs/native/png_native.h"

#include "codecs/byte_reader.h"
#include "codecs/limits.h"
#include "codecs/native/frame_allocator.h"
#include "codecs/native/native_limits.h"
#include "codecs/native/property_items.h"
#include "codecs/png_memory_reading.h"

#include <cstring>
#include <memory>
#include <png.h>
#include <string_view>

namespace vellumark::codecs::native {

namespace {

struct Session {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngMemorySource input;

    ~Session() { png_destroy_read_struct(&png, &info, nullptr); }
};

// What the header says, read before any pixel memory is asked for.
struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool hasTrns = false;
};

bool ReadHeader(Session& s, Header& header) {
    if (setjmp(png_jmpbuf(s.png))) {
        return false;
    }
    png_set_read_fn(s.png, &s.input, ReadPngFromMemory);
    png_set_user_limits(s.png, kMaxPictureSide, kMaxPictureSide);
    png_set_chunk_malloc_max(s.png, kMaxPropertyBytes);
    png_set_crc_action(s.png, PNG_CRC_DEFAULT, PNG_CRC_DEFAULT);
    png_read_info(s.png, s.info);
    png_get_IHDR(s.png, s.info, &header.width, &header.height, &header.bitDepth, &header.colourType,
                 nullptr, nullptr, nullptr);
    header.hasTrns = png_get_valid(s.png, s.info, PNG_INFO_tRNS) != 0;
    return true;
}

std::vector<std::uint32_t> PaletteOf(Session& s) {
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(s.png, s.info, &colours, &count);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_get_tRNS(s.png, s.info, &alphas, &alphaCount, nullptr);
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < count && colours != nullptr; ++i) {
        const std::uint32_t alpha = alphas != nullptr && i < alphaCount ? alphas[i] : 255u;
        palette.push_back(alpha << 24 | std::uint32_t{colours[i].red} << 16 |
                          std::uint32_t{colours[i].green} << 8 | colours[i].blue);
    }
    return palette;
}

// 2^depth greys; a tRNS grey value is transparent.
std::vector<std::uint32_t> GreyPalette(Session& s, int depth, bool hasTrns) {
    const std::uint32_t levels = 1u << depth;
    std::vector<std::uint32_t> palette(levels);
    for (std::uint32_t i = 0; i < levels; ++i) {
        const std::uint32_t grey = i * 255u / (levels - 1);
        palette[i] = 0xFF000000u | grey << 16 | grey << 8 | grey;
    }
    png_color_16p key = nullptr;
    if (hasTrns && png_get_tRNS(s.png, s.info, nullptr, nullptr, &key) && key != nullptr &&
        key->gray < levels) {
        palette[key->gray] &= 0x00FFFFFFu;
    }
    return palette;
}

// 1 and 4 bits stay packed as stored; 2-bit indices, which have no
// format of their own, are unpacked to one byte each.
NativeLayout IndexedLayout(Session& s, int bitDepth) {
    if (bitDepth == 2) {
        png_set_packing(s.png);
    }
    return bitDepth == 1   ? NativeLayout::Indexed1
           : bitDepth == 4 ? NativeLayout::Indexed4
                           : NativeLayout::Indexed8;
}

// Sets libpng's transformations and answers the frame they produce.
NativeFrame ChooseLayout(Session& s, const Header& h) {
    NativeFrame frame{h.width, h.height, NativeLayout::Bgra32, {}};
    const bool sixteen = h.bitDepth == 16;
    switch (h.colourType) {
    case PNG_COLOR_TYPE_PALETTE:
        frame.palette = PaletteOf(s);
        frame.layout = IndexedLayout(s, h.bitDepth);
        return frame;
    case PNG_COLOR_TYPE_GRAY:
        if (!sixteen) {
            frame.palette = GreyPalette(s, h.bitDepth, h.hasTrns);
            frame.layout = IndexedLayout(s, h.bitDepth);
            return frame;
        }
        png_set_gray_to_rgb(s.png);
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        png_set_gray_to_rgb(s.png);
        break;
    default:
        break;
    }
    const bool alpha = (h.colourType & PNG_COLOR_MASK_ALPHA) != 0 || h.hasTrns;
    if (h.hasTrns) {
        png_set_tRNS_to_alpha(s.png);
    }
    png_set_bgr(s.png);
    if (sixteen) {
        png_set_swap(s.png); // PNG samples are big-endian; rows are little-endian
        frame.layout = alpha ? NativeLayout::Bgra64 : NativeLayout::Bgr48;
    } else {
        frame.layout = alpha ? NativeLayout::Bgra32 : NativeLayout::Bgr24;
    }
    return frame;
}

bool ReadRows(Session& s, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(s.png))) {
        return false;
    }
    png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    png_read_image(s.png, rows.data());
    png_read_end(s.png, s.info);
    return true;
}

// Keywords with a published tag of their own; other text is not kept.
std::uint32_t TagForKeyword(std::string_view keyword) {
    struct Mapping {
        std::string_view keyword;
        std::uint32_t tag;
    };
    static constexpr Mapping kMappings[] = {
        {"Title", kTagImageTitle},
        {"Author", kTagArtist},
        {"Description", kTagImageDescription},
        {"Copyright", kTagCopyright},
        {"Software", kTagSoftwareUsed},
        {"Creation Time", kTagDateTime},
    };
    for (const Mapping& mapping : kMappings) {
        if (mapping.keyword == keyword) {
            return mapping.tag;
        }
    }
    return 0;
}

void ReadMetadata(Session& s, NativePicture& out) {
    png_uint_32 resX = 0, resY = 0;
    int unit = 0;
    if (png_get_pHYs(s.png, s.info, &resX, &resY, &unit) && resX != 0 && resY != 0) {
        const std::uint8_t unitByte = static_cast<std::uint8_t>(unit);
        AddProperty(out, BytesItem(kTagPixelUnit, kTypeByte, {&unitByte, 1}));
        AddProperty(out, LongItem(kTagPixelPerUnitX, {&resX, 1}));
        AddProperty(out, LongItem(kTagPixelPerUnitY, {&resY, 1}));
        if (unit == PNG_RESOLUTION_METER) {
            out.dpiX = resX * 0.0254;
            out.dpiY = resY * 0.0254;
            out.realDpi = true;
        }
    }
    png_fixed_point gamma = 0;
    if (png_get_gAMA_fixed(s.png, s.info, &gamma) && gamma > 0) {
        // The file stores 1/gamma; the item is the display gamma.
        AddProperty(out, RationalItem(kTagGamma, 100000, static_cast<std::uint32_t>(gamma)));
    }
    int intent = 0;
    if (png_get_sRGB(s.png, s.info, &intent)) {
        const std::uint8_t intentByte = static_cast<std::uint8_t>(intent);
        AddProperty(out, BytesItem(kTagSrgbRenderingIntent, kTypeByte, {&intentByte, 1}));
    }
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileLength = 0;
    if (png_get_iCCP(s.png, s.info, &name, &compression, &profile, &profileLength) &&
        profile != nullptr) {
        AddProperty(out, BytesItem(kTagIccProfile, kTypeUndefined, {profile, profileLength}));
    }
    png_textp texts = nullptr;
    const int count = png_get_text(s.png, s.info, &texts, nullptr);
    for (int i = 0; i < count && texts != nullptr; ++i) {
        const std::uint32_t tag = texts[i].key ? TagForKeyword(texts[i].key) : 0;
        if (tag != 0 && texts[i].text != nullptr) {
            AddProperty(out, AsciiItem(tag, {texts[i].text, texts[i].text_length}));
        }
    }
}

// libpng refuses an over-wide header without saying why; the IHDR fields
// (right after the signature and the chunk's length and type) tell.
bool ClaimsOversize(std::span<const std::uint8_t> data) {
    ByteReader reader(data);
    reader.Seek(16);
    const auto width = reader.U32BE();
    const auto height = reader.U32BE();
    return width && height && (*width > kMaxPictureSide || *height > kMaxPictureSide);
}

} // namespace

DecodeError DecodePng(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    auto session = std::make_unique<Session>();
    Session& s = *session;
    s.input.data = data;
    s.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeavePngOnError, IgnorePngWarning);
    s.info = s.png ? png_create_info_struct(s.png) : nullptr;
    if (s.info == nullptr) {
        return DecodeError::OverLimit;
    }
    if (ClaimsOversize(data)) {
        return DecodeError::OverLimit;
    }
    Header header;
    if (!ReadHeader(s, header)) {
        return DecodeError::Malformed;
    }
    out.format = NativeFormat::Png;
    out.colourSpace = ColourSpace::Rgb;
    NativeFrame frame = ChooseLayout(s, header);
    if (frame.layout <= NativeLayout::Indexed8 && header.colourType == PNG_COLOR_TYPE_PALETTE &&
        frame.palette.empty()) {
        return DecodeError::Malformed;
    }
    ReadMetadata(s, out);

    FrameBuffer buffer;
    FrameAllocator frames(sink, out);
    if (const DecodeError added = frames.Add(std::move(frame), buffer);
        added != DecodeError::None) {
        return added;
    }
    std::vector<png_bytep> rows(header.height);
    for (std::uint32_t y = 0; y < header.height; ++y) {
        rows[y] = buffer.scan0 + y * buffer.stride;
    }
    if (!ReadRows(s, rows)) {
        return DecodeError::Malformed;
    }
    // Text chunks after the image data count too.
    ReadMetadata(s, out);
    return DecodeError::None;
}

} // namespace vellumark::codecs::native
