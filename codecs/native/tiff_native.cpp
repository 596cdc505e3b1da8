#include "codecs/native/tiff_native.h"

#include "codecs/checked_size.h"
#include "codecs/native/frame_allocator.h"
#include "codecs/native/native_limits.h"
#include "codecs/native/property_items.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <tiffio.h>

namespace vellumark::codecs::native {

namespace {

struct MemoryFile {
    std::span<const std::uint8_t> data;
    toff_t position = 0;
};

tmsize_t ReadMemory(thandle_t handle, void* target, tmsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (size < 0 || file->position >= file->data.size()) {
        return 0;
    }
    const auto count =
        std::min<toff_t>(static_cast<toff_t>(size), file->data.size() - file->position);
    std::memcpy(target, file->data.data() + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    const toff_t base = whence == SEEK_CUR   ? file->position
                        : whence == SEEK_END ? file->data.size()
                                             : 0;
    file->position = base + offset;
    return file->position;
}

int CloseMemory(thandle_t) {
    return 0;
}

toff_t SizeOfMemory(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->data.size();
}

int NoMapping(thandle_t, void**, toff_t*) {
    return 0;
}

void NoUnmapping(thandle_t, void*, toff_t) {}

int Silence(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

void ReadResolution(TIFF* tiff, NativePicture& out) {
    float x = 0, y = 0;
    std::uint16_t unit = RESUNIT_INCH;
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) != 1 ||
        TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y) != 1) {
        return;
    }
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (!(x > 0) || !(y > 0) || !std::isfinite(x) || !std::isfinite(y) ||
        (unit != RESUNIT_INCH && unit != RESUNIT_CENTIMETER)) {
        return;
    }
    const double scale = unit == RESUNIT_CENTIMETER ? 2.54 : 1.0;
    out.dpiX = static_cast<double>(x) * scale;
    out.dpiY = static_cast<double>(y) * scale;
    out.realDpi = true;
    AddProperty(out, RationalItem(kTagXResolution, static_cast<std::uint32_t>(std::lround(x)), 1));
    AddProperty(out, RationalItem(kTagYResolution, static_cast<std::uint32_t>(std::lround(y)), 1));
    AddProperty(out, ShortItem(kTagResolutionUnit, {&unit, 1}));
}

// A page the stored layouts can hold: bilevel, grey and palette pages of
// 1, 4 or 8 bits as indexed; 16-bit grey and RGB as 48-bit, 16-bit RGB
// with alpha as 64-bit. Strips only, samples interleaved.
struct StoredPage {
    NativeLayout layout = NativeLayout::Bgr24;
    std::uint16_t photometric = 0;
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
    bool associatedAlpha = false;
};

std::optional<StoredPage> StoredPageOf(TIFF* tiff) {
    StoredPage page;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraKinds = nullptr;
    if (TIFFIsTiled(tiff) != 0 || TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &page.photometric) != 1) {
        return std::nullopt;
    }
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &page.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &page.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds);
    if (planar != PLANARCONFIG_CONTIG) {
        return std::nullopt;
    }
    const bool grey =
        page.photometric == PHOTOMETRIC_MINISBLACK || page.photometric == PHOTOMETRIC_MINISWHITE;
    const bool indexedDepth = page.bits == 1 || page.bits == 4 || page.bits == 8;
    if ((grey || page.photometric == PHOTOMETRIC_PALETTE) && page.samples == 1 && indexedDepth) {
        page.layout = page.bits == 1   ? NativeLayout::Indexed1
                      : page.bits == 4 ? NativeLayout::Indexed4
                                       : NativeLayout::Indexed8;
        return page;
    }
    if (page.bits != 16) {
        return std::nullopt;
    }
    if (grey && page.samples == 1) {
        page.layout = NativeLayout::Bgr48;
        return page;
    }
    if (page.photometric == PHOTOMETRIC_RGB && page.samples == 3) {
        page.layout = NativeLayout::Bgr48;
        return page;
    }
    if (page.photometric == PHOTOMETRIC_RGB && page.samples == 4 && extraCount == 1) {
        page.layout = NativeLayout::Bgra64;
        page.associatedAlpha = extraKinds[0] == EXTRASAMPLE_ASSOCALPHA;
        return page;
    }
    return std::nullopt;
}

// Grey ramps for grey pages, the colour map (16-bit entries; old writers
// put 8-bit values there) for palette pages.
bool PaletteOf(TIFF* tiff, const StoredPage& page, std::vector<std::uint32_t>& palette) {
    const std::uint32_t entries = 1u << page.bits;
    if (page.photometric != PHOTOMETRIC_PALETTE) {
        const bool inverted = page.photometric == PHOTOMETRIC_MINISWHITE;
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::uint32_t level = i * 255 / (entries - 1);
            const std::uint32_t v = inverted ? 255 - level : level;
            palette.push_back(0xFF000000u | v << 16 | v << 8 | v);
        }
        return true;
    }
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) != 1) {
        return false;
    }
    const bool eightBit =
        std::all_of(red, red + entries, [](std::uint16_t v) { return v < 256; }) &&
        std::all_of(green, green + entries, [](std::uint16_t v) { return v < 256; }) &&
        std::all_of(blue, blue + entries, [](std::uint16_t v) { return v < 256; });
    const int shift = eightBit ? 0 : 8;
    for (std::uint32_t i = 0; i < entries; ++i) {
        palette.push_back(0xFF000000u |
                          std::uint32_t{static_cast<std::uint8_t>(red[i] >> shift)} << 16 |
                          std::uint32_t{static_cast<std::uint8_t>(green[i] >> shift)} << 8 |
                          static_cast<std::uint8_t>(blue[i] >> shift));
    }
    return true;
}

// One stored scan line (libtiff has put 16-bit samples in host order) as a
// row of the page's layout.
void WriteStoredRow(const StoredPage& page, std::span<const std::uint8_t> line, std::uint32_t width,
                    std::uint8_t* row) {
    if (page.bits != 16) {
        std::memcpy(row, line.data(), *LayoutRowBytes(page.layout, width));
        return;
    }
    const auto sample = [&](std::size_t index) -> std::uint16_t {
        std::uint16_t value = 0;
        std::memcpy(&value, line.data() + index * 2, 2);
        return value;
    };
    const bool inverted = page.photometric == PHOTOMETRIC_MINISWHITE;
    for (std::uint32_t x = 0; x < width; ++x) {
        std::uint16_t out[4] = {};
        if (page.samples == 1) {
            const std::uint16_t v = sample(x);
            out[0] = out[1] = out[2] = inverted ? static_cast<std::uint16_t>(0xFFFF - v) : v;
        } else {
            const std::size_t first = std::size_t{x} * page.samples;
            out[0] = sample(first + 2);
            out[1] = sample(first + 1);
            out[2] = sample(first);
            if (page.samples == 4) {
                out[3] = sample(first + 3);
                if (page.associatedAlpha && out[3] != 0) {
                    for (int c = 0; c < 3; ++c) {
                        out[c] = static_cast<std::uint16_t>(std::min<std::uint32_t>(
                            0xFFFF, (std::uint32_t{out[c]} * 0xFFFF + out[3] / 2) / out[3]));
                    }
                }
            }
        }
        const std::size_t pixelBytes = page.layout == NativeLayout::Bgra64 ? 8 : 6;
        std::memcpy(row + x * pixelBytes, out, pixelBytes);
    }
}

DecodeError ReadStoredPage(TIFF* tiff, const StoredPage& page, std::uint32_t width,
                           std::uint32_t height, FrameAllocator& frames) {
    NativeFrame frame{width, height, page.layout, {}};
    if (page.bits <= 8 && !PaletteOf(tiff, page, frame.palette)) {
        return DecodeError::Malformed;
    }
    const tmsize_t lineBytes = TIFFScanlineSize(tiff);
    const auto expected = RowBytes(width, std::uint32_t{page.bits} * page.samples, 1);
    if (lineBytes <= 0 || !expected || static_cast<std::size_t>(lineBytes) < *expected) {
        return DecodeError::Malformed;
    }
    FrameBuffer buffer;
    if (const DecodeError added = frames.Add(std::move(frame), buffer);
        added != DecodeError::None) {
        return added;
    }
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    for (std::uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) != 1) {
            return DecodeError::Malformed;
        }
        WriteStoredRow(page, line, width, buffer.scan0 + y * buffer.stride);
    }
    return DecodeError::None;
}

DecodeError ReadPage(TIFF* tiff, FrameAllocator& frames) {
    std::uint32_t width = 0, height = 0;
    if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0) {
        return DecodeError::Malformed;
    }
    if (!WithinPixelLimits(width, height)) {
        return DecodeError::OverLimit;
    }
    if (const std::optional<StoredPage> stored = StoredPageOf(tiff)) {
        return ReadStoredPage(tiff, *stored, width, height, frames);
    }
    std::uint16_t extraCount = 0;
    std::uint16_t* extraKinds = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds);
    const bool alpha = extraCount > 0;
    char message[1024] = {};
    if (TIFFRGBAImageOK(tiff, message) != 1) {
        return DecodeError::Unsupported;
    }
    FrameBuffer buffer;
    if (const DecodeError added = frames.Add(
            {width, height, alpha ? NativeLayout::Pbgra32 : NativeLayout::Bgr24, {}}, buffer);
        added != DecodeError::None) {
        return added;
    }
    // libtiff's reader writes whole-picture ABGR words; it premultiplies
    // unassociated alpha itself.
    std::vector<std::uint32_t> raster(std::size_t{width} * height);
    if (TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1) !=
        1) {
        return DecodeError::Malformed;
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* row = buffer.scan0 + y * buffer.stride;
        const std::uint32_t* source = raster.data() + std::size_t{y} * width;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t abgr = source[x];
            std::uint8_t* pixel = row + std::size_t{x} * (alpha ? 4 : 3);
            pixel[0] = static_cast<std::uint8_t>(TIFFGetB(abgr));
            pixel[1] = static_cast<std::uint8_t>(TIFFGetG(abgr));
            pixel[2] = static_cast<std::uint8_t>(TIFFGetR(abgr));
            if (alpha) {
                pixel[3] = static_cast<std::uint8_t>(TIFFGetA(abgr));
            }
        }
    }
    return DecodeError::None;
}

} // namespace

DecodeError DecodeTiff(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options) {
        return DecodeError::OverLimit;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(kMaxPixelCount * 4));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Silence, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Silence, nullptr);
    MemoryFile file{data, 0};
    std::unique_ptr<TIFF, TiffCloser> tiff(
        TIFFClientOpenExt("memory", "rm", &file, ReadMemory, RefuseWrite, SeekMemory, CloseMemory,
                          SizeOfMemory, NoMapping, NoUnmapping, options.get()));
    if (!tiff) {
        return DecodeError::Malformed;
    }
    out.format = NativeFormat::Tiff;
    out.dimension = FrameDimension::Page;
    ReadResolution(tiff.get(), out);
    FrameAllocator frames(sink, out);
    for (;;) {
        if (const DecodeError page = ReadPage(tiff.get(), frames); page != DecodeError::None) {
            return page;
        }
        if (TIFFLastDirectory(tiff.get()) != 0) {
            return DecodeError::None;
        }
        // A chain that points to a directory it cannot read is damaged.
        if (TIFFReadDirectory(tiff.get()) != 1) {
            return DecodeError::Malformed;
        }
    }
}

} // namespace vellumark::codecs::native
