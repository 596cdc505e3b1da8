#include "codecs/native/tiff_native.h"

#include "codecs/native/frame_allocator.h"
#include "codecs/native/native_limits.h"
#include "codecs/native/property_items.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
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

DecodeError ReadPage(TIFF* tiff, FrameAllocator& frames) {
    std::uint32_t width = 0, height = 0;
    if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0) {
        return DecodeError::Malformed;
    }
    if (!WithinPixelLimits(width, height)) {
        return DecodeError::OverLimit;
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
