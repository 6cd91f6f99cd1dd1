// The benchmark program. One desktop connection (offscreen) serves every benchmark that shows
// windows or waits in Qt's loop, made before the first benchmark and gone at the end of main, as
// the program's own main has it. Made by the benchmarks as they first needed it, there were two
// (one per benchmark file, and Qt's application object is one per process), a benchmark run
// alone made its windows before any, and the one left to an exit handler was destroyed after
// parts of Qt it still held: the program died with a segmentation fault after its last figure.

#include "platform/win/desktop.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    platform::win::TDesktop desktop(argc, argv, /*headless=*/true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
