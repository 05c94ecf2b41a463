// The start-up harness: runs the program exactly as its entry does (the same application
// class, the same RunProgram with the real description and photograph) and watches, from the
// application object, for the main window's first paint with the photograph and its six
// rings, and then for the instructions window being shown and painted; then it ends the run.
//
//   bench_startup            one run; prints the wall and CPU time to the first paint, the
//                            wall time to the instructions window and the peak memory
//   bench_startup --smoke    the same, for CI: fails only when a milestone is never reached
//   bench_startup --idle N   after the instructions window and a second to settle, stays N
//                            seconds and counts the timer and other events the program's
//                            objects receive, and the CPU time used meanwhile
//
// first_paint_ms counts from BENCH_T0 when the script sets it (process start), else from main.
#include "GuardedApplication.h"
#include "PaintProbe.h"
#include "Startup.h"

#include <QHash>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int DeadlineMs = 30000;
constexpr int SettleMs = 1000;
constexpr int RingsOnTheBoard = 6;

QWidget *WindowOf(QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget ? widget->window() : nullptr;
}

// What the program did while it was left alone.
struct IdleCount
{
    QHash<QByteArray, int> timerEvents; // receiver class -> timer events
    QHash<QByteArray, int> otherEvents; // "receiver class, event type" -> events
    double cpuSeconds = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const double entered = Bench::WallSeconds();
    const double t0 = Bench::StartSeconds(entered);
    int idleSeconds = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--idle") && i + 1 < argc)
            idleSeconds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--smoke")) {
            std::fprintf(stderr, "usage: %s [--smoke] [--idle SECONDS]\n", argv[0]);
            return 2;
        }
    }

    // As the program entry does it.
    if (std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    int qtArgc = 1;
    char name[] = "Settings";
    char *qtArgv[] = {name, nullptr};
    Bench::ProbedApplication<GuardedApplication> application(qtArgc, qtArgv);
    GuardedApplication::setApplicationName(QStringLiteral("Settings"));

    QObject *boardImage = nullptr;
    QSet<QObject *> paintedRings;
    QWidget *instructions = nullptr;
    bool instructionsPainted = false;
    double firstPaint = 0, firstPaintCpu = 0, instructionsShown = 0;
    long rssAtFirstPaint = 0;
    bool idling = false;
    IdleCount idle;
    // The harness's own timers; their events are not counted. The last paints of the new
    // window settle first, as in bench/idle.sh.
    QTimer settle, idleEnd;
    settle.setSingleShot(true);
    idleEnd.setSingleShot(true);
    QObject::connect(&settle, &QTimer::timeout, [&] {
        idling = true;
        idle.cpuSeconds = Bench::CpuSeconds();
        idleEnd.start(idleSeconds * 1000);
    });
    QObject::connect(&idleEnd, &QTimer::timeout, [&] {
        idle.cpuSeconds = Bench::CpuSeconds() - idle.cpuSeconds;
        idling = false;
        QCoreApplication::exit(0);
    });

    application.beforeEvent = [&](QObject *receiver, QEvent *event) {
        if (idling) {
            if (receiver == &idleEnd)
                return;
            if (event->type() == QEvent::Timer)
                ++idle.timerEvents[receiver->metaObject()->className()];
            else
                ++idle.otherEvents[QByteArray(receiver->metaObject()->className()) + " type "
                                   + QByteArray::number(int(event->type()))];
            return;
        }
        if (event->type() == QEvent::Paint) {
            if (receiver->inherits("TBoardImage"))
                boardImage = receiver;
            else if (receiver->inherits("TBoardHighlight") && boardImage)
                paintedRings.insert(receiver);
            else if (instructions && WindowOf(receiver) == instructions)
                instructionsPainted = true;
        } else if (event->type() == QEvent::Show && receiver->inherits("THelpForm")) {
            instructions = static_cast<QWidget *>(receiver);
        }
    };
    application.afterOutermostEvent = [&] {
        if (!firstPaint && boardImage && paintedRings.size() >= RingsOnTheBoard) {
            firstPaint = Bench::WallSeconds();
            firstPaintCpu = Bench::CpuSeconds();
            rssAtFirstPaint = Bench::MaxRssKb();
        }
        if (firstPaint && !instructionsShown && instructions && instructionsPainted) {
            instructionsShown = Bench::WallSeconds();
            if (idleSeconds <= 0) {
                QCoreApplication::exit(0);
                return;
            }
            settle.start(SettleMs);
        }
    };
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    deadline.start(DeadlineMs + SettleMs + idleSeconds * 1000);

    const int code = RunProgram();

    if (!firstPaint || !instructionsShown) {
        std::fprintf(stderr, "bench_startup: %s was never reached (exit code %d)\n",
                     !firstPaint ? "the first paint with the photograph and its six rings"
                                 : "the instructions window",
                     code);
        return 1;
    }
    std::printf("first_paint_ms %.2f\n", (firstPaint - t0) * 1e3);
    std::printf("main_to_first_paint_ms %.2f\n", (firstPaint - entered) * 1e3);
    std::printf("first_paint_cpu_ms %.2f\n", firstPaintCpu * 1e3);
    std::printf("instructions_ms %.2f\n", (instructionsShown - t0) * 1e3);
    std::printf("first_paint_max_rss_kb %ld\n", rssAtFirstPaint);
    std::printf("max_rss_kb %ld\n", Bench::MaxRssKb());
    if (idleSeconds > 0) {
        std::printf("idle_seconds %d\nidle_cpu_ms %.2f\n", idleSeconds, idle.cpuSeconds * 1e3);
        for (auto it = idle.otherEvents.cbegin(); it != idle.otherEvents.cend(); ++it)
            std::printf("idle_other_events %s %d\n", it.key().constData(), it.value());
        int timers = 0;
        for (auto it = idle.timerEvents.cbegin(); it != idle.timerEvents.cend(); ++it) {
            std::printf("idle_timer_events %s %d\n", it.key().constData(), it.value());
            timers += it.value();
        }
        std::printf("idle_timer_events_total %d\n", timers);
    }
    return code;
}
