#include "Control.h"
#include "TRadioPanel.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QLabel>
#include <QMetaProperty>
#include <QTest>

using namespace Jumpers;

namespace {

class DerivedJumper : public TTwoJumper
{
    Q_OBJECT
public:
    using TTwoJumper::TTwoJumper;
};

class DerivedPanel : public TRadioPanel
{
    Q_OBJECT
};

// A panel with three two-pin jumpers A, B, C, a label, a three-pin jumper and a jumper of a
// class derived from TTwoJumper in between, and a log of the events in their order.
template<class Panel>
struct Fixture
{
    Panel panel;
    TTwoJumper *a = new TTwoJumper(&panel);
    QLabel *label = new QLabel(&panel);
    TTwoJumper *b = new TTwoJumper(&panel);
    TThreeJumper *three = new TThreeJumper(&panel);
    DerivedJumper *derived = new DerivedJumper(&panel);
    TTwoJumper *c = new TTwoJumper(&panel);
    QStringList log;

    Fixture()
    {
        a->setObjectName("A");
        b->setObjectName("B");
        c->setObjectName("C");
        three->setJumperState(jsRight);
        derived->setClosed(true);
        panel.setOnRadioChange([this](QObject *s) { log << "radio " + s->objectName(); });
        for (TTwoJumper *j : {a, b, c})
            j->setOnClick([this](QObject *s) { log << "click " + s->objectName(); });
    }
    TTwoJumper *byName(const QString &n) { return n == "A" ? a : n == "B" ? b : c; }
    QString closedOnes() const
    {
        QString s;
        for (TTwoJumper *j : {a, b, c})
            if (j->closed())
                s += j->objectName();
        return s;
    }
};

} // namespace

class TestTRadioPanel : public QObject
{
    Q_OBJECT
private slots:
    void shouldStartWithTheDefaults()
    {
        TRadioPanel panel;
        QCOMPARE(panel.size(), QSize(194, 100));
        QVERIFY(panel.isHidden());
        QCOMPARE(panel.radioEnabled(), false);
        QCOMPARE(panel.memoHeight(), 58);
        QVERIFY(panel.lines().isEmpty());
        QCOMPARE(panel.finalAnchors(), Vcl::akLeft | Vcl::akTop);
        QCOMPARE(panel.inPopup(), false);
        QCOMPARE(panel.bevelOuter(), Vcl::bvNone);
        QCOMPARE(panel.bevelInner(), Vcl::bvNone);
        QCOMPARE(panel.color(), TColor(clBtnFace));
        QCOMPARE(Anchors(&panel), Vcl::akLeft | Vcl::akTop);

        // Set by name as a description does; InPopup is for reading only.
        const QMetaObject *mo = panel.metaObject();
        const QMetaProperty anchors = mo->property(mo->indexOfProperty("FinalAnchors"));
        QVERIFY(anchors.isFlagType());
        QCOMPARE(anchors.enumerator().keyToValue("akRight"), int(Vcl::akRight));
        QVERIFY(!mo->property(mo->indexOfProperty("InPopup")).isWritable());
        QVERIFY(mo->indexOfProperty("Caption") < 0);
        QVERIFY(mo->indexOfProperty("Anchors") < 0);
    }

    void shouldCopyLines()
    {
        TRadioPanel panel;
        QStringList given{"first", "second"};
        panel.setLines(given);
        given[0] = "changed";
        given << "third";
        QCOMPARE(panel.lines(), (QStringList{"first", "second"}));
    }

    // The popup applies FinalAnchors and sets InPopup; before that the setter only stores.
    void shouldApplyFinalAnchorsOnlyInPopup()
    {
        QWidget mainWindow;
        mainWindow.resize(400, 300);
        auto *panel = new TRadioPanel(&mainWindow);
        SetBounds(panel, 10, 10, 194, 100);
        const Vcl::TAnchors all = Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom;
        panel->setFinalAnchors(all);
        QCOMPARE(panel->finalAnchors(), all);
        QCOMPARE(Anchors(panel), Vcl::akLeft | Vcl::akTop);
        mainWindow.show(); // the anchor rules follow resizes of shown windows
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        mainWindow.resize(500, 400);
        QCOMPARE(panel->size(), QSize(194, 100));

        QWidget popup;
        popup.resize(194, 209);
        panel->setParent(&popup);
        SetBounds(panel, 0, 0, 194, 100);
        SetAnchors(panel, panel->finalAnchors());
        panel->setInPopup();
        panel->show();
        popup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        popup.resize(250, 260);
        QCOMPARE(panel->size(), QSize(250, 151)); // grows with the popup

        panel->setFinalAnchors(Vcl::akLeft | Vcl::akTop);
        QCOMPARE(Anchors(panel), Vcl::akLeft | Vcl::akTop);
        popup.resize(300, 300);
        QCOMPARE(panel->size(), QSize(250, 151));
    }

    void shouldApplyTheRadioRule_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("closedBefore");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("closedAfter");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("rule off: only the clicked one toggles")
            << false << "A" << "B" << "AB" << QStringList{"click B"};
        QTest::newRow("open one clicked while another is closed")
            << true << "A" << "B" << "B" << QStringList{"radio B", "click B"};
        QTest::newRow("open one clicked while all are open")
            << true << "" << "B" << "B" << QStringList{"click B"};
        QTest::newRow("closed one clicked stays closed, yet reports a change")
            << true << "A" << "A" << "A" << QStringList{"radio A", "click A"};
    }
    void shouldApplyTheRadioRule()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, closedBefore);
        QFETCH(QString, clicked);
        QFETCH(QString, closedAfter);
        QFETCH(QStringList, log);
        Fixture<TRadioPanel> f;
        f.panel.setRadioEnabled(enabled);
        for (const QChar n : closedBefore)
            f.byName(n)->setClosed(true);
        f.byName(clicked)->Click();
        QCOMPARE(f.closedOnes(), closedAfter);
        QCOMPARE(f.log, log);
        // Only the exact class TTwoJumper takes part.
        QCOMPARE(f.three->jumperState(), jsRight);
        QCOMPARE(f.derived->closed(), true);
    }

    void shouldRunTheRuleForARealMouseClick()
    {
        Fixture<TRadioPanel> f;
        f.panel.setRadioEnabled(true);
        f.panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.panel));
        f.a->setClosed(true);
        QTest::mouseClick(f.c, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f.closedOnes(), QString("C"));
        QCOMPARE(f.log, (QStringList{"radio C", "click C"}));
    }

    void shouldNotRunTheRuleOnADerivedPanel()
    {
        Fixture<DerivedPanel> f;
        f.panel.setRadioEnabled(true);
        f.a->setClosed(true);
        f.b->Click();
        QCOMPARE(f.closedOnes(), QString("AB"));
        QCOMPARE(f.log, QStringList{"click B"});
    }
};

QTEST_MAIN(TestTRadioPanel)
#include "tst_TRadioPanel.moc"
