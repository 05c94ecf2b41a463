// The cards list over a driver that lies about its count: stand-in variants whose GetNumCards
// answers a fixed count (beyond any machine, negative, zero, more than the boards it knows)
// while QueryCardInfo knows only the boards of VELWDM_BOARDS, failing for every other index.
// Each row loads its own variant, so each runs as its own test entry.
#include "Application.h"
#include "TLabel.h"
#include "TMainForm.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TPCIForm.h"
#include "TSetupSupporter.h"
#include "VELWDM.h"

#include <QTest>
#include <climits>

class TestLyingDriver : public QObject
{
    Q_OBJECT
    bool m_driverAsked = false;

private slots:
    void shouldListWhatTheDriverAnswersForWithinTheBound_data()
    {
        QTest::addColumn<int>("reportedCount");
        QTest::addColumn<QByteArray>("boards");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("askedBoards");
        QTest::addColumn<QString>("header");
        const QString found = QStringLiteral("QRT-216/224/232(X) Series Settings Program");
        const QString none = QStringLiteral("No QRT-216/224/232(X) Series Card Found");
        const QStringList noCard{QStringLiteral("No Card Found")};
        const int bound = TSetupSupporter::MaxListedBoards;
        QTest::newRow("count-int32-max")
            << INT_MAX << QByteArray("0C6A:0300,0C79:FFFFFFFF")
            << QStringList{"QRT-216", "Base Address: 0300", "QRT-232", "Base Address: FFFFFFFF"} << bound
            << found;
        QTest::newRow("count-beyond-the-bound")
            << bound + 1 << QByteArray("fail,FFFFFFFF:1000,0C71:E000")
            << QStringList{"QRT-224", "Base Address: E000"} << bound << found;
        QTest::newRow("count-int32-min") << INT_MIN << QByteArray("0C6A:0300") << noCard << 0 << none;
        QTest::newRow("count-zero") << 0 << QByteArray("0C6A:0300") << noCard << 0 << none;
        QTest::newRow("count-beyond-the-boards")
            << 7 << QByteArray("fail,0C70:1000,0C79:FFFFFFFF,0C71:0000")
            << QStringList{"QRT-232", "Base Address: FFFFFFFF", "QRT-224", "Base Address: 0000"} << 7 << found;
    }

    void shouldListWhatTheDriverAnswersForWithinTheBound()
    {
        QFETCH(int, reportedCount);
        QFETCH(QByteArray, boards);
        QFETCH(QStringList, lines);
        QFETCH(int, askedBoards);
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
        int asked = 0;
        bool inIndexOrder = true;
        supporter->setOnGetCardString([&](QObject *sender, int index) {
            inIndexOrder = inIndexOrder && index == asked;
            ++asked;
            return main.SetSupGetCardString(sender, index);
        });

        supporter->BuildWindows();
        Application::instance()->setMessageBoxFunction({});

        // The row's variant, not the real stand-in, answered: the search path found it first.
        QVERIFY(BoundGetNumCards() != nullptr);
        QCOMPARE(BoundGetNumCards()(), reportedCount);
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
        QCOMPARE(asked, askedBoards);
        QVERIFY(inIndexOrder);
        QCOMPARE(supporter->PCIForm()->PCIMemo()->lines(), lines);
        QVERIFY(supporter->PCIForm()->isVisible());
        QCOMPARE(supporter->HeaderLabel()->caption(), header);
    }
};

QTEST_MAIN(TestLyingDriver)
#include "tst_LyingDriver.moc"
