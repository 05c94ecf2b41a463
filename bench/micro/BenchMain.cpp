// The micro-benchmarks' entry: Google Benchmark's flags, then the program's own application
// object and preparation (fonts, picture converter, classes), since the benchmarked widgets
// need them. Runs on the offscreen platform unless another one is chosen.
#include "Application.h"
#include "GuardedApplication.h"
#include "Startup.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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
    // A box would wait for a click nobody gives; a benchmark whose code raised one is broken.
    Application::instance()->setMessageBoxFunction([](const QString &text, const QString &, unsigned) {
        std::fprintf(stderr, "bench_micro: message box: %s\n", qPrintable(text));
        std::exit(1);
        return MessageBoxResult::Ok;
    });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
