#include "tiff_encoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <tiffio.h>

namespace vellumark::codecs {

namespace {

constexpr std::size_t kMaxPages = 10000;

// The growable file libtiff writes into (and reads back while it updates
// directory links).
struct MemoryFile {
    ByteBuffer data;
    std::uint64_t position = 0;
};

MemoryFile& FileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& file = FileOf(handle);
    if (size < 0 || file.position >= file.data.size()) {
        return 0;
    }
    const std::size_t n =
        std::min(static_cast<std::size_t>(size), file.data.size() - file.position);
    std::memcpy(buffer, file.data.data() + file.position, n);
    file.position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& file = FileOf(handle);
    if (size < 0 || file.position + static_cast<std::uint64_t>(size) > 2 * kMaxEncodeImageBytes) {
        return -1;
    }
    const std::size_t end = file.position + static_cast<std::size_t>(size);
    if (end > file.data.size()) {
        file.data.resize(end);
    }
    std::memcpy(file.data.data() + file.position, buffer, static_cast<std::size_t>(size));
    file.position = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& file = FileOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = file.position;
    } else if (whence == SEEK_END) {
        base = file.data.size();
    }
    // libtiff passes relative moves as unsigned values; wrap-around gives
    // a backward move.
    file.position = base + offset;
    return file.position;
}

int CloseProc(thandle_t) {
    return 0;
}
toff_t SizeProc(thandle_t handle) {
    return FileOf(handle).data.size();
}
int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int QuietHandler(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

enum class Bilevel { No, BlackIsZero, WhiteIsZero };

Bilevel BilevelKind(const EncoderImage& image) {
    if (image.layout != PixelLayout::Indexed1 || image.palette.size() < 2) {
        return Bilevel::No;
    }
    const std::uint32_t first = image.palette[0] & 0xFFFFFFu;
    const std::uint32_t second = image.palette[1] & 0xFFFFFFu;
    if (first == 0 && second == 0xFFFFFFu) {
        return Bilevel::BlackIsZero;
    }
    return first == 0xFFFFFFu && second == 0 ? Bilevel::WhiteIsZero : Bilevel::No;
}

bool IsCcitt(TiffCompression c) {
    return c == TiffCompression::CcittRle || c == TiffCompression::CcittGroup3 ||
           c == TiffCompression::CcittGroup4;
}

std::uint16_t TagFor(TiffCompression c) {
    switch (c) {
    case TiffCompression::None:
        return COMPRESSION_NONE;
    case TiffCompression::Lzw:
        return COMPRESSION_LZW;
    case TiffCompression::CcittRle:
        return COMPRESSION_CCITTRLE;
    case TiffCompression::CcittGroup3:
        return COMPRESSION_CCITTFAX3;
    case TiffCompression::CcittGroup4:
        return COMPRESSION_CCITTFAX4;
    case TiffCompression::PackBits:
        return COMPRESSION_PACKBITS;
    case TiffCompression::Deflate:
        return COMPRESSION_ADOBE_DEFLATE;
    }
    return COMPRESSION_NONE;
}

// Fields of one page; false when libtiff refuses one.
bool SetPageFields(TIFF* tiff, const EncoderImage& image, std::uint16_t compression,
                   std::uint16_t page, std::uint16_t pageCount) {
    std::uint16_t samples = 1;
    std::uint16_t bits = 8;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    switch (image.layout) {
    case PixelLayout::Bgra8:
    case PixelLayout::Rgba16:
        samples = 4;
        photometric = PHOTOMETRIC_RGB;
        break;
    case PixelLayout::Bgr8:
    case PixelLayout::Rgb16:
        samples = 3;
        photometric = PHOTOMETRIC_RGB;
        break;
    case PixelLayout::Gray8:
        break;
    default: {
        const Bilevel bilevel = BilevelKind(image);
        photometric = bilevel == Bilevel::BlackIsZero   ? PHOTOMETRIC_MINISBLACK
                      : bilevel == Bilevel::WhiteIsZero ? PHOTOMETRIC_MINISWHITE
                                                        : PHOTOMETRIC_PALETTE;
        break;
    }
    }
    bits = static_cast<std::uint16_t>(BitsPerPixel(image.layout) / samples);
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, image.width) == 1 &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, image.height) == 1 &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) == 1 &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits) == 1 &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric) == 1 &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1 &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression) == 1;
    if (ok && samples == 4) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra) == 1;
    }
    if (ok && photometric == PHOTOMETRIC_PALETTE) {
        const std::size_t entries = std::size_t{1} << bits;
        std::vector<std::uint16_t> red(entries), green(entries), blue(entries);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint32_t argb = PaletteEntry(image, i);
            red[i] = static_cast<std::uint16_t>(((argb >> 16) & 0xFF) * 257);
            green[i] = static_cast<std::uint16_t>(((argb >> 8) & 0xFF) * 257);
            blue[i] = static_cast<std::uint16_t>((argb & 0xFF) * 257);
        }
        ok = TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data()) == 1;
    }
    if (ok && image.dpiX > 0 && image.dpiY > 0 && image.dpiX < 1e9 && image.dpiY < 1e9) {
        ok = TIFFSetField(tiff, TIFFTAG_XRESOLUTION, image.dpiX) == 1 &&
             TIFFSetField(tiff, TIFFTAG_YRESOLUTION, image.dpiY) == 1 &&
             TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) == 1;
    }
    if (ok && pageCount > 1) {
        ok = TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE) == 1 &&
             TIFFSetField(tiff, TIFFTAG_PAGENUMBER, page, pageCount) == 1;
    }
    return ok && TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0)) == 1;
}

// A row in TIFF's sample order: RGBA for Bgra8, RGB for Bgr8, as is for
// the rest (16-bit samples stay in host order, which libtiff records).
void ToTiffSamples(PixelLayout layout, std::span<const std::uint8_t> src, std::uint8_t* dst) {
    std::copy(src.begin(), src.end(), dst);
    if (layout == PixelLayout::Bgra8 || layout == PixelLayout::Bgr8) {
        const std::size_t n = layout == PixelLayout::Bgra8 ? 4 : 3;
        for (std::size_t i = 0; i < src.size(); i += n) {
            std::swap(dst[i], dst[i + 2]);
        }
    }
}

bool WritePage(TIFF* tiff, const EncoderImage& image, std::uint16_t compression, std::uint16_t page,
               std::uint16_t pageCount) {
    if (!SetPageFields(tiff, image, compression, page, pageCount)) {
        return false;
    }
    ByteBuffer line(RowBytes(image.layout, image.width));
    for (std::uint32_t y = 0; y < image.height; ++y) {
        ToTiffSamples(image.layout, ImageRow(image, y), line.data());
        if (TIFFWriteScanline(tiff, line.data(), y, 0) != 1) {
            return false;
        }
    }
    return TIFFWriteDirectory(tiff) == 1;
}

} // namespace

EncodeError EncodeTiff(std::span<const EncoderImage> pages, const TiffOptions& options,
                       ByteBuffer& out) {
    if (pages.empty()) {
        return EncodeError::InvalidImage;
    }
    if (pages.size() > kMaxPages) {
        return EncodeError::OverLimit;
    }
    if (options.compression < TiffCompression::None ||
        options.compression > TiffCompression::Deflate) {
        return EncodeError::InvalidOptions;
    }
    for (const EncoderImage& page : pages) {
        if (const EncodeError error = ValidateImage(page); error != EncodeError::None) {
            return error;
        }
        if (IsCcitt(options.compression) && BilevelKind(page) == Bilevel::No) {
            return EncodeError::Unsupported;
        }
    }

    MemoryFile file;
    bool ok = false;
    {
        std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> openOptions(
            TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
        if (!openOptions) {
            return EncodeError::CodecFailure;
        }
        TIFFOpenOptionsSetErrorHandlerExtR(openOptions.get(), QuietHandler, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(openOptions.get(), QuietHandler, nullptr);
        const std::unique_ptr<TIFF, TiffCloser> tiff(
            TIFFClientOpenExt("memory", "w", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                              SizeProc, MapProc, UnmapProc, openOptions.get()));
        if (!tiff) {
            return EncodeError::CodecFailure;
        }
        const std::uint16_t compression = TagFor(options.compression);
        const auto count = static_cast<std::uint16_t>(pages.size());
        ok = true;
        for (std::size_t i = 0; ok && i < pages.size(); ++i) {
            ok = WritePage(tiff.get(), pages[i], compression, static_cast<std::uint16_t>(i), count);
        }
    } // closing flushes the last directory
    if (!ok) {
        return EncodeError::CodecFailure;
    }
    out = std::move(file.data);
    return EncodeError::None;
}

} // namespace vellumark::codecs
