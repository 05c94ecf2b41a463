#include "Application.h"
#include "TForm.h"

#include <QPaintEvent>
#include <QTest>
#include <QTimer>

namespace {
// Records whether its client area had been painted when the idle event came.
class PaintedForm : public TForm
{
public:
    PaintedForm() { client()->installEventFilter(this); }
    bool painted = false;
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == client() && event->type() == QEvent::Paint)
            painted = true;
        return TForm::eventFilter(watched, event);
    }
};
}

class TestApplication : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        Application::instance()->setOnIdle({});
        Application::instance()->setMessageBoxFunction({});
    }

    void shouldRaiseFirstIdleOnlyAfterMainFormPainted()
    {
        PaintedForm form;
        Application *app = Application::instance();
        app->setMainForm(&form);
        bool paintedAtIdle = false;
        int calls = 0;
        QObject *sender = nullptr;
        bool doneStarted = false;
        app->setOnIdle([&](QObject *s, bool &done) {
            ++calls;
            sender = s;
            doneStarted = done;
            paintedAtIdle = form.painted;
            app->setOnIdle({}); // unhooks itself, as the setup build does
        });
        // Events that keep the queue busy must not let the idle event through early.
        for (int i = 0; i < 50; ++i)
            QTimer::singleShot(0, [] {});
        form.show();
        QTRY_COMPARE(calls, 1);
        QVERIFY(paintedAtIdle);
        QCOMPARE(sender, app);
        QVERIFY(doneStarted);
        // Once unhooked nothing runs again, however often the loop idles.
        for (int i = 0; i < 5; ++i) {
            form.update();
            QTest::qWait(20);
        }
        QCOMPARE(calls, 1);
        app->setMainForm(nullptr);
    }

    void shouldRaiseIdleAgainOnlyAfterNewEvents()
    {
        PaintedForm form;
        Application *app = Application::instance();
        app->setMainForm(&form);
        int calls = 0;
        app->setOnIdle([&](QObject *, bool &) { ++calls; });
        form.show();
        QTRY_VERIFY(calls >= 1);
        const int settled = calls;
        // With the queue empty and nothing arriving, the handler is not called in a loop.
        QTest::qWait(100);
        QVERIFY2(calls <= settled + 2, qPrintable(QString::number(calls - settled)));
        const int before = calls;
        QTimer::singleShot(0, [] {});
        QTRY_VERIFY(calls > before);
        app->setOnIdle({});
        app->setMainForm(nullptr);
    }

    void shouldShowEscapedExceptionAndGoOn()
    {
        QStringList shown;
        unsigned style = 0;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned s) {
            shown << text;
            style = s;
            return MessageBoxResult::Ok;
        });
        Guarded([] { throw std::runtime_error("Not enough timers available"); });
        bool ranAfter = false;
        Guarded([&] { ranAfter = true; });
        QCOMPARE(shown, QStringList{QStringLiteral("Not enough timers available")});
        QCOMPARE(style & 0xF0, unsigned(MessageBoxStyle::IconStop));
        QVERIFY(ranAfter);
    }

    void shouldListFormsShownOrHidden()
    {
        auto *a = new TForm;
        auto *b = new TForm;
        b->show();
        const QList<TForm *> forms = Application::instance()->forms();
        QVERIFY(forms.contains(a));
        QVERIFY(forms.contains(b));
        QVERIFY(forms.indexOf(a) < forms.indexOf(b));
        delete a;
        QVERIFY(!Application::instance()->forms().contains(a));
        delete b;
    }
};

QTEST_MAIN(TestApplication)
#include "tst_Application.moc"
