// The highlight circles of the product's main form, shown as the program shows it: the three
// ring images rendered over what the board painted beneath each circle, and one repaint of a
// lit circle (a block copy of its lit image).
#include "BenchSupport.h"
#include "TBoardHighlight.h"
#include "TMainForm.h"

#include <benchmark/benchmark.h>

namespace {

QList<TBoardHighlight *> circlesOf(TMainForm *form)
{
    QList<TBoardHighlight *> circles;
    for (QWidget *widget : Bench::ChildrenOfClass(form, "TBoardHighlight"))
        circles.append(static_cast<TBoardHighlight *>(widget));
    return circles;
}

QString describe(const TBoardHighlight *circle)
{
    return QStringLiteral("%1 %2x%3").arg(circle->objectName()).arg(circle->width()).arg(circle->height());
}

void BM_RenderImagesAllCircles(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(true);
    const QList<TBoardHighlight *> circles = circlesOf(form.get());
    if (circles.size() != 6) {
        state.SkipWithError("The main form does not have six circles.");
        return;
    }
    for (auto _ : state)
        for (TBoardHighlight *circle : circles)
            circle->RenderImages();
}
BENCHMARK(BM_RenderImagesAllCircles)->Unit(benchmark::kMicrosecond);

void BM_RenderImages(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(true);
    const QList<TBoardHighlight *> circles = circlesOf(form.get());
    if (circles.size() <= state.range(0)) {
        state.SkipWithError("The main form has fewer circles.");
        return;
    }
    TBoardHighlight *circle = circles.at(state.range(0));
    for (auto _ : state)
        circle->RenderImages();
    state.SetLabel(qPrintable(describe(circle)));
}
BENCHMARK(BM_RenderImages)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// Lit without popups, so that only the circle's own painting is measured.
void BM_LitCircleRepaint(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(true);
    const QList<TBoardHighlight *> circles = circlesOf(form.get());
    if (circles.size() <= state.range(0)) {
        state.SkipWithError("The main form has fewer circles.");
        return;
    }
    for (TBoardHighlight *circle : circles)
        circle->setCreatePopup(false);
    TBoardHighlight *circle = circles.at(state.range(0));
    circle->MouseEnter(0);
    if (!circle->lit()) {
        state.SkipWithError("The circle did not light.");
        return;
    }
    for (auto _ : state)
        circle->repaint();
    state.SetLabel(qPrintable(describe(circle)));
}
BENCHMARK(BM_LitCircleRepaint)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

} // namespace
