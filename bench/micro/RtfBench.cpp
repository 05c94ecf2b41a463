// The instructions window's text: the supporter assembling its RTF from the product's names,
// and the RTF reader building the rich-text document from it.
#include "BenchSupport.h"
#include "RtfReader.h"
#include "TMainForm.h"
#include "TSetupSupporter.h"

#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

void BM_InstructionsRtfAssemble(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(false);
    for (auto _ : state) {
        QByteArray rtf = form->SetSup->InstructionsRtf().toLatin1();
        benchmark::DoNotOptimize(rtf.constData());
    }
}
BENCHMARK(BM_InstructionsRtfAssemble)->Unit(benchmark::kMicrosecond);

void BM_InstructionsRtfRead(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(false);
    const QByteArray rtf = form->SetSup->InstructionsRtf().toLatin1();
    QTextDocument document;
    for (auto _ : state) {
        QString warning;
        if (!RtfReader::read(rtf, &document, &warning)) {
            state.SkipWithError(qPrintable(warning));
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_InstructionsRtfRead)->Unit(benchmark::kMicrosecond);

} // namespace
