// The start-up baseline: the least a Qt program needs to show the same photograph, decoded
// by the same decoder from bytes compiled in the same way, drawn stretched and filtered into a
// maximized window. It ends after its first paint and prints the same figures, measured in the
// same way (PaintProbe.h), as the start-up harness.
//
//   bench_baseline [--smoke] [--menu]
//
// --menu adds a menu bar with the main window's three titles above the photograph: the same
// plain program, but one that draws text, so that it pays what any window with text pays
// first (fontconfig's set-up, the font database, a font) and shows how much of the program's
// start-up is that.
#include "JpegDecoder.h"
#include "PaintProbe.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

class PhotoWidget : public QWidget
{
public:
    explicit PhotoWidget(QImage image) : m_image(std::move(image)) { setAttribute(Qt::WA_OpaquePaintEvent); }
    bool painted = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_image);
        painted = true;
    }

private:
    QImage m_image;
};

} // namespace

int main(int argc, char **argv)
{
    const double entered = Bench::WallSeconds();
    const double t0 = Bench::StartSeconds(entered);
    bool withMenu = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--menu"))
            withMenu = true;
        else if (std::strcmp(argv[i], "--smoke")) {
            std::fprintf(stderr, "usage: %s [--smoke] [--menu]\n", argv[0]);
            return 2;
        }
    }
    int qtArgc = 1;
    char name[] = "Baseline";
    char *qtArgv[] = {name, nullptr};
    Bench::ProbedApplication<QApplication> application(qtArgc, qtArgv);

    QFile file(QStringLiteral(":/baseline/board.jpg"));
    QString error;
    const QImage image = file.open(QIODevice::ReadOnly) ? JpegDecoder::decode(file.readAll(), &error) : QImage();
    if (image.isNull()) {
        std::fprintf(stderr, "bench_baseline: cannot decode the photograph: %s\n", qPrintable(error));
        return 1;
    }
    auto *photo = new PhotoWidget(image);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setCentralWidget(photo);
    bool menuPainted = !withMenu;
    if (withMenu) {
        for (const char *title : {"&File", "&Settings", "&Help"})
            window.menuBar()->addMenu(QString::fromLatin1(title));
    }
    double firstPaint = 0, firstPaintCpu = 0;
    long rssAtFirstPaint = 0;
    application.beforeEvent = [&](QObject *receiver, QEvent *event) {
        if (event->type() == QEvent::Paint && withMenu && receiver == window.menuBar())
            menuPainted = true;
    };
    application.afterOutermostEvent = [&] {
        if (!firstPaint && photo->painted && menuPainted) {
            firstPaint = Bench::WallSeconds();
            firstPaintCpu = Bench::CpuSeconds();
            rssAtFirstPaint = Bench::MaxRssKb();
            QCoreApplication::exit(0);
        }
    };
    window.showMaximized();
    const int code = QApplication::exec();
    if (!firstPaint) {
        std::fprintf(stderr, "bench_baseline: the window was never painted\n");
        return 1;
    }
    std::printf("first_paint_ms %.2f\n", (firstPaint - t0) * 1e3);
    std::printf("main_to_first_paint_ms %.2f\n", (firstPaint - entered) * 1e3);
    std::printf("first_paint_cpu_ms %.2f\n", firstPaintCpu * 1e3);
    std::printf("first_paint_max_rss_kb %ld\n", rssAtFirstPaint);
    std::printf("max_rss_kb %ld\n", Bench::MaxRssKb());
    return code;
}
