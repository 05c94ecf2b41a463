#include "JumperAccessible.h"
#include "TLabel.h"
#include "TRadioPanel.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

#include <memory>

using namespace Jumpers;

namespace {

struct LabelPlace
{
    QRect rect;
    QString caption;
    bool hidden = false;
};

QAccessibleInterface *accessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

} // namespace

Q_DECLARE_METATYPE(QList<LabelPlace>)

class TestJumperAccessible : public QObject
{
    Q_OBJECT

    // A radio panel as the description builds it: the jumpers and labels are its children.
    std::unique_ptr<TRadioPanel> panel;

    TLabel *addLabel(QWidget *parent, const LabelPlace &place)
    {
        auto *label = new TLabel;
        label->setParent(parent);
        label->setAutoSize(false);
        label->setGeometry(place.rect);
        label->setCaption(place.caption);
        label->setVisible(!place.hidden);
        return label;
    }

    // Which end of the widget the cap colour lies towards, from the painted picture.
    static QString capSide(JumperWidget *jumper)
    {
        const QImage image = jumper->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb cap = toQColor(jumper->jumperColor(), jumper->palette()).rgb();
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == cap) {
                    sx += x;
                    sy += y;
                    ++n;
                }
        if (n == 0)
            return QStringLiteral("none");
        const double dx = sx / n - (image.width() - 1) / 2.0;
        const double dy = sy / n - (image.height() - 1) / 2.0;
        if (std::abs(dx) > std::abs(dy))
            return dx < 0 ? QStringLiteral("left") : QStringLiteral("right");
        return dy < 0 ? QStringLiteral("top") : QStringLiteral("bottom");
    }

private slots:
    void init() { panel = std::make_unique<TRadioPanel>(); panel->resize(217, 113); }
    void cleanup() { panel.reset(); }

    void twoPinJumperIsACheckBoxNamedByItsLabel_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("open") << false << "2.5V: open" << "Two-pin jumper, open. A click closes it.";
        QTest::newRow("closed") << true << "2.5V: closed" << "Two-pin jumper, closed. A click opens it.";
    }
    void twoPinJumperIsACheckBoxNamedByItsLabel()
    {
        QFETCH(bool, closed);
        QFETCH(QString, name);
        QFETCH(QString, description);
        auto *jumper = new TTwoJumper(panel.get());
        jumper->setGeometry(88, 16, 18, 34);
        jumper->setOrientation(otLeft);
        jumper->setClosed(closed);
        addLabel(panel.get(), {QRect(84, 52, 24, 16), QStringLiteral("2.5V")});

        QAccessibleInterface *iface = accessible(jumper);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::CheckBox);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
        QVERIFY(iface->state().checkable);
        QCOMPARE(bool(iface->state().checked), closed);
    }

    // The words name the pins where the cap shows on screen, whichever way the drawing is
    // turned: checked against the painted picture, not against a second table.
    void threePinJumperNamesThePinsItsCapJoins_data()
    {
        QTest::addColumn<TJumperState>("state");
        QTest::addColumn<TOrientationType>("orientation");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("capSide");
        QTest::newRow("open") << jsOpen << otUp << "open" << "none";
        QTest::newRow("left, up") << jsLeft << otUp << "cap on the left and middle pins" << "left";
        QTest::newRow("right, up") << jsRight << otUp << "cap on the middle and right pins" << "right";
        QTest::newRow("left, down") << jsLeft << otDown << "cap on the middle and right pins" << "right";
        QTest::newRow("right, down") << jsRight << otDown << "cap on the left and middle pins" << "left";
        QTest::newRow("left, turned left") << jsLeft << otLeft << "cap on the middle and bottom pins" << "bottom";
        QTest::newRow("right, turned left") << jsRight << otLeft << "cap on the top and middle pins" << "top";
        QTest::newRow("left, turned right") << jsLeft << otRight << "cap on the top and middle pins" << "top";
        QTest::newRow("right, turned right") << jsRight << otRight << "cap on the middle and bottom pins" << "bottom";
    }
    void threePinJumperNamesThePinsItsCapJoins()
    {
        QFETCH(TJumperState, state);
        QFETCH(TOrientationType, orientation);
        QFETCH(QString, words);
        QFETCH(QString, capSide);
        auto *jumper = new TThreeJumper(panel.get());
        // Sized for its orientation before the first paint, as a description does.
        jumper->setGeometry(88, 44, isVertical(orientation) ? 18 : 43, isVertical(orientation) ? 43 : 18);
        jumper->setOrientation(orientation);
        jumper->setJumperState(state);
        addLabel(panel.get(), {QRect(64, 0, 89, 41), QStringLiteral("Pull\r\nDn / Up")});

        QCOMPARE(TestJumperAccessible::capSide(jumper), capSide);
        QAccessibleInterface *iface = accessible(jumper);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Pull / Dn / Up: ") + words);
        QCOMPARE(iface->text(QAccessible::Description),
                 QStringLiteral("Three-pin jumper, %1. A click moves the cap on.").arg(words));
    }

    void labelBesideIsTheNearestOverlappingOne_data()
    {
        QTest::addColumn<QList<LabelPlace>>("labels");
        QTest::addColumn<QString>("name");
        // The jumper stands at x 64..81, y 16..49.
        const QRect below(60, 52, 24, 16);
        QTest::newRow("no label") << QList<LabelPlace>{} << "open";
        QTest::newRow("label below") << QList<LabelPlace>{{below, "1.8V"}} << "1.8V: open";
        QTest::newRow("nearer above wins over farther below")
            << QList<LabelPlace>{{QRect(60, 60, 24, 16), "far"}, {QRect(60, 0, 24, 14), "near"}} << "near: open";
        QTest::newRow("tie goes to the first child")
            << QList<LabelPlace>{{QRect(60, 52, 24, 16), "first"}, {QRect(60, 0, 24, 14), "second"}} << "first: open";
        QTest::newRow("overlapping the jumper counts as nearest")
            << QList<LabelPlace>{{below, "below"}, {QRect(40, 20, 30, 10), "across"}} << "across: open";
        QTest::newRow("ends just left of it")
            << QList<LabelPlace>{{QRect(40, 52, 24, 16), "left"}} << "open";
        QTest::newRow("starts just right of it")
            << QList<LabelPlace>{{QRect(82, 52, 24, 16), "right"}} << "open";
        QTest::newRow("one pixel of overlap is enough")
            << QList<LabelPlace>{{QRect(81, 52, 24, 16), "edge"}} << "edge: open";
        QTest::newRow("hidden label is skipped")
            << QList<LabelPlace>{{below, "hidden", true}, {QRect(60, 80, 24, 16), "shown"}} << "shown: open";
        QTest::newRow("empty caption is skipped")
            << QList<LabelPlace>{{below, " "}, {QRect(60, 80, 24, 16), "text"}} << "text: open";
    }
    void labelBesideIsTheNearestOverlappingOne()
    {
        QFETCH(QList<LabelPlace>, labels);
        QFETCH(QString, name);
        auto *jumper = new TTwoJumper(panel.get());
        jumper->setGeometry(64, 16, 18, 34);
        for (const LabelPlace &place : labels)
            addLabel(panel.get(), place);
        QCOMPARE(accessible(jumper)->text(QAccessible::Name), name);

        const auto related = accessible(jumper)->relations(QAccessible::Label);
        const TLabel *beside = JumperAccessible::besideLabel(jumper);
        QCOMPARE(related.isEmpty(), beside == nullptr);
        if (beside)
            QCOMPARE(related.constFirst().first->object(), beside);
    }

    // A label in another panel does not name the jumper, however close it is.
    void labelOnAnotherParentIsNotBesideIt()
    {
        QWidget other;
        auto *jumper = new TTwoJumper(panel.get());
        jumper->setGeometry(64, 16, 18, 34);
        addLabel(&other, {QRect(60, 52, 24, 16), QStringLiteral("1.8V")});
        QCOMPARE(accessible(jumper)->text(QAccessible::Name), QStringLiteral("open"));
    }

    void pressActionClicksLikeTheMouse()
    {
        auto *two = new TTwoJumper(panel.get());
        auto *three = new TThreeJumper(panel.get());
        int clicks = 0;
        two->setOnClick([&](QObject *) { ++clicks; });
        three->setOnClick([&](QObject *) { ++clicks; });

        QAccessibleActionInterface *twoActions = accessible(two)->actionInterface();
        QVERIFY(twoActions);
        QVERIFY(twoActions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        twoActions->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(two->closed());
        twoActions->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!two->closed());

        accessible(three)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(three->jumperState(), jsLeft);
        QCOMPARE(clicks, 3);

        // Disabled, it offers no press and ignores one, as it ignores the mouse.
        three->setEnabled(false);
        QAccessibleActionInterface *threeActions = accessible(three)->actionInterface();
        QVERIFY(!threeActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        threeActions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(three->jumperState(), jsLeft);
        QCOMPARE(clicks, 3);
    }
};

QTEST_MAIN(TestJumperAccessible)
#include "tst_JumperAccessible.moc"
