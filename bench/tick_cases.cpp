// One mirroring tick on the real window (offscreen): the 37 reads and writes
// of OnMirrorTick and the repaints they cause. Measured as process CPU time,
// which is what the tick costs the GUI thread. "Steady" ticks copy texts
// that have not changed; "AfterTyping" ticks follow a change to every edit
// box, so every label really changes and repaints.
#include "app/handlers.h"
#include "app/mirror_table.h"
#include "app/mockup_window.h"
#include "bench/bench_cases.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <array>
#include <cstdio>
#include <memory>

namespace vellumark::bench {
namespace {

std::unique_ptr<platform::Window> OpenWindow() {
    // Wait for the created handlers (start-up avatars), then let their
    // repaints go through, so ticks are measured on a settled window.
    QEventLoop started;
    auto window = app::CreateMockupWindow(
        {{platform::Event::Created, "", [&started](platform::Window&) { started.quit(); }}});
    started.exec();
    QCoreApplication::processEvents();
    return window;
}

void Tick(benchmark::State& state, bool afterTyping) {
    const std::unique_ptr<platform::Window> window = OpenWindow();
    long round = 0;
    for (auto _ : state) {
        if (afterTyping) {
            state.PauseTiming();
            std::array<char, 32> typed{};
            std::snprintf(typed.data(), typed.size(), "-%ld.00", ++round);
            for (const app::MirrorRow& row : app::kMirrorTable) {
                platform::WriteProperty(*window, row.editBox, platform::kPropertyText,
                                        Text(typed.data()));
            }
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        app::OnMirrorTick(*window);
        QCoreApplication::processEvents();
    }
}

} // namespace

void RegisterTickBenchmarks() {
    for (const bool afterTyping : {false, true}) {
        benchmark::RegisterBenchmark(
            afterTyping ? "Tick/AfterTyping" : "Tick/Steady",
            [afterTyping](benchmark::State& state) { Tick(state, afterTyping); })
            ->Unit(benchmark::kMicrosecond)
            ->MeasureProcessCPUTime();
    }
}

} // namespace vellumark::bench
