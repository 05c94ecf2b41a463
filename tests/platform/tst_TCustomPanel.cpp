#include "TCustomPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A window with a line edit outside the panel and two controls inside it.
struct PanelWindow
{
    QWidget window;
    QLineEdit *outside = new QLineEdit(&window);
    TCustomPanel *panel = new TCustomPanel(&window);
    QLineEdit *inside = new QLineEdit(panel);
    QComboBox *combo = new QComboBox(panel);
    int enters = 0;
    int exits = 0;
    QObject *sender = nullptr;

    PanelWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(outside);
        layout->addWidget(panel);
        auto *inner = new QVBoxLayout(panel);
        inner->addWidget(inside);
        inner->addWidget(combo);
        combo->addItems({"one", "two"});
        panel->setOnEnter([this](QObject *s) { ++enters; sender = s; });
        panel->setOnExit([this](QObject *) { ++exits; });
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestTCustomPanel : public QObject
{
    Q_OBJECT
private slots:
    void shouldRaiseEnterAndExitOncePerCrossing()
    {
        PanelWindow w;
        QVERIFY(w.showActive());
        w.outside->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.enters, 0);

        QTest::mouseClick(w.inside, Qt::LeftButton);
        QTRY_VERIFY(w.inside->hasFocus());
        QCOMPARE(w.enters, 1);
        QCOMPARE(w.sender, w.panel);

        w.combo->setFocus(Qt::TabFocusReason); // a move inside the panel
        QCOMPARE(w.enters, 1);
        QCOMPARE(w.exits, 0);

        w.outside->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(w.exits, 1);

        w.panel->setFocus(Qt::OtherFocusReason); // the panel itself counts as inside
        QCOMPARE(w.enters, 2);
    }

    void shouldIgnoreTheFocusQtRestoresOnReactivation()
    {
        PanelWindow w;
        QVERIFY(w.showActive());
        w.inside->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.enters, 1);

        QWidget other;
        auto *otherEdit = new QLineEdit(&other);
        otherEdit->setFocus();
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(otherEdit->hasFocus());

        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QTRY_VERIFY(w.inside->hasFocus());
        QCOMPARE(w.enters, 1);
        QCOMPARE(w.exits, 0);
    }

    void shouldIgnoreAPopupListOpeningAndClosing()
    {
        PanelWindow w;
        QVERIFY(w.showActive());
        w.combo->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.enters, 1);
        w.combo->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        w.combo->hidePopup();
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_VERIFY(w.combo->hasFocus());
        QCOMPARE(w.enters, 1);
        QCOMPARE(w.exits, 0);
    }

    // Code that focuses the panel in a window that is not active yet raises OnEnter itself;
    // the later activation must not raise it again, and neither may a focus change that Qt
    // did report.
    void shouldRaiseEnterOnceWhenCodeNotifies_data()
    {
        QTest::addColumn<bool>("windowActive");
        QTest::newRow("window not active yet") << false;
        QTest::newRow("window already active") << true;
    }
    void shouldRaiseEnterOnceWhenCodeNotifies()
    {
        QFETCH(bool, windowActive);
        PanelWindow w;
        QVERIFY(w.showActive());
        QWidget other;
        if (!windowActive) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            QVERIFY(!w.window.isActiveWindow());
        }
        w.panel->setFocus();
        QCOMPARE(w.enters, windowActive ? 1 : 0);
        w.panel->notifyEnter();
        QCOMPARE(w.enters, 1);
        QCOMPARE(w.sender, w.panel);

        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QTRY_VERIFY(w.panel->hasFocus());
        QCOMPARE(w.enters, 1);

        w.outside->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.exits, 1);
        w.inside->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.enters, 2);
    }

    void shouldPaintColorAndBevels_data()
    {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("borderWidth");
        QTest::newRow("no bevels: colour to the edge") << int(Vcl::bvNone) << int(Vcl::bvNone) << 0;
        QTest::newRow("raised outer") << int(Vcl::bvRaised) << int(Vcl::bvNone) << 0;
        QTest::newRow("lowered outer") << int(Vcl::bvLowered) << int(Vcl::bvNone) << 0;
        QTest::newRow("space outer, raised inner beyond a border") << int(Vcl::bvSpace) << int(Vcl::bvRaised) << 2;
    }
    void shouldPaintColorAndBevels()
    {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, borderWidth);
        TCustomPanel panel;
        QCOMPARE(panel.color(), TColor(clBtnFace));
        QCOMPARE(panel.bevelOuter(), Vcl::bvRaised);
        panel.resize(20, 12);
        panel.setColor(0x00FF00);
        panel.setBevelOuter(Vcl::TBevelCut(outer));
        panel.setBevelInner(Vcl::TBevelCut(inner));
        panel.setBorderWidth(borderWidth);
        const QImage image = panel.grab().toImage();
        const QRgb colour = qRgb(0, 255, 0);
        const QRgb light = panel.palette().color(QPalette::Light).rgb();
        const QRgb dark = panel.palette().color(QPalette::Dark).rgb();
        QCOMPARE(image.pixel(10, 6), colour);

        const auto expectBevel = [&](int cut, int at) {
            if (cut == Vcl::bvNone || cut == Vcl::bvSpace) {
                QCOMPARE(image.pixel(at, 6), colour);
                QCOMPARE(image.pixel(10, 11 - at), colour);
                return;
            }
            QCOMPARE(image.pixel(at, 6), cut == Vcl::bvRaised ? light : dark);
            QCOMPARE(image.pixel(10, at), cut == Vcl::bvRaised ? light : dark);
            QCOMPARE(image.pixel(19 - at, 6), cut == Vcl::bvRaised ? dark : light);
            QCOMPARE(image.pixel(10, 11 - at), cut == Vcl::bvRaised ? dark : light);
        };
        expectBevel(outer, 0);
        const int outerWidth = outer == Vcl::bvNone ? 0 : 1;
        const int innerAt = outerWidth + borderWidth;
        for (int x = outerWidth; x < innerAt; ++x) // the border between the bevels
            QCOMPARE(image.pixel(x, 6), colour);
        expectBevel(inner, innerAt);
    }

    void shouldRepaintOnlyOnAChange()
    {
        QWidget window;
        window.resize(40, 20);
        auto *panel = new TCustomPanel(&window);
        panel->setGeometry(0, 0, 10, 10);
        // A sibling whose paint shows that the window has flushed every pending update.
        auto *sentinel = new QWidget(&window);
        sentinel->setGeometry(20, 0, 10, 10);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter counter(panel), sentinelCounter(sentinel);
        const auto flush = [&] {
            const int before = sentinelCounter.paints;
            sentinel->update();
            QTRY_VERIFY(sentinelCounter.paints > before);
        };
        flush();
        counter.paints = 0;
        panel->setColor(clBtnFace);
        panel->setBevelOuter(Vcl::bvRaised);
        panel->setBevelWidth(1);
        flush();
        QCOMPARE(counter.paints, 0);
        panel->setColor(0x0000FF);
        flush();
        QCOMPARE(counter.paints, 1);
    }
};

QTEST_MAIN(TestTCustomPanel)
#include "tst_TCustomPanel.moc"
