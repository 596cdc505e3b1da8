// The whole avatar work from the file's bytes to the PNG's bytes, and the
// start-up pass: the nine layout pictures through the avatar work and then
// through the decode their 40 x 40 boxes do to show the new PNGs. The floor
// of the same nine pictures runs beside it for the ratio.
#include "avatar/circular_avatar.h"
#include "bench/bench_cases.h"
#include "bench/floor_avatar.h"
#include "bench/startup_pictures.h"
#include "codecs/picture_decoder.h"

namespace vellumark::bench {
namespace {

void Avatar(benchmark::State& state, const BenchInput& input) {
    Bytes png;
    for (auto _ : state) {
        png = avatar::MakeCircularAvatarPng(input.file);
        benchmark::DoNotOptimize(png.data());
    }
    if (png.empty()) {
        state.SkipWithError("the avatar work made no PNG");
    }
    state.counters["png_bytes"] = static_cast<double>(png.size());
}

void Startup(benchmark::State& state) {
    const std::vector<StartupPicture> pictures = StartupPictures();
    for (auto _ : state) {
        for (const StartupPicture& picture : pictures) {
            const Bytes png =
                avatar::MakeCircularAvatarPng(Bytes(picture.file.begin(), picture.file.end()));
            const codecs::DecodeResult shown =
                codecs::DecodePicture(png, {picture.boxWidth, picture.boxHeight});
            if (!shown.image) {
                state.SkipWithError("a start-up avatar did not decode");
                return;
            }
        }
    }
}

void StartupFloor(benchmark::State& state) {
    const std::vector<StartupPicture> pictures = StartupPictures();
    for (auto _ : state) {
        for (const StartupPicture& picture : pictures) {
            benchmark::DoNotOptimize(FloorAvatarPng(picture.file).data());
        }
    }
}

} // namespace

void RegisterAvatarBenchmarks() {
    RegisterPerInput("Avatar", Avatar);
    benchmark::RegisterBenchmark("Startup/nine-layout-avatars", Startup)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("StartupFloor/nine-layout-avatars", StartupFloor)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace vellumark::bench
