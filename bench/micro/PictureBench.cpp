// The board photograph: decoding the JPEG, scaling it into the board image's area (what the
// board image does once per size), and one repaint of the board image (a block copy).
#include "BenchSupport.h"
#include "JpegDecoder.h"
#include "TBoardImage.h"
#include "TJPEGImage.h"
#include "TMainForm.h"

#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_JpegDecode(benchmark::State &state)
{
    const QByteArray jpeg = Bench::BoardJpeg();
    for (auto _ : state) {
        QImage image = JpegDecoder::decode(jpeg);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * jpeg.size());
}
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond);

void BM_TJPEGImageLoad(benchmark::State &state)
{
    const QByteArray jpeg = Bench::BoardJpeg();
    for (auto _ : state) {
        TJPEGImage graphic;
        QString error;
        if (!graphic.LoadFromBytes(jpeg, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        benchmark::DoNotOptimize(graphic.Image().constBits());
    }
}
BENCHMARK(BM_TJPEGImageLoad)->Unit(benchmark::kMillisecond);

// The stretched draw of the photograph into the product's 662 x 296 area.
void BM_BoardStretchDraw(benchmark::State &state)
{
    TJPEGImage graphic;
    QString error;
    if (!graphic.LoadFromBytes(Bench::BoardJpeg(), &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    QImage target(662, 296, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        graphic.Draw(painter, target.rect());
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_BoardStretchDraw)->Unit(benchmark::kMicrosecond);

// The board image's own painted image rebuilt: background and the stretched photograph.
void BM_BoardPaintedImage(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(false);
    TBoardImage *board = form->BoardImage1;
    bool white = false;
    for (auto _ : state) {
        // A colour change is the cheapest way to make it draw again; it changes nothing else.
        white = !white;
        board->setColor(white ? 0x00FFFFFF : 0x00FFFFFE);
        benchmark::DoNotOptimize(board->PaintedImage().constBits());
    }
}
BENCHMARK(BM_BoardPaintedImage)->Unit(benchmark::kMicrosecond);

// One repaint of the shown board image (its circles are children and repaint with it).
void BM_BoardImageRepaint(benchmark::State &state)
{
    auto form = Bench::MakeMainForm(true);
    for (auto _ : state)
        form->BoardImage1->repaint();
}
BENCHMARK(BM_BoardImageRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
