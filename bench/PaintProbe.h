// Watches event delivery from the application object itself, so that a harness learns the
// moment a window's paint has really finished (after the outermost event that carried it
// returned, backing store flushed) without a hook in the program it measures. Both the
// start-up harness and the plain Qt baseline measure through it, so their figures compare.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <sys/resource.h>

namespace Bench {

// Seconds on the wall clock (CLOCK_REALTIME, the clock bash's EPOCHREALTIME reads).
inline double WallSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// When the process was started: BENCH_T0 (seconds, as bash's $EPOCHREALTIME prints them), set
// by the script right before it starts the program, so that loading and linking count too;
// without it the time the harness was entered, as passed in.
inline double StartSeconds(double fallback)
{
    if (const char *t0 = std::getenv("BENCH_T0")) {
        char *end = nullptr;
        const double value = std::strtod(t0, &end);
        if (end != t0 && value > 0)
            return value;
    }
    return fallback;
}

// CPU time (user and system, all threads) the process has used since it was started, loading
// and linking included; unlike wall time it hardly depends on what else the machine runs.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The peak resident set size so far, in KiB.
inline long MaxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template<class Base>
class ProbedApplication : public Base
{
public:
    using Base::Base;

    // Called for every event before it is delivered, at any depth (receiver, event).
    std::function<void(QObject *, QEvent *)> beforeEvent;
    // Called each time an outermost event has been delivered completely.
    std::function<void()> afterOutermostEvent;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (beforeEvent)
            beforeEvent(receiver, event);
        ++m_depth;
        const bool result = Base::notify(receiver, event);
        --m_depth;
        if (m_depth == 0 && afterOutermostEvent)
            afterOutermostEvent();
        return result;
    }

private:
    int m_depth = 0;
};

} // namespace Bench
