// One paint of each jumper drawing in each orientation: the picture drawn afresh in its
// horizontal frame, turned, and copied to the widget in one block (a synchronous repaint of a
// shown widget, backing store flush included).
#include "BenchSupport.h"
#include "Control.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QMetaEnum>
#include <QWidget>
#include <benchmark/benchmark.h>

using namespace Jumpers;

namespace {

template<class Jumper>
void paintJumper(benchmark::State &state, Jumper *jumper)
{
    const auto orientation = TOrientationType(state.range(0));
    QWidget host;
    host.resize(100, 100);
    jumper->setParent(&host);
    jumper->setOrientation(orientation);
    if (isVertical(orientation)) // as a description stores a standing jumper
        SetBounds(jumper, 10, 10, jumper->height(), jumper->width());
    Bench::PaintCounter counter;
    counter.watch(jumper);
    host.show();
    if (!Bench::ProcessUntil([&] { return counter.paints(jumper) > 0; })) {
        state.SkipWithError("The jumper was not painted.");
        return;
    }
    for (auto _ : state)
        jumper->repaint();
    state.SetLabel(QMetaEnum::fromType<TOrientationType>().valueToKey(orientation));
}

void BM_TwoJumperPaint(benchmark::State &state)
{
    auto *jumper = new TTwoJumper;
    jumper->setClosed(true);
    paintJumper(state, jumper);
}
BENCHMARK(BM_TwoJumperPaint)->DenseRange(otUp, otRight)->Unit(benchmark::kMicrosecond);

void BM_ThreeJumperPaint(benchmark::State &state)
{
    auto *jumper = new TThreeJumper;
    jumper->setJumperState(jsLeft);
    paintJumper(state, jumper);
}
BENCHMARK(BM_ThreeJumperPaint)->DenseRange(otUp, otRight)->Unit(benchmark::kMicrosecond);

} // namespace
