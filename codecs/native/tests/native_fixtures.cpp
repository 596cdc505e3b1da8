#include "native_fixtures.h"

#include "codecs/encoders/gif_encoder.h"
#include "codecs/encoders/jpeg_encoder.h"
#include "codecs/encoders/tiff_encoder.h"

#include <algorithm>
#include <iterator>
#include <png.h>
#include <string_view>

namespace vellumark::codecs::native::testing {

namespace {

int ChannelsOf(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// Packs one row of samples MSB-first at `depth` bits, or big-endian words
// at 16 bits, as PNG stores them.
Bytes PackRow(const std::vector<std::uint32_t>& samples, int bitDepth) {
    const auto depth = static_cast<std::size_t>(bitDepth);
    Bytes row;
    if (bitDepth == 16) {
        for (std::uint32_t sample : samples) {
            row.push_back(static_cast<std::uint8_t>(sample >> 8));
            row.push_back(static_cast<std::uint8_t>(sample));
        }
        return row;
    }
    row.assign((samples.size() * depth + 7) / 8, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t bit = i * depth;
        row[bit / 8] |= static_cast<std::uint8_t>(samples[i] << (8 - depth - bit % 8));
    }
    return row;
}

void PutBE16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value));
}

void AppendBE32(Bytes& bytes, std::uint32_t value) {
    PutBE16(bytes, static_cast<std::uint16_t>(value >> 16));
    PutBE16(bytes, static_cast<std::uint16_t>(value));
}

void IfdEntry(Bytes& bytes, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
              std::uint32_t valueOrOffset) {
    PutBE16(bytes, tag);
    PutBE16(bytes, type);
    AppendBE32(bytes, count);
    AppendBE32(bytes, valueOrOffset);
}

Bytes App1Segment(const Bytes& tiff);

Bytes ExifSegment() {
    Bytes tiff = {'M', 'M', 0, 42, 0, 0, 0, 8};
    // IFD0 at 8: six entries, data from 86; EXIF IFD at 112, its data at 130.
    PutBE16(tiff, 6);
    IfdEntry(tiff, 0x010F, 2, 10, 86);      // Make
    IfdEntry(tiff, 0x0112, 3, 1, 6u << 16); // Orientation, left-justified SHORT
    IfdEntry(tiff, 0x011A, 5, 1, 96);       // XResolution
    IfdEntry(tiff, 0x011B, 5, 1, 104);      // YResolution
    IfdEntry(tiff, 0x0128, 3, 1, 2u << 16); // ResolutionUnit: inch
    IfdEntry(tiff, 0x8769, 4, 1, 112);      // EXIF IFD pointer
    AppendBE32(tiff, 0);
    for (char c : std::string_view("Vellumark", 10)) {
        tiff.push_back(static_cast<std::uint8_t>(c));
    }
    AppendBE32(tiff, 300);
    AppendBE32(tiff, 1);
    AppendBE32(tiff, 300);
    AppendBE32(tiff, 1);
    PutBE16(tiff, 1);
    IfdEntry(tiff, 0x829A, 5, 1, 130); // ExposureTime
    AppendBE32(tiff, 0);
    AppendBE32(tiff, 1);
    AppendBE32(tiff, 125);
    return App1Segment(tiff);
}

// A TIFF block whose IFD0 holds only Orientation and whose IFD1 describes
// `thumbnail` as a JPEG: width 4, compression 6, 72 dpi, and where it is.
Bytes ThumbnailExifSegment(const Bytes& thumbnail) {
    Bytes tiff = {'M', 'M', 0, 42, 0, 0, 0, 8};
    // IFD0 at 8 (one entry) links to IFD1 at 26 (five entries), whose
    // rational sits at 92; the thumbnail follows at 100.
    PutBE16(tiff, 1);
    IfdEntry(tiff, 0x0112, 3, 1, 1u << 16);
    AppendBE32(tiff, 26);
    PutBE16(tiff, 5);
    IfdEntry(tiff, 0x0100, 3, 1, 4u << 16); // ImageWidth
    IfdEntry(tiff, 0x0103, 3, 1, 6u << 16); // Compression: JPEG
    IfdEntry(tiff, 0x011A, 5, 1, 92);       // XResolution
    IfdEntry(tiff, 0x0201, 4, 1, 100);      // JPEGInterchangeFormat
    IfdEntry(tiff, 0x0202, 4, 1, static_cast<std::uint32_t>(thumbnail.size()));
    AppendBE32(tiff, 0);
    AppendBE32(tiff, 72);
    AppendBE32(tiff, 1);
    tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());
    return App1Segment(tiff);
}

Bytes App1Segment(const Bytes& tiff) {
    // Sized once and filled in place: growing a short initialiser list by
    // insert trips GCC 12's bounds check at -O3 with a false alarm.
    static constexpr std::uint8_t kHeader[] = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    Bytes segment(sizeof kHeader + tiff.size());
    std::copy(std::begin(kHeader), std::end(kHeader), segment.begin());
    std::copy(tiff.begin(), tiff.end(), segment.begin() + sizeof kHeader);
    const std::size_t length = segment.size() - 2;
    segment[2] = static_cast<std::uint8_t>(length >> 8);
    segment[3] = static_cast<std::uint8_t>(length);
    return segment;
}

} // namespace

void PutBE32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

std::uint32_t PngSample(const PngFixture& fixture, int x, int y, int channel) {
    const std::uint32_t max = fixture.colourType == 3 ? std::min(16u, (1u << fixture.bitDepth)) - 1
                                                      : (1u << fixture.bitDepth) - 1;
    const std::uint32_t value = static_cast<std::uint32_t>(x * 37 + y * 101 + channel * 53 + 7);
    return fixture.bitDepth == 16 ? (value * 977u) & 0xFFFF : value % (max + 1);
}

PngFixture PngOf(int colourType, int bitDepth) {
    PngFixture fixture;
    fixture.colourType = colourType;
    fixture.bitDepth = bitDepth;
    return fixture;
}

Bytes MakePng(const PngFixture& fixture) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendToBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(fixture.width),
                 static_cast<png_uint_32>(fixture.height), fixture.bitDepth, fixture.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[16];
    for (int i = 0; i < 16; ++i) {
        palette[i] = {static_cast<png_byte>(i * 16), static_cast<png_byte>(255 - i * 8),
                      static_cast<png_byte>(i * 5)};
    }
    if (fixture.colourType == 3) {
        png_set_PLTE(png, info, palette, std::min(16, 1 << fixture.bitDepth));
    }
    if (fixture.transparencyKey) {
        png_byte alpha = 0;
        png_color_16 key{};
        png_set_tRNS(png, info, &alpha, fixture.colourType == 3 ? 1 : 0, &key);
    }
    if (fixture.pixelsPerMetre != 0) {
        png_set_pHYs(png, info, fixture.pixelsPerMetre, fixture.pixelsPerMetre,
                     PNG_RESOLUTION_METER);
    }
    if (fixture.gammaTimes100000 != 0) {
        png_set_gAMA_fixed(png, info, fixture.gammaTimes100000);
    }
    std::vector<png_text> texts;
    for (const auto& [key, text] : fixture.texts) {
        png_text chunk{};
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(key.c_str());
        chunk.text = const_cast<char*>(text.c_str());
        chunk.text_length = text.size();
        texts.push_back(chunk);
    }
    if (!texts.empty()) {
        png_set_text(png, info, texts.data(), static_cast<int>(texts.size()));
    }
    png_write_info(png, info);
    const int channels = ChannelsOf(fixture.colourType);
    for (int y = 0; y < fixture.height; ++y) {
        std::vector<std::uint32_t> samples;
        for (int x = 0; x < fixture.width; ++x) {
            for (int c = 0; c < channels; ++c) {
                samples.push_back(PngSample(fixture, x, y, c));
            }
        }
        Bytes row = PackRow(samples, fixture.bitDepth);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes MakeJpeg(int width, int height, bool grayscale, int dpi) {
    Bytes pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7);
    }
    EncoderImage image;
    image.width = static_cast<std::uint32_t>(width);
    image.height = static_cast<std::uint32_t>(height);
    image.layout = PixelLayout::Bgr8;
    image.pixels = pixels;
    image.stride = static_cast<std::size_t>(width) * 3;
    image.dpiX = dpi;
    image.dpiY = dpi;
    JpegOptions options;
    options.quality = 90;
    options.grayscale = grayscale;
    Bytes out;
    EncodeJpeg(image, options, out);
    return out;
}

Bytes MakeJpegWithExif(bool grayscale) {
    Bytes jpeg = MakeJpeg(16, 8, grayscale, 0);
    const Bytes segment = ExifSegment();
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

Bytes MakeJpegWithExifThumbnail(const Bytes& thumbnail) {
    Bytes jpeg = MakeJpeg(16, 8, false, 0);
    const Bytes segment = ThumbnailExifSegment(thumbnail);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

Bytes MakeAnimatedGif() {
    const std::uint32_t palette[] = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    std::vector<Bytes> pixels(3, Bytes(6 * 5));
    std::vector<GifFrame> frames(3);
    for (std::size_t f = 0; f < 3; ++f) {
        for (std::size_t i = 0; i < pixels[f].size(); ++i) {
            pixels[f][i] = static_cast<std::uint8_t>((i + f) % 4);
        }
        EncoderImage& image = frames[f].image;
        image.width = 6;
        image.height = 5;
        image.layout = PixelLayout::Indexed8;
        image.pixels = pixels[f];
        image.stride = 6;
        image.palette = palette;
        frames[f].delayCentiseconds = static_cast<std::uint32_t>(10 * (f + 1));
    }
    frames[1].transparentIndex = 3;
    GifOptions options;
    options.loopCount = 3;
    Bytes out;
    EncodeGif(frames, options, out);
    return out;
}

Bytes MakeTwoPageTiff() {
    Bytes rgb(5 * 4 * 3), rgba(3 * 2 * 4);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 11);
    }
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 255 : i * 13);
    }
    EncoderImage pages[2];
    pages[0] = {5, 4, PixelLayout::Bgr8, rgb, 15, {}, 150, 150};
    pages[1] = {3, 2, PixelLayout::Bgra8, rgba, 12, {}, 72, 72};
    Bytes out;
    EncodeTiff(pages, {}, out);
    return out;
}

std::optional<FrameBuffer> VectorSink::Allocate(std::size_t index, const NativeFrame& frame) {
    ++allocations;
    if (index != frames.size()) {
        return std::nullopt;
    }
    // A stride wider than the row, so a decoder that assumes tight rows shows.
    const std::size_t stride = (*LayoutRowBytes(frame.layout, frame.width) + 3) / 4 * 4 + 8;
    frames.emplace_back(stride * frame.height, 0xCD);
    strides.push_back(stride);
    return FrameBuffer{frames.back().data(), stride};
}

} // namespace vellumark::codecs::native::testing
