// Reading the product's description: the whole component tree with its properties, the
// photograph decoded, the references and handlers resolved, OnCreate run (the window hidden).
#include "BenchSupport.h"
#include "Startup.h"
#include "TMainForm.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CreateMainForm(benchmark::State &state)
{
    const QByteArray description = MainFormDescription();
    for (auto _ : state) {
        QString error;
        TMainForm *form = CreateMainForm(&error, description);
        if (!form) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        state.PauseTiming();
        delete form;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateMainForm)->Unit(benchmark::kMillisecond);

} // namespace
