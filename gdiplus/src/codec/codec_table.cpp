#include "codec/codec_table.h"

#include "image/image_guids.h"

#include <algorithm>
#include <cstring>

namespace vellumark::gdiplus {

namespace {

constexpr CLSID encoderClsid(std::uint32_t data1) {
    return CLSID{data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

constexpr UINT kBuiltinCodec = ImageCodecFlagsEncoder | ImageCodecFlagsDecoder |
                               ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;
constexpr UINT kBuiltinDecoder =
    ImageCodecFlagsDecoder | ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

const std::vector<CodecDescription>& codecs() {
    static const std::vector<CodecDescription> table = {
        {CodecId::Bmp,
         encoderClsid(0x557CF400),
         kImageFormatBmp,
         u"Built-in BMP Codec",
         u"BMP",
         u"*.BMP;*.DIB;*.RLE",
         u"image/bmp",
         kBuiltinCodec,
         {bytesOf("BM")}},
        {CodecId::Jpeg,
         encoderClsid(0x557CF401),
         kImageFormatJpeg,
         u"Built-in JPEG Codec",
         u"JPEG",
         u"*.JPG;*.JPEG;*.JPE;*.JFIF",
         u"image/jpeg",
         kBuiltinCodec,
         {{0xFF, 0xD8}}},
        {CodecId::Gif,
         encoderClsid(0x557CF402),
         kImageFormatGif,
         u"Built-in GIF Codec",
         u"GIF",
         u"*.GIF",
         u"image/gif",
         kBuiltinCodec,
         {bytesOf("GIF89a"), bytesOf("GIF87a")}},
        {CodecId::Tiff,
         encoderClsid(0x557CF405),
         kImageFormatTiff,
         u"Built-in TIFF Codec",
         u"TIFF",
         u"*.TIF;*.TIFF",
         u"image/tiff",
         kBuiltinCodec,
         {{0x49, 0x49, 0x2A, 0x00}, {0x4D, 0x4D, 0x00, 0x2A}}},
        {CodecId::Png,
         encoderClsid(0x557CF406),
         kImageFormatPng,
         u"Built-in PNG Codec",
         u"PNG",
         u"*.PNG",
         u"image/png",
         kBuiltinCodec,
         {{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}}},
        {CodecId::Icon,
         encoderClsid(0x557CF407),
         kImageFormatIcon,
         u"Built-in ICO Codec",
         u"ICO",
         u"*.ICO",
         u"image/x-icon",
         kBuiltinDecoder,
         {{0x00, 0x00, 0x01, 0x00}}},
    };
    return table;
}

bool listed(const CodecDescription& codec, bool encoders) {
    return (codec.flags & (encoders ? ImageCodecFlagsEncoder : ImageCodecFlagsDecoder)) != 0;
}

std::size_t stringBytes(std::u16string_view text) {
    return (text.size() + 1) * sizeof(char16_t);
}

std::size_t signatureBytes(const CodecDescription& codec) {
    return codec.signatures.empty() ? 0 : 2 * codec.signatures.size() * codec.signatures[0].size();
}

std::size_t extraBytes(const CodecDescription& codec) {
    return stringBytes(codec.codecName) + stringBytes(codec.formatDescription) +
           stringBytes(codec.filenameExtension) + stringBytes(codec.mimeType) +
           signatureBytes(codec);
}

// Appends data into the buffer's tail and returns where it landed.
class TailWriter {
public:
    explicit TailWriter(std::uint8_t* at) : at_(at) {}

    const WCHAR* text(std::u16string_view text) {
        auto* start = at_;
        std::memcpy(at_, text.data(), text.size() * sizeof(char16_t));
        at_ += text.size() * sizeof(char16_t);
        *at_++ = 0;
        *at_++ = 0;
        return reinterpret_cast<const WCHAR*>(start);
    }

    const BYTE* bytes(std::span<const std::uint8_t> data) {
        auto* start = at_;
        at_ = std::copy(data.begin(), data.end(), at_);
        return start;
    }

    const BYTE* ones(std::size_t count) {
        auto* start = at_;
        at_ = std::fill_n(at_, count, std::uint8_t{0xFF});
        return start;
    }

private:
    std::uint8_t* at_;
};

} // namespace

std::span<const CodecDescription> allCodecs() {
    return codecs();
}

const CodecDescription* findEncoder(const CLSID& clsid) {
    for (const CodecDescription& codec : codecs()) {
        if (listed(codec, true) && sameGuid(codec.clsid, clsid)) {
            return &codec;
        }
    }
    return nullptr;
}

CodecListSize codecListSize(bool encoders) {
    CodecListSize size;
    std::size_t bytes = 0;
    for (const CodecDescription& codec : codecs()) {
        if (listed(codec, encoders)) {
            ++size.count;
            bytes += sizeof(ImageCodecInfo) + extraBytes(codec);
        }
    }
    size.bytes = static_cast<UINT>(bytes);
    return size;
}

Result<void> writeCodecList(bool encoders, UINT count, UINT size, ImageCodecInfo* buffer) {
    const CodecListSize expected = codecListSize(encoders);
    if (count != expected.count || size != expected.bytes) {
        return Error{GenericError, "count or size differs from the reported ones"};
    }
    ImageCodecInfo* record = buffer;
    TailWriter tail(reinterpret_cast<std::uint8_t*>(buffer + count));
    for (const CodecDescription& codec : codecs()) {
        if (!listed(codec, encoders)) {
            continue;
        }
        ImageCodecInfo info{};
        info.Clsid = codec.clsid;
        info.FormatID = codec.formatId;
        info.CodecName = tail.text(codec.codecName);
        info.DllName = nullptr; // built into the library
        info.FormatDescription = tail.text(codec.formatDescription);
        info.FilenameExtension = tail.text(codec.filenameExtension);
        info.MimeType = tail.text(codec.mimeType);
        info.Flags = codec.flags;
        info.Version = 1;
        info.SigCount = static_cast<std::uint32_t>(codec.signatures.size());
        info.SigSize = static_cast<std::uint32_t>(codec.signatures[0].size());
        info.SigPattern = tail.bytes(codec.signatures[0]);
        for (std::size_t i = 1; i < codec.signatures.size(); ++i) {
            static_cast<void>(tail.bytes(codec.signatures[i]));
        }
        info.SigMask = tail.ones(codec.signatures.size() * codec.signatures[0].size());
        std::memcpy(record++, &info, sizeof info);
    }
    return success();
}

} // namespace vellumark::gdiplus
