#include "Canvas.h"
#include "TRadioPanel.h"
#include "TThreeJumper.h"

#include <QApplication>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QTest>
#include <QTransform>

using namespace Jumpers;

namespace {

constexpr TColor panelColor = 0x403020;
const QRgb black = qRgb(0, 0, 0), grey = qRgb(128, 128, 128), maroon = qRgb(128, 0, 0),
           yellow = qRgb(255, 255, 0);

// The default picture, 43 x 18 lying, from the figures worked out by hand.
QImage expectedLying(TJumperState state, Vcl::TBorderStyle border, const QPalette &palette)
{
    QImage image(43, 18, QImage::Format_RGB32);
    Canvas c(image, palette);
    c.pen().color = panelColor;
    c.brush().color = panelColor;
    c.Rectangle(0, 0, 43, 18);
    c.pen().color = border == Vcl::bsSingle ? clBlack : 0x808080;
    c.brush().color = 0x808080;
    c.RoundRect(1, 1, 42, 17, 9, 9);
    c.pen().color = clBlack;
    c.brush().color = 0x000080;
    if (state == jsLeft)
        c.Rectangle(0, 0, 27, 18);
    else if (state == jsRight)
        c.Rectangle(15, 0, 43, 18);
    c.pen().style = Canvas::psClear;
    c.brush().color = 0x00FFFF;
    c.Ellipse(7, 6, 13, 12);
    c.Ellipse(18, 6, 24, 12);
    c.Ellipse(30, 6, 36, 12);
    return image;
}

QImage picture(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

struct OnPanel
{
    TRadioPanel panel;
    TThreeJumper *jumper = new TThreeJumper(&panel);
    OnPanel() { panel.setColor(panelColor); }
};

} // namespace

class TestTThreeJumper : public QObject
{
    Q_OBJECT
private slots:
    void shouldStartWithTheDefaultsAndStoredOrder()
    {
        TThreeJumper j;
        QCOMPARE(j.size(), QSize(43, 18));
        QCOMPARE(j.jumperState(), jsOpen);
        QCOMPARE(j.allowOpen(), true);
        QCOMPARE(j.orientation(), otUp);
        QCOMPARE(j.borderStyle(), Vcl::bsSingle);

        const QMetaObject *mo = &TThreeJumper::staticMetaObject;
        QStringList names;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
            names << QString::fromLatin1(mo->property(i).name());
        QCOMPARE(names, (QStringList{"JumperState", "BaseColor", "PinColor", "JumperColor", "Orientation",
                                     "BorderStyle", "AllowOpen", "OnClick"}));
        const QMetaProperty state = mo->property(mo->indexOfProperty("JumperState"));
        QVERIFY(state.isEnumType());
        QCOMPARE(state.enumerator().keyToValue("jsRight"), int(jsRight));
    }

    void shouldDrawTheWorkedFigures_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("border");
        QTest::newRow("jsOpen") << int(jsOpen) << int(Vcl::bsSingle);
        QTest::newRow("jsLeft") << int(jsLeft) << int(Vcl::bsSingle);
        QTest::newRow("jsRight") << int(jsRight) << int(Vcl::bsSingle);
        QTest::newRow("jsOpen, bsNone") << int(jsOpen) << int(Vcl::bsNone);
        QTest::newRow("jsLeft, bsNone") << int(jsLeft) << int(Vcl::bsNone);
        QTest::newRow("jsRight, bsNone") << int(jsRight) << int(Vcl::bsNone);
    }
    void shouldDrawTheWorkedFigures()
    {
        QFETCH(int, state);
        QFETCH(int, border);
        OnPanel p;
        p.jumper->setJumperState(TJumperState(state));
        p.jumper->setBorderStyle(Vcl::TBorderStyle(border));
        const QImage image = picture(p.jumper);
        QCOMPARE(image, expectedLying(TJumperState(state), Vcl::TBorderStyle(border), p.jumper->palette()));

        // Spot checks read off the figures by hand.
        const QRgb baseOutline = border == Vcl::bsSingle ? black : grey;
        QCOMPARE(image.pixel(9, 8), yellow); // the three pins' centres
        QCOMPARE(image.pixel(20, 8), yellow);
        QCOMPARE(image.pixel(32, 8), yellow);
        switch (state) {
        case jsOpen:
            QCOMPARE(image.pixel(0, 0), toQColor(panelColor, p.jumper->palette()).rgb());
            QCOMPARE(image.pixel(1, 9), baseOutline);
            QCOMPARE(image.pixel(41, 9), baseOutline);
            QCOMPARE(image.pixel(15, 9), grey);
            break;
        case jsLeft: // columns 0 to 26, outlined in black whatever the border style
            QCOMPARE(image.pixel(0, 0), black);
            QCOMPARE(image.pixel(26, 9), black);
            QCOMPARE(image.pixel(15, 9), maroon);
            QCOMPARE(image.pixel(27, 9), grey);
            QCOMPARE(image.pixel(41, 9), baseOutline);
            break;
        case jsRight: // columns 15 to 42
            QCOMPARE(image.pixel(15, 9), black);
            QCOMPARE(image.pixel(42, 17), black);
            QCOMPARE(image.pixel(26, 9), maroon);
            QCOMPARE(image.pixel(14, 9), grey);
            QCOMPARE(image.pixel(1, 9), baseOutline);
            break;
        }
    }

    // The jsLeft cap, at the frame's left end, shows at the bottom with otLeft, at the top with
    // otRight, on the right with otDown.
    void shouldTurnThePicture_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<QPoint>("capPixel");
        QTest::addColumn<QPoint>("basePixel");
        QTest::newRow("otDown") << int(otDown) << 180 << QPoint(40, 15) << QPoint(6, 9);
        QTest::newRow("otLeft") << int(otLeft) << -90 << QPoint(2, 40) << QPoint(9, 6);
        QTest::newRow("otRight") << int(otRight) << 90 << QPoint(15, 2) << QPoint(8, 36);
    }
    void shouldTurnThePicture()
    {
        QFETCH(int, orientation);
        QFETCH(int, degrees);
        QFETCH(QPoint, capPixel);
        QFETCH(QPoint, basePixel);
        OnPanel p;
        if (isVertical(TOrientationType(orientation)))
            p.jumper->resize(18, 43);
        p.jumper->setOrientation(TOrientationType(orientation));
        p.jumper->setJumperState(jsLeft);
        const QImage image = picture(p.jumper);
        QCOMPARE(image, expectedLying(jsLeft, Vcl::bsSingle, p.jumper->palette()).transformed(QTransform().rotate(degrees)));
        QCOMPARE(image.pixel(capPixel), maroon);
        QCOMPARE(image.pixel(basePixel), grey); // the far end has no cap
    }

    void shouldExchangeSizeOnlyForTheOtherPair()
    {
        QWidget parent;
        parent.resize(100, 100);
        auto *j = new TThreeJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QTRY_COMPARE(picture(j).size(), QSize(43, 18)); // painted once

        struct : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        j->installEventFilter(&counter);
        j->setOrientation(otDown); // same pair: turned half round, never resized
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(j->size(), QSize(43, 18));
        j->setOrientation(otRight);
        QTRY_COMPARE(j->size(), QSize(18, 43));
    }

    void shouldCycleOnClicks_data()
    {
        QTest::addColumn<bool>("allowOpen");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("states");
        QTest::newRow("with open") << true << int(jsOpen)
                                   << QList<int>{jsLeft, jsRight, jsOpen, jsLeft};
        QTest::newRow("without open") << false << int(jsLeft) << QList<int>{jsRight, jsLeft, jsRight};
    }
    void shouldCycleOnClicks()
    {
        QFETCH(bool, allowOpen);
        QFETCH(int, start);
        QFETCH(QList<int>, states);
        QWidget parent;
        auto *j = new TThreeJumper(&parent);
        j->setAllowOpen(allowOpen);
        QCOMPARE(int(j->jumperState()), start);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QList<int> seen;
        j->setOnClick([&](QObject *sender) {
            QCOMPARE(sender, j);
            seen << j->jumperState(); // already moved on
        });
        for (int i = 0; i < states.size(); ++i)
            QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(seen, states);
    }

    void shouldCountBothClicksOfADoubleClick()
    {
        QWidget parent;
        auto *j = new TThreeJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        // What a window system delivers for a double click: the second press comes as a
        // double-click event.
        const QPointF at(20, 9);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool down = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, at, j->mapToGlobal(at), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(j, &event);
        }
        QCOMPARE(j->jumperState(), jsRight);
    }

    void shouldRefuseOpenWithoutAllowOpen()
    {
        TThreeJumper j;
        int clicks = 0;
        j.setOnClick([&](QObject *) { ++clicks; });
        j.setJumperState(jsRight);
        j.setAllowOpen(false);
        QCOMPARE(j.jumperState(), jsRight); // off in jsRight keeps jsRight
        j.setJumperState(jsOpen);
        QCOMPARE(j.jumperState(), jsRight); // dropped silently
        j.setAllowOpen(true);
        j.setJumperState(jsLeft);
        j.setAllowOpen(false);
        j.setAllowOpen(true);
        QCOMPARE(j.jumperState(), jsLeft);

        TThreeJumper fresh; // a description storing AllowOpen false and no state
        fresh.setAllowOpen(false);
        QCOMPARE(fresh.jumperState(), jsLeft);
        fresh.setAllowOpen(true); // turning it on never restores jsOpen
        QCOMPARE(fresh.jumperState(), jsLeft);
        QCOMPARE(clicks, 0); // nothing set in code raises OnClick
    }

    void shouldIgnoreClicksWhenDisabledButDrawTheSame()
    {
        QWidget parent;
        auto *j = new TThreeJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QImage enabled = picture(j);
        j->setEnabled(false);
        QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(j->jumperState(), jsOpen);
        QCOMPARE(picture(j), enabled);
    }
};

QTEST_MAIN(TestTThreeJumper)
#include "tst_TThreeJumper.moc"
