// The cards list as the product makes it: the setup supporter's build binds the stand-in driver
// library, counts its boards and asks the main form's SetSupGetCardString for each text.
// The stand-in reads VELWDM_BOARDS once per process, at its first call, so each row sets it and
// runs as its own test entry; within one process only the first row can run.
#include "Application.h"
#include "TMainForm.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TLabel.h"
#include "TPCIForm.h"
#include "TSetupSupporter.h"

#include <QTest>

class TestDriverListing : public QObject
{
    Q_OBJECT
    bool m_driverAsked = false;

private slots:
    void cleanup() { Application::instance()->setMessageBoxFunction({}); }

    void shouldListTheBoardsTheDriverReports_data()
    {
        QTest::addColumn<QByteArray>("boards");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("header");
        const QString found = QStringLiteral("QRT-216/224/232(X) Series Settings Program");
        const QString none = QStringLiteral("No QRT-216/224/232(X) Series Card Found");
        QTest::newRow("one-QRT-216-at-0300") << QByteArray("0C6A:0300")
                                             << QStringList{"QRT-216", "Base Address: 0300"} << found;
        QTest::newRow("two-boards-in-index-order")
            << QByteArray("0C79:E000,0C71:0300")
            << QStringList{"QRT-232", "Base Address: E000", "QRT-224", "Base Address: 0300"} << found;
        QTest::newRow("another-model-and-a-QRT-232") << QByteArray("0C70:0400,0C79:D000")
                                                     << QStringList{"QRT-232", "Base Address: D000"} << found;
        QTest::newRow("none") << QByteArray("") << QStringList{"No Card Found"} << none;
        QTest::newRow("a-failing-query") << QByteArray("fail") << QStringList{"No Card Found"} << none;
        QTest::newRow("a-failing-query-before-a-board")
            << QByteArray("fail,0C6A:0300") << QStringList{"QRT-216", "Base Address: 0300"} << found;
        QTest::newRow("base-1D000") << QByteArray("0C71:1D000") << QStringList{"QRT-224", "Base Address: 1D000"}
                                    << found;
    }

    void shouldListTheBoardsTheDriverReports()
    {
        QFETCH(QByteArray, boards);
        QFETCH(QStringList, lines);
        QFETCH(QString, header);
        if (m_driverAsked)
            QSKIP("the stand-in has read its boards already; this row runs as its own test entry");
        m_driverAsked = true;
        qputenv("VELWDM_BOARDS", boards);
        QStringList boxes;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            boxes.append(text);
            return 1;
        });

        TMainForm main;
        auto *menu = new TMainMenu(&main);
        auto *file = new TMenuItem(menu);
        file->setCaption(QStringLiteral("&File"));
        menu->items()->add(file);
        main.setMenu(menu);
        auto *supporter = new TSetupSupporter(&main);
        supporter->setCompanyName(QStringLiteral("Velmar"));
        supporter->setCardNameA(QStringLiteral("QRT-216/224/232(X)"));
        supporter->setOnGetCardString(
            [&main](QObject *sender, int index) { return main.SetSupGetCardString(sender, index); });

        supporter->BuildWindows();

        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
        QCOMPARE(supporter->PCIForm()->PCIMemo()->lines(), lines);
        QVERIFY(supporter->PCIForm()->isVisible());
        QCOMPARE(supporter->HeaderLabel()->caption(), header);
    }
};

QTEST_MAIN(TestDriverListing)
#include "tst_DriverListing.moc"
