// What a screen reader hears of the real main window, through QAccessible: every circle, jumper
// drawing and popup has a name and a description, and the names follow the user's choices.
#include "Application.h"
#include "Startup.h"
#include "TBoardHighlight.h"
#include "TComboBox.h"
#include "TMainForm.h"
#include "TPopupForm.h"
#include "TTwoJumper.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

class TestAccessibility : public QObject
{
    Q_OBJECT
    TMainForm *form = nullptr;

    QAccessibleInterface *accessible(const char *name) const
    {
        Component *c = form->findComponent(QLatin1String(name));
        return c ? QAccessible::queryAccessibleInterface(c->object()) : nullptr;
    }

private slots:
    void init()
    {
        QString error;
        form = CreateMainForm(&error);
        QVERIFY2(form, qPrintable(error));
    }
    void cleanup()
    {
        Application::instance()->setOnIdle({});
        delete form;
        form = nullptr;
    }

    void circlesSpeakTheirTitleAndKind_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::addColumn<QString>("name");
        for (const char *pull : {"PullHighlight0", "PullHighlight2", "PullHighlight4"})
            QTest::newRow(pull) << pull << "Pull Down/Up";
        QTest::newRow("HighHighlight") << "HighHighlight" << "High Level";
    }
    void circlesSpeakTheirTitleAndKind()
    {
        QFETCH(QString, circle);
        QFETCH(QString, name);
        QAccessibleInterface *iface = accessible(qPrintable(circle));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("settings highlight"));
    }

    // The kinds the product does not use, on a circle of the component set alone.
    void everyKindOfCircleHasItsWords_data()
    {
        QTest::addColumn<BoardView::THighlightType>("type");
        QTest::addColumn<QString>("description");
        QTest::newRow("htOptions") << BoardView::htOptions << "information highlight";
        QTest::newRow("htSettings") << BoardView::htSettings << "settings highlight";
        QTest::newRow("htCalibration") << BoardView::htCalibration << "calibration highlight";
    }
    void everyKindOfCircleHasItsWords()
    {
        QFETCH(BoardView::THighlightType, type);
        QFETCH(QString, description);
        TBoardHighlight circle;
        circle.setHighlightType(type);
        circle.setTitle(QStringLiteral("&Reference Voltage"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&circle);
        QCOMPARE(iface->text(QAccessible::Description), description);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Reference Voltage"));
    }

    void jumpersSpeakTheirLabelAndState_data()
    {
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<QString>("name");
        QTest::newRow("1.8V") << "High18Jumper" << "1.8V: open";
        QTest::newRow("2.5V") << "High25Jumper" << "2.5V: open";
        QTest::newRow("3.3V") << "High33Jumper" << "3.3V: open";
        QTest::newRow("5V") << "High50Jumper" << "5V: closed";
        QTest::newRow("pull") << "PullJumper" << "Pull / Dn / Up: cap on the middle and right pins";
    }
    void jumpersSpeakTheirLabelAndState()
    {
        QFETCH(QString, jumper);
        QFETCH(QString, name);
        QAccessibleInterface *iface = accessible(qPrintable(jumper));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QVERIFY(!iface->text(QAccessible::Description).isEmpty());
    }

    // Pressing a jumper through its accessible action runs the option rules as a click does,
    // and every drawing then speaks the state it shows.
    void pressingAJumperRunsTheOptionRules()
    {
        accessible("High25Jumper")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(accessible("High25Jumper")->text(QAccessible::Name), QStringLiteral("2.5V: closed"));
        QCOMPARE(accessible("High50Jumper")->text(QAccessible::Name), QStringLiteral("5V: open"));
        QCOMPARE(form->HighCombo->currentText(), QStringLiteral("High 2.5V"));
    }

    // A popup is named by its caption and described by its panel's text; its jumpers keep
    // their labels, which moved into it with the panel.
    void popupSpeaksItsCaptionAndText()
    {
        form->showForm();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        auto *circle = qobject_cast<TBoardHighlight *>(form->findComponent(QStringLiteral("HighHighlight"))->object());
        QTRY_VERIFY(circle->firstPaintDone());
        circle->MouseEnter(0);
        TPopupForm *popup = circle->popup();
        QVERIFY(popup);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(popup);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("High Level"));
        QCOMPARE(iface->text(QAccessible::Description),
                 QStringLiteral("These jumpers set the voltage level used for a logic high."));
        QCOMPARE(accessible("High18Jumper")->text(QAccessible::Name), QStringLiteral("1.8V: open"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_Accessibility.moc"
