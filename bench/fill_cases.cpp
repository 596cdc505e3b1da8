// The fill stage through the flat API, as the avatar work does it: a blank
// side x side 32bppARGB canvas, a drawing surface on it and a clamped texture
// brush over the decoded source, then the ellipse. The source bitmap is made
// once, outside the timing; canvas, surface and brush are part of each run.
#include "bench/bench_cases.h"
#include "codecs/picture_decoder.h"

#include <gdiplus/gdiplus.h>

namespace vellumark::bench {
namespace {

// Starts the library for one benchmark and shuts it down after.
class LibraryRun {
public:
    LibraryRun() {
        const GdiplusStartupInput input{1, nullptr, 0, 0};
        started_ = GdiplusStartup(&token_, &input, nullptr) == Ok;
    }
    ~LibraryRun() {
        if (started_) {
            GdiplusShutdown(token_);
        }
    }
    LibraryRun(const LibraryRun&) = delete;
    LibraryRun& operator=(const LibraryRun&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

GpStatus FillDisc(GpBitmap source, INT side) {
    GpBitmap canvas = 0;
    GpGraphics surface = 0;
    GpTexture brush = 0;
    GpStatus status =
        GdipCreateBitmapFromScan0(side, side, 0, PixelFormat32bppARGB, nullptr, &canvas);
    if (status == Ok) {
        status = GdipGetImageGraphicsContext(canvas, &surface);
    }
    if (status == Ok) {
        status = GdipCreateTexture(source, WrapModeClamp, &brush);
    }
    if (status == Ok) {
        const auto extent = static_cast<REAL>(side);
        status = GdipFillEllipse(surface, brush, 0, 0, extent, extent);
    }
    GdipDeleteBrush(brush);
    GdipDeleteGraphics(surface);
    GdipDisposeImage(canvas);
    return status;
}

void Fill(benchmark::State& state, const BenchInput& input) {
    codecs::DecodeResult decoded = codecs::DecodePicture(input.file);
    LibraryRun library;
    if (!decoded.image || !library.started()) {
        state.SkipWithError("no source picture or no library");
        return;
    }
    const auto width = static_cast<INT>(decoded.image->width);
    const auto height = static_cast<INT>(decoded.image->height);
    // Decoded BGRA bytes are PixelFormat32bppARGB in memory on little-endian.
    GpBitmap source = 0;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                  decoded.image->pixels.data(), &source) != Ok) {
        state.SkipWithError("the source bitmap could not be made");
        return;
    }
    const INT side = std::min(width, height);
    for (auto _ : state) {
        if (FillDisc(source, side) != Ok) {
            state.SkipWithError("the fill failed");
            break;
        }
    }
    GdipDisposeImage(source);
}

} // namespace

void RegisterFillBenchmarks() {
    RegisterPerInput("Fill", Fill);
}

} // namespace vellumark::bench
