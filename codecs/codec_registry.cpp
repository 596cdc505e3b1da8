#include "codecs/codec_registry.h"

#include "codecs/bmp_decoder.h"
#include "codecs/gif_decoder.h"
#include "codecs/icon_decoder.h"
#include "codecs/jpeg_decoder.h"
#include "codecs/pcx_decoder.h"
#include "codecs/png_decoder.h"

#include <array>

namespace vellumark::codecs {

namespace {

constexpr std::array kCodecs = {
    CodecEntry{PictureFormat::Jpeg, JpegDecoder::Sniff, JpegDecoder::Create},
    CodecEntry{PictureFormat::Bmp, BmpDecoder::Sniff, BmpDecoder::Create},
    CodecEntry{PictureFormat::Png, PngDecoder::Sniff, PngDecoder::Create},
    CodecEntry{PictureFormat::Icon, IconDecoder::SniffIcon, IconDecoder::Create},
    CodecEntry{PictureFormat::Cursor, IconDecoder::SniffCursor, IconDecoder::Create},
    CodecEntry{PictureFormat::Gif, GifDecoder::Sniff, GifDecoder::Create},
    CodecEntry{PictureFormat::Pcx, PcxDecoder::Sniff, PcxDecoder::Create},
};

} // namespace

std::span<const CodecEntry> RegisteredCodecs() {
    return kCodecs;
}

const CodecEntry* FindCodec(PictureFormat format) {
    for (const CodecEntry& entry : kCodecs) {
        if (entry.format == format) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace vellumark::codecs
