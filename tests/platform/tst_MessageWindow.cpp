#include "Application.h"
#include "EOutOfResources.h"
#include "MessageWindow.h"

#include <QAbstractEventDispatcher>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <stdexcept>

class TestMessageWindow : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Application::instance()->setMessageBoxFunction({}); }

    void shouldReportEachTimerByItsNumber()
    {
        QList<int> ticks;
        MessageWindow window([&](int number) { ticks.append(number); });
        window.setTimer(1, 10);
        window.setTimer(7, 10);
        QTRY_VERIFY(ticks.contains(1) && ticks.contains(7));
        QVERIFY(window.isTimerActive(1));
        QVERIFY(window.isTimerActive(7));
    }

    void shouldReplaceARunningTimerOfTheSameNumber()
    {
        MessageWindow window;
        window.setTimer(1, 50);
        window.setTimer(1, 60);
        QCOMPARE(QAbstractEventDispatcher::instance()->registeredTimers(&window).size(), 1);
        QCOMPARE(QAbstractEventDispatcher::instance()->registeredTimers(&window).first().interval, 60);
    }

    void shouldStopOnlyTheTimerNamed()
    {
        QList<int> ticks;
        MessageWindow window([&](int number) { ticks.append(number); });
        window.setTimer(1, 10);
        window.setTimer(2, 10);
        window.stopTimer(1);
        window.stopTimer(3); // never started: nothing happens
        QVERIFY(!window.isTimerActive(1));
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(&window);
        QCOMPARE(timers.size(), 1);
        ticks.clear();
        QTRY_VERIFY(ticks.count(2) >= 2);
        QVERIFY(!ticks.contains(1));
    }

    void shouldRaiseOutOfResourcesWhenTheTimerIsRefused()
    {
        // Qt refuses timers for an object of another thread.
        QThread other;
        auto *window = new MessageWindow;
        window->moveToThread(&other);
        try {
            window->setTimer(1, 100);
            QFAIL("no exception");
        } catch (const EOutOfResources &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Not enough timers available"));
        }
        QVERIFY(!window->isTimerActive(1));
        delete window;
    }

    void shouldShowAnEscapingExceptionAndTickOn()
    {
        QStringList boxes;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            boxes.append(text);
            return int(MessageBoxResult::Ok);
        });
        int ticks = 0;
        MessageWindow window([&](int) {
            if (++ticks == 1)
                throw std::runtime_error("tick failed");
        });
        window.setTimer(1, 10);
        QTRY_VERIFY(ticks >= 3);
        QCOMPARE(boxes, QStringList{QStringLiteral("tick failed")});
        QVERIFY(window.isTimerActive(1));
    }
};

QTEST_MAIN(TestMessageWindow)
#include "tst_MessageWindow.moc"
