#include "Application.h"
#include "DescriptionReader.h"
#include "Startup.h"
#include "TBoardHighlight.h"
#include "TBoardImage.h"
#include "TComboBox.h"
#include "TLabel.h"
#include "TMainForm.h"
#include "TMainMenu.h"
#include "TMenuItem.h"
#include "TRadioPanel.h"
#include "TSetupSupporter.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QTest>

using Jumpers::jsLeft;
using Jumpers::jsOpen;
using Jumpers::jsRight;

class TestMainForm : public QObject
{
    Q_OBJECT
    TMainForm *form = nullptr;

    QObject *component(const QString &name) const
    {
        Component *c = form->findComponent(name);
        return c ? c->object() : nullptr;
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

    void shouldReadEveryStoredValue_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");
        auto row = [](const char *c, const char *p, const QVariant &v) {
            QTest::addRow("%s.%s", c, p) << QString::fromLatin1(c) << QByteArray(p) << v;
        };
        row("MainForm", "Caption", QStringLiteral("Setup"));
        row("MainForm", "Color", QVariant::fromValue(clWhite));
        row("MainForm", "Font.Name", QStringLiteral("MS Sans Serif"));
        row("MainForm", "Font.Height", -11);
        row("MainForm", "WindowState", QVariant::fromValue(Vcl::wsMaximized));
        row("BoardImage1", "Left", 96);
        row("BoardImage1", "Top", 242);
        row("BoardImage1", "Width", 662);
        row("BoardImage1", "Height", 296);
        row("BoardImage1", "AutoSize", false);
        row("BoardImage1", "Stretch", true);
        row("BoardImage1", "Center", false);
        row("BoardImage1", "CenterOnForm", true);
        row("PullHighlight0", "Left", 128);
        row("PullHighlight0", "Width", 33);
        row("PullHighlight0", "Height", 193);
        row("PullHighlight0", "Title", QStringLiteral("&Pull Down/Up"));
        row("PullHighlight3", "Left", 480);
        row("PullHighlight4", "Left", 552);
        row("HighHighlight", "Left", 616);
        row("HighHighlight", "Top", 16);
        row("HighHighlight", "Height", 25);
        row("HighHighlight", "Title", QStringLiteral("&High Level"));
        row("HighHighlight", "CreatePopup", true);
        row("HighPanel", "Left", 536);
        row("HighPanel", "Top", 24);
        row("HighPanel", "Width", 217);
        row("HighPanel", "Height", 113);
        row("HighPanel", "Lines", QStringList{QStringLiteral("These jumpers set the voltage level used for a logic high.")});
        row("HighPanel", "RadioEnabled", false);
        row("HighPanel", "MemoHeight", 58);
        row("HighPanel", "Visible", false);
        row("HighPanel", "TabOrder", 1);
        row("PullPanel", "Left", 176);
        row("PullPanel", "Height", 105);
        row("PullPanel", "TabOrder", 2);
        row("Label1", "Caption", QStringLiteral("1.8V"));
        row("Label5", "Caption", QStringLiteral("5V"));
        row("Label2", "Caption", QStringLiteral("Pull\nDn / Up"));
        row("Label2", "Width", 89);
        row("High18Jumper", "Left", 64);
        row("High18Jumper", "Width", 18);
        row("High18Jumper", "Height", 34);
        row("High18Jumper", "Closed", false);
        row("High50Jumper", "Closed", true);
        row("High50Jumper", "Left", 136);
        row("PullJumper", "Left", 88);
        row("PullJumper", "Top", 44);
        row("PullJumper", "Width", 43);
        row("PullJumper", "AllowOpen", true);
        row("HighCombo", "Items", QStringList{QStringLiteral("High 5V"), QStringLiteral("High 3.3V"),
                                             QStringLiteral("High 2.5V"), QStringLiteral("High 1.8V")});
        row("HighCombo", "ItemIndex", -1);
        row("PullCombo", "Items", QStringList{QStringLiteral("Pull Up"), QStringLiteral("Pull Down"), QStringLiteral("Floating")});
        row("PullCombo", "ItemIndex", -1);
        row("PullCombo", "Width", 137);
        row("SetSup", "CompanyName", QStringLiteral("Velmar"));
        row("SetSup", "CardNameA", QStringLiteral("QRT-216/224/232(X)"));
        row("SetSup", "CardNameB", QStringLiteral("QRT216/224/232(X)"));
        row("SetSup", "CallHow", QStringLiteral("between 8 am and 5 pm Pacific Time at 1-800-555-0142"));
        row("SetSup", "MultiPort", true);
        row("SetSup", "UseCardNameB", false);
        row("SetSup", "bSeries", true);
        row("SetSup", "Channels", QVariant::fromValue(quint8(8)));
    }
    void shouldReadEveryStoredValue()
    {
        QFETCH(QString, component);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        QObject *object = component == QLatin1String("MainForm") ? form : this->component(component);
        QVERIFY2(object, qPrintable(component));
        QVariant actual = DescriptionReader::readProperty(object, property);
        QVERIFY2(actual.isValid(), property.constData());
        if (actual.metaType() != expected.metaType())
            QVERIFY(actual.convert(expected.metaType()));
        QCOMPARE(actual, expected);
    }

    void shouldKeepChildOrderAndReferences()
    {
        QStringList controls;
        for (QObject *o : form->client()->children())
            if (o->isWidgetType() && !o->objectName().isEmpty())
                controls << o->objectName();
        QCOMPARE(controls.mid(0, 3), (QStringList{"BoardImage1", "HighPanel", "PullPanel"}));
        QStringList circles;
        for (QObject *o : form->BoardImage1->children())
            if (qobject_cast<TBoardHighlight *>(o))
                circles << o->objectName();
        QCOMPARE(circles, (QStringList{"PullHighlight0", "PullHighlight1", "PullHighlight2", "PullHighlight3",
                                       "PullHighlight4", "HighHighlight"}));
        QCOMPARE(form->BoardImage1->property("First").value<TBoardHighlight *>(), component("PullHighlight0"));
        QCOMPARE(component("PullHighlight2")->property("RadioPanel").value<TRadioPanel *>(), form->PullPanel);
        QCOMPARE(component("HighHighlight")->property("RadioPanel").value<TRadioPanel *>(), form->HighPanel);
        QStringList highChildren;
        for (QObject *o : form->HighPanel->children())
            if (o->isWidgetType() && !o->objectName().isEmpty())
                highChildren << o->objectName();
        QCOMPARE(highChildren, (QStringList{"Label1", "High18Jumper", "High25Jumper", "High33Jumper", "High50Jumper",
                                           "Label3", "Label4", "Label5", "HighCombo"}));
    }

    void shouldBuildMenuWithItsHandlers()
    {
        TMainMenu *menu = form->menu();
        QVERIFY(menu);
        QCOMPARE(menu->count(), 2);
        QCOMPARE(menu->item(0)->caption(), QStringLiteral("&File"));
        QCOMPARE(menu->item(0)->item(0)->caption(), QStringLiteral("&Exit"));
        QCOMPARE(menu->item(0)->item(0)->objectName(), QStringLiteral("Exit2"));
        QCOMPARE(menu->item(1)->caption(), QStringLiteral("&Help"));
        QCOMPARE(menu->item(1)->item(0)->caption(), QStringLiteral("H&ow to use this program"));
        QCOMPARE(menu->item(1)->item(1)->caption(), QStringLiteral("&Technical Support"));
        for (TMenuItem *item : {menu->item(0)->item(0), menu->item(1)->item(0), menu->item(1)->item(1)})
            QVERIFY(item->onClick());
        // FormCreate hooked the idle event.
        QVERIFY(Application::instance()->onIdle());
    }

    // The logic-high click rule, from every closed jumper and for every click.
    void shouldFollowHighClickRule_data()
    {
        QTest::addColumn<int>("closedBefore"); // 0 = 1.8V ... 3 = 5V
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("closedAfter");
        const char *names[] = {"1.8V", "2.5V", "3.3V", "5V"};
        const int table[4][4] = {
            // click on 1.8, 2.5, 3.3, 5 with 5V, 3.3V, 2.5V, 1.8V closed (rows from 1.8V up)
            {1, 1, 2, 3}, // 1.8V closed
            {0, 0, 2, 3}, // 2.5V closed
            {0, 1, 1, 3}, // 3.3V closed
            {0, 1, 2, 2}, // 5V closed
        };
        for (int before = 0; before < 4; ++before)
            for (int click = 0; click < 4; ++click)
                QTest::addRow("%s closed, click %s", names[before], names[click]) << before << click << table[before][click];
    }
    void shouldFollowHighClickRule()
    {
        QFETCH(int, closedBefore);
        QFETCH(int, clicked);
        QFETCH(int, closedAfter);
        TTwoJumper *jumpers[] = {form->High18Jumper, form->High25Jumper, form->High33Jumper, form->High50Jumper};
        const char *items[] = {"High 1.8V", "High 2.5V", "High 3.3V", "High 5V"};
        for (int i = 0; i < 4; ++i)
            jumpers[i]->setClosed(i == closedBefore);
        jumpers[clicked]->Click();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(jumpers[i]->closed(), i == closedAfter);
        QCOMPARE(form->HighCombo->currentText(), QString::fromLatin1(items[closedAfter]));
    }

    void shouldWalkPullCycleWithCombo()
    {
        QCOMPARE(form->PullJumper->jumperState(), jsRight);
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            form->PullJumper->Click();
            seen << form->PullCombo->currentText();
        }
        QCOMPARE(seen, (QStringList{"Floating", "Pull Down", "Pull Up"}));
    }

    void shouldMoveDrawingWhenUserPicksItem_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("pullState");
        QTest::newRow("Pull Up") << 0 << int(jsRight);
        QTest::newRow("Pull Down") << 1 << int(jsLeft);
        QTest::newRow("Floating") << 2 << int(jsOpen);
    }
    void shouldMoveDrawingWhenUserPicksItem()
    {
        QFETCH(int, index);
        QFETCH(int, pullState);
        form->PullJumper->setJumperState(index == 0 ? jsOpen : jsRight); // start elsewhere
        form->PullCombo->setCurrentIndex(index);
        emit form->PullCombo->activated(index); // what the user's pick raises
        QCOMPARE(int(form->PullJumper->jumperState()), pullState);

        form->HighCombo->setCurrentIndex(3 - index);
        emit form->HighCombo->activated(3 - index);
        TTwoJumper *jumpers[] = {form->High50Jumper, form->High33Jumper, form->High25Jumper, form->High18Jumper};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(jumpers[i]->closed(), i == 3 - index);
    }

    void shouldSelectDrawingsItemOnEnter()
    {
        form->PullJumper->setJumperState(jsLeft);
        form->High50Jumper->setClosed(false);
        form->High33Jumper->setClosed(true);
        form->PullPanelEnter(form->PullPanel);
        form->HighPanelEnter(form->HighPanel);
        QCOMPARE(form->PullCombo->currentText(), QStringLiteral("Pull Down"));
        QCOMPARE(form->HighCombo->currentText(), QStringLiteral("High 3.3V"));
        // None closed: the selection stays.
        form->High33Jumper->setClosed(false);
        form->HighPanelEnter(form->HighPanel);
        QCOMPARE(form->HighCombo->currentText(), QStringLiteral("High 3.3V"));
    }

    void shouldRunNoHandlerForAssignmentsInCode()
    {
        int calls = 0;
        const NotifyEvent count = [&](QObject *) { ++calls; };
        for (const char *name : {"High18Jumper", "High25Jumper", "High33Jumper", "High50Jumper", "PullJumper"})
            component(QString::fromLatin1(name))->setProperty("OnClick", QVariant::fromValue(count));
        form->HighCombo->setOnChange(count);
        form->PullCombo->setOnChange(count);
        form->PullPanel->setOnEnter(count);
        form->HighPanel->setOnEnter(count);
        form->HighCombo->setCurrentIndex(2);
        form->PullCombo->setCurrentIndex(1);
        form->High18Jumper->setClosed(true);
        form->PullJumper->setJumperState(jsOpen);
        QCOMPARE(calls, 0);
    }

    // The idle hook stays with the application object after the form that set it is freed.
    void shouldIgnoreIdleAfterFormIsFreed()
    {
        QStringList boxes;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            boxes << text;
            return MessageBoxResult::Ok;
        });
        const IdleEvent hook = Application::instance()->onIdle();
        QVERIFY(hook);
        delete form;
        form = nullptr;
        bool done = true;
        hook(Application::instance(), done);
        Application::instance()->setMessageBoxFunction({});
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(u'\n')));
        QVERIFY(done);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_TMainForm.moc"
