// vellumark-bench: every benchmark case this build has, in one process.
// Runs headless: the tick cases open the real window on Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "bench/bench_cases.h"
#include "platform/picture_memory.h"

#ifdef VELLUMARK_BENCH_TICK
#include <QApplication>
#endif

int main(int argc, char** argv) {
    // As the program does: the avatars reuse picture-sized memory.
    vellumark::platform::KeepPictureMemoryForReuse();
#ifdef VELLUMARK_BENCH_TICK
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    vellumark::bench::RegisterCodecBenchmarks();
#ifdef VELLUMARK_BENCH_FILL
    vellumark::bench::RegisterFillBenchmarks();
#endif
#ifdef VELLUMARK_BENCH_AVATAR
    vellumark::bench::RegisterAvatarBenchmarks();
#endif
#ifdef VELLUMARK_BENCH_TICK
    vellumark::bench::RegisterTickBenchmarks();
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
