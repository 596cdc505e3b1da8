// The stages of the avatar work on their own: decoding the source (at full
// size, as the avatar work does, and reduced, as a 40 x 40 box may), and
// encoding the disc canvas as PNG: at the encoder's default level, and at
// level 1 (what the library's PNG save uses) on one band and on the
// automatic bands (two threads on two cores).
// The floor (floor_avatar.h) runs here too, as the yardstick of the whole job.
#include "bench/bench_cases.h"
#include "bench/floor_avatar.h"
#include "codecs/encoders/png_encoder.h"
#include "codecs/picture_decoder.h"

namespace vellumark::bench {
namespace {

void Decode(benchmark::State& state, const BenchInput& input, codecs::DecodeOptions options) {
    for (auto _ : state) {
        codecs::DecodeResult decoded = codecs::DecodePicture(input.file, options);
        if (!decoded.image) {
            state.SkipWithError("the input did not decode");
            return;
        }
        benchmark::DoNotOptimize(decoded.image->pixels.data());
    }
}

void EncodeDisc(benchmark::State& state, const BenchInput& input,
                const codecs::PngOptions& options) {
    const codecs::DecodeResult decoded = codecs::DecodePicture(input.file);
    if (!decoded.image) {
        state.SkipWithError("the input did not decode");
        return;
    }
    const std::uint32_t side = std::min(decoded.image->width, decoded.image->height);
    const std::vector<std::uint8_t> canvas =
        CutTopLeftDisc(decoded.image->pixels, decoded.image->width, side);
    codecs::EncoderImage image;
    image.width = side;
    image.height = side;
    image.pixels = canvas;
    image.stride = std::size_t{side} * 4;
    codecs::ByteBuffer png;
    for (auto _ : state) {
        if (codecs::EncodePng(image, options, png) != codecs::EncodeError::None) {
            state.SkipWithError("the encoder failed");
            return;
        }
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["png_bytes"] = static_cast<double>(png.size());
}

void Floor(benchmark::State& state, const BenchInput& input) {
    std::vector<std::uint8_t> png;
    for (auto _ : state) {
        png = FloorAvatarPng(input.file);
        benchmark::DoNotOptimize(png.data());
    }
    if (png.empty()) {
        state.SkipWithError("the floor made no PNG");
    }
    state.counters["png_bytes"] = static_cast<double>(png.size());
}

} // namespace

void RegisterCodecBenchmarks() {
    RegisterPerInput("Decode", [](benchmark::State& state, const BenchInput& input) {
        Decode(state, input, {});
    });
    // What a 40 x 40 avatar box asks of a picture it shows.
    RegisterPerInput("DecodeForBox", [](benchmark::State& state, const BenchInput& input) {
        Decode(state, input, {40, 40});
    });
    RegisterPerInput("EncodePngDefaultLevel", [](benchmark::State& state, const BenchInput& input) {
        EncodeDisc(state, input, codecs::PngOptions{});
    });
    RegisterPerInput("EncodePngLevel1OneBand",
                     [](benchmark::State& state, const BenchInput& input) {
                         codecs::PngOptions options{codecs::PngFilter::Up, 1};
                         options.bands = 1;
                         options.threads = 1;
                         EncodeDisc(state, input, options);
                     });
    RegisterPerInput("EncodePngLevel1", [](benchmark::State& state, const BenchInput& input) {
        EncodeDisc(state, input, {codecs::PngFilter::Up, 1});
    });
    RegisterPerInput("Floor", Floor);
}

} // namespace vellumark::bench
