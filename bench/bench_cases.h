// The benchmark cases, one family a file, registered by bench_main.cpp for
// whichever parts of the program this build has. All run in one process so
// that the ratios between them (the avatar work against the floor) come from
// one run on one machine state.
#pragma once

#include "bench/photo_inputs.h"

#include <benchmark/benchmark.h>
#include <string>

namespace vellumark::bench {

void RegisterCodecBenchmarks();  // decode, decode for a box, PNG encode, the floor
void RegisterFillBenchmarks();   // the clamped-texture disc fill through the flat API
void RegisterAvatarBenchmarks(); // the whole avatar work and the start-up pass
void RegisterTickBenchmarks();   // one mirroring tick on the real window

// Registers `run` once per standard input as "family/input-name", timed in
// milliseconds of wall-clock time.
template <typename Run> void RegisterPerInput(const std::string& family, Run run) {
    for (const BenchInput& input : StandardInputs()) {
        benchmark::RegisterBenchmark((family + "/" + input.name).c_str(),
                                     [run, &input](benchmark::State& state) { run(state, input); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace vellumark::bench
