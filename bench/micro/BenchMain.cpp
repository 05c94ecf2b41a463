// The micro-benchmarks' entry: Google Benchmark's flags, then the program's own application
// object and preparation (fonts, picture converter, classes), since the benchmarked widgets
// need them. Runs on the offscreen platform unless another one is chosen.
#include "GuardedApplication.h"
#include "Startup.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    int qtArgc = 1;
    char name[] = "Settings";
    char *qtArgv[] = {name, nullptr};
    GuardedApplication application(qtArgc, qtArgv);
    GuardedApplication::setApplicationName(QStringLiteral("Settings"));
    PrepareApplication();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
