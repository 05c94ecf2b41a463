#include "MessageWindow.h"

#include "Application.h"
#include "EOutOfResources.h"

#include <QTimerEvent>

MessageWindow::MessageWindow(TimerHandler handler)
    : QObject(nullptr)
    , m_handler(std::move(handler))
{
    setObjectName(QStringLiteral("MessageWindow"));
}

MessageWindow::~MessageWindow()
{
    const QList<int> numbers = m_timers.keys();
    for (int number : numbers)
        stopTimer(number);
}

void MessageWindow::setTimer(int number, int intervalMs)
{
    stopTimer(number);
    const int id = startTimer(intervalMs);
    if (id == 0)
        throw EOutOfResources(tr("Not enough timers available"));
    m_timers.insert(number, id);
}

void MessageWindow::stopTimer(int number)
{
    const auto it = m_timers.find(number);
    if (it == m_timers.end())
        return;
    killTimer(it.value());
    m_timers.erase(it);
}

void MessageWindow::timerEvent(QTimerEvent *event)
{
    int number = 0;
    bool ours = false;
    for (auto it = m_timers.cbegin(); it != m_timers.cend(); ++it)
        if (it.value() == event->timerId()) {
            number = it.key();
            ours = true;
        }
    if (!ours)
        return; // a tick queued before its timer ended
    Guarded([&] {
        if (m_handler)
            m_handler(number);
    });
}
