#include "Application.h"
#include "Startup.h"
#include "TMainForm.h"
#include "TMainMenu.h"
#include "TMenuItem.h"
#include "TSetupSupporter.h"

#include <QTest>
#include <QTimer>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Application::instance()->setMessageBoxFunction({}); }

    void shouldEndWithZeroOnExitWhileOtherWindowsAreOpen()
    {
        QStringList boxes;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            boxes << text;
            return MessageBoxResult::Ok;
        });
        bool exitChosen = false;
        int visibleOthers = 0;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, [&] {
            auto *form = qobject_cast<TMainForm *>(Application::instance()->mainForm());
            if (!form || exitChosen || !form->SetSup || !form->SetSup->HelpForm() || !form->SetSup->HelpForm()->isVisible())
                return;
            for (TForm *f : Application::instance()->forms())
                visibleOthers += f != form && f->isVisible();
            exitChosen = true;
            form->menu()->item(0)->item(form->menu()->item(0)->count() - 1)->click(); // File > Exit
        });
        poll.start();
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        deadline.start(20000);
        const int code = RunProgram();
        QVERIFY(exitChosen);
        QCOMPARE(code, 0);
        QVERIFY(visibleOthers >= 2); // the instructions and the cards window at least
        QVERIFY(boxes.isEmpty());
    }

    void shouldRefuseBrokenDescriptionWithoutLeavingWindows()
    {
        QStringList boxes;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            boxes << text;
            return MessageBoxResult::Ok;
        });
        const int formsBefore = int(Application::instance()->forms().size());
        QByteArray broken = MainFormDescription();
        broken.replace("Stretch true", "Stretch yes");
        QCOMPARE(RunProgram(broken), 1);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().contains(QStringLiteral("BoardImage1")), qPrintable(boxes.first()));
        QVERIFY(boxes.first().contains(QStringLiteral("line ")));
        QCOMPARE(int(Application::instance()->forms().size()), formsBefore);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_Startup.moc"
