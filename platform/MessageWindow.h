// A hidden receiver of numbered timers: timer 1, timer 2, ... each with its own period, all
// reported to one handler with the timer's number. Components that need a periodic tick on
// the GUI thread (the setup supporter's 100 ms timer) own one. It has no window on screen.
#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class MessageWindow : public QObject
{
    Q_OBJECT
public:
    using TimerHandler = std::function<void(int number)>;

    // handler runs for every tick of every timer, guarded: an exception escaping it is shown
    // in the application's error box and the timers go on.
    explicit MessageWindow(TimerHandler handler = {});
    // Ends all timers.
    ~MessageWindow() override;

    void setHandler(TimerHandler handler) { m_handler = std::move(handler); }

    // Starts timer number with the given period, ending a running timer of that number first
    // (so the period starts anew). Raises EOutOfResources "Not enough timers available" when
    // the platform refuses the timer; no timer of that number runs then.
    void setTimer(int number, int intervalMs);
    // Ends timer number; nothing happens when it does not run.
    void stopTimer(int number);
    bool isTimerActive(int number) const { return m_timers.contains(number); }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    TimerHandler m_handler;
    QHash<int, int> m_timers; // our number -> Qt's timer id
};
