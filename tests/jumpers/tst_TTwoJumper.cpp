#include "Canvas.h"
#include "TRadioPanel.h"
#include "TTwoJumper.h"

#include <QMetaProperty>
#include <QTest>
#include <QTransform>

using namespace Jumpers;

namespace {

constexpr TColor panelColor = 0x403020;

QRgb rgb(TColor c, const QWidget *w) { return toQColor(c, w->palette()).rgb(); }

// The default picture, 34 x 18 lying, drawn with the figures worked out by hand.
QImage expectedLying(bool closed, Vcl::TBorderStyle border, TColor background, const QPalette &palette)
{
    QImage image(34, 18, QImage::Format_RGB32);
    Canvas c(image, palette);
    c.pen().color = background;
    c.brush().color = background;
    c.Rectangle(0, 0, 34, 18);
    if (closed) {
        c.pen().color = border == Vcl::bsSingle ? clBlack : 0x000080;
        c.brush().color = 0x000080;
        c.Rectangle(0, 0, 34, 18);
    } else {
        c.pen().color = border == Vcl::bsSingle ? clBlack : 0x808080;
        c.brush().color = 0x808080;
        c.RoundRect(1, 1, 33, 17, 9, 9);
    }
    c.pen().style = Canvas::psClear;
    c.brush().color = 0x00FFFF;
    c.Ellipse(8, 6, 14, 12);
    c.Ellipse(20, 6, 26, 12);
    return image;
}

QImage picture(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

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

class DerivedPanel : public TRadioPanel
{
    Q_OBJECT
};

} // namespace

class TestTTwoJumper : public QObject
{
    Q_OBJECT
private slots:
    void shouldStartWithTheDefaults()
    {
        TTwoJumper j;
        QCOMPARE(j.size(), QSize(34, 18));
        QCOMPARE(j.closed(), false);
        QCOMPARE(j.orientation(), otUp);
        QCOMPARE(j.baseColor(), TColor(0x808080));
        QCOMPARE(j.pinColor(), TColor(0x00FFFF));
        QCOMPARE(j.jumperColor(), TColor(0x000080));
        QCOMPARE(j.borderStyle(), Vcl::bsSingle);
    }

    // A description sets these by name in this order, with enumeration values by name.
    void shouldPublishPropertiesInStoredOrder()
    {
        const QMetaObject *mo = &TTwoJumper::staticMetaObject;
        QStringList names;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
            names << QString::fromLatin1(mo->property(i).name());
        QCOMPARE(names, (QStringList{"Closed", "BaseColor", "PinColor", "JumperColor", "Orientation",
                                     "BorderStyle", "OnClick"}));
        TTwoJumper j;
        const QMetaProperty orientation = mo->property(mo->indexOfProperty("Orientation"));
        QVERIFY(orientation.isEnumType());
        QCOMPARE(orientation.enumerator().keyToValue("otLeft"), int(otLeft));
        QVERIFY(orientation.write(&j, QVariant::fromValue(otRight)));
        QCOMPARE(j.orientation(), otRight);
        const QMetaProperty border = mo->property(mo->indexOfProperty("BorderStyle"));
        QCOMPARE(border.enumerator().keyToValue("bsNone"), int(Vcl::bsNone));
    }

    void shouldDrawTheWorkedFigures_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("border");
        QTest::newRow("open") << false << int(Vcl::bsSingle);
        QTest::newRow("closed") << true << int(Vcl::bsSingle);
        QTest::newRow("open, bsNone") << false << int(Vcl::bsNone);
        QTest::newRow("closed, bsNone") << true << int(Vcl::bsNone);
    }
    void shouldDrawTheWorkedFigures()
    {
        QFETCH(bool, closed);
        QFETCH(int, border);
        TRadioPanel panel;
        panel.setColor(panelColor);
        auto *j = new TTwoJumper(&panel);
        j->setClosed(closed);
        j->setBorderStyle(Vcl::TBorderStyle(border));
        const QImage image = picture(j);
        QCOMPARE(image, expectedLying(closed, Vcl::TBorderStyle(border), panelColor, j->palette()));

        // Spot checks read off the figures by hand.
        const QRgb yellow = qRgb(255, 255, 0), grey = qRgb(128, 128, 128), maroon = qRgb(128, 0, 0);
        const QRgb outline = border == Vcl::bsSingle ? qRgb(0, 0, 0) : closed ? maroon : grey;
        QCOMPARE(image.pixel(10, 8), yellow); // pins' centres
        QCOMPARE(image.pixel(22, 8), yellow);
        QCOMPARE(image.pixel(12, 8), yellow); // the clear-pen pin ends at column 12 ...
        QCOMPARE(image.pixel(13, 8), closed ? maroon : grey); // ... not 13
        QCOMPARE(image.pixel(8, 6), closed ? maroon : grey);  // the pin's corner is cut
        QCOMPARE(image.pixel(16, 9), closed ? maroon : grey);
        if (closed) {
            QCOMPARE(image.pixel(0, 0), outline);
            QCOMPARE(image.pixel(33, 17), outline);
            QCOMPARE(image.pixel(1, 1), maroon);
        } else {
            QCOMPARE(image.pixel(0, 0), rgb(panelColor, j));
            QCOMPARE(image.pixel(1, 1), rgb(panelColor, j)); // rounded corner
            QCOMPARE(image.pixel(1, 9), outline);
            QCOMPARE(image.pixel(32, 9), outline);
            QCOMPARE(image.pixel(16, 1), outline);
            QCOMPARE(image.pixel(16, 16), outline);
            QCOMPARE(image.pixel(16, 17), rgb(panelColor, j));
        }
    }

    // Only a parent of exactly the class TRadioPanel lends its colour.
    void shouldTakeButtonFaceOnOtherParents_data()
    {
        QTest::addColumn<QString>("parentKind");
        QTest::newRow("plain widget") << "widget";
        QTest::newRow("class derived from TRadioPanel") << "derived";
    }
    void shouldTakeButtonFaceOnOtherParents()
    {
        QFETCH(QString, parentKind);
        QWidget widget;
        DerivedPanel derived;
        derived.setColor(panelColor);
        QWidget *parent = parentKind == "widget" ? &widget : static_cast<QWidget *>(&derived);
        auto *j = new TTwoJumper(parent);
        QCOMPARE(picture(j), expectedLying(false, Vcl::bsSingle, clBtnFace, j->palette()));
    }

    // Each orientation shows the lying picture turned: otLeft counter-clockwise (left end at
    // the bottom), otRight clockwise, otDown half round.
    void shouldTurnThePicture_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("degrees");
        QTest::newRow("otDown") << int(otDown) << 180;
        QTest::newRow("otLeft") << int(otLeft) << -90;
        QTest::newRow("otRight") << int(otRight) << 90;
    }
    void shouldTurnThePicture()
    {
        QFETCH(int, orientation);
        QFETCH(int, degrees);
        TRadioPanel panel;
        panel.setColor(panelColor);
        auto *j = new TTwoJumper(&panel);
        if (isVertical(TOrientationType(orientation)))
            j->resize(18, 34); // as a description stores a standing jumper
        j->setOrientation(TOrientationType(orientation));
        const QImage lying = expectedLying(false, Vcl::bsSingle, panelColor, j->palette());
        QCOMPARE(picture(j), lying.transformed(QTransform().rotate(degrees)));
        QCOMPARE(j->size(), isVertical(TOrientationType(orientation)) ? QSize(18, 34) : QSize(34, 18));
    }

    void shouldExchangeSizeAtTheNextPaintAfterTheFirst()
    {
        QWidget parent;
        parent.resize(100, 100);
        auto *j = new TTwoJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        PaintCounter counter(j);
        QTRY_VERIFY(picture(j).size() == QSize(34, 18)); // painted once

        j->setOrientation(otLeft);
        QCOMPARE(j->size(), QSize(34, 18)); // nothing before the paint
        QTRY_COMPARE(j->size(), QSize(18, 34));
        QTRY_COMPARE(picture(j), expectedLying(false, Vcl::bsSingle, clBtnFace, j->palette())
                                     .transformed(QTransform().rotate(-90)));

        j->setOrientation(otRight); // same pair: turned, never resized
        const int before = counter.paints;
        QTRY_VERIFY(counter.paints > before);
        QCOMPARE(j->size(), QSize(18, 34));

        j->setOrientation(otUp); // there and back before a paint
        j->setOrientation(otLeft);
        const int again = counter.paints;
        QTRY_VERIFY(counter.paints > again);
        QCOMPARE(j->size(), QSize(18, 34));
    }

    void shouldKeepTheStoredSizeWhenSetBeforeTheFirstPaint()
    {
        QWidget parent;
        parent.resize(100, 100);
        auto *j = new TTwoJumper(&parent);
        j->resize(18, 34);
        j->setOrientation(otLeft);
        PaintCounter counter(j);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(j->size(), QSize(18, 34));
        // Nothing stays pending: a later repaint keeps the size too.
        j->update();
        const int before = counter.paints;
        QTRY_VERIFY(counter.paints > before);
        QCOMPARE(j->size(), QSize(18, 34));
    }

    void shouldToggleOnAClickAndRaiseOnClickAfterwards()
    {
        QWidget parent;
        auto *j = new TTwoJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QList<bool> seen;
        j->setOnClick([&](QObject *sender) {
            QCOMPARE(sender, j);
            seen << j->closed();
        });
        QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(30, 15));
        j->Click();
        QCOMPARE(seen, (QList<bool>{true, false, true}));

        // Assigning in code raises nothing; a press that ends outside is no click.
        j->setClosed(false);
        QTest::mousePress(j, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(j, Qt::LeftButton, {}, QPoint(50, 5));
        QTest::mouseClick(j, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(seen.size(), 3);
        QCOMPARE(j->closed(), false);
    }

    void shouldIgnoreClicksWhenDisabledButDrawTheSame()
    {
        QWidget parent;
        auto *j = new TTwoJumper(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QImage enabled = picture(j);
        int clicks = 0;
        j->setOnClick([&](QObject *) { ++clicks; });
        j->setEnabled(false);
        QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 0);
        QCOMPARE(j->closed(), false);
        QCOMPARE(picture(j), enabled);
    }

    void shouldRepaintOnlyOnAChange()
    {
        QWidget parent;
        parent.resize(100, 60);
        auto *j = new TTwoJumper(&parent);
        // A sibling whose paint shows that the window has flushed every pending update.
        auto *sentinel = new QWidget(&parent);
        sentinel->setGeometry(50, 0, 10, 10);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        PaintCounter counter(j), sentinelCounter(sentinel);
        const auto flush = [&] {
            const int before = sentinelCounter.paints;
            sentinel->update();
            QTRY_VERIFY(sentinelCounter.paints > before);
        };
        flush();
        counter.paints = 0;
        j->setClosed(false);
        j->setBaseColor(0x808080);
        j->setOrientation(otUp);
        j->setBorderStyle(Vcl::bsSingle);
        flush();
        QCOMPARE(counter.paints, 0);
        j->setPinColor(0x0000FF);
        flush();
        QCOMPARE(counter.paints, 1);
    }
};

QTEST_MAIN(TestTTwoJumper)
#include "tst_TTwoJumper.moc"
