// The stand-in driver library libVELWDM.so as the program meets it: its boards come from
// VELWDM_BOARDS, read by the library itself, and a malformed value costs one line on standard
// error. Each case runs velwdm_probe in a process of its own, so that the variable is read afresh.

#include <QProcess>
#include <QtTest>

class tst_StandinLibrary : public QObject
{
    Q_OBJECT

private slots:
    void reportsBoards_data();
    void reportsBoards();
};

void tst_StandinLibrary::reportsBoards_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("errorLines");

    const QString none = "count 0\n-1 fail\n0 fail\n";
    QTest::newRow("unset") << false << "" << none << 0;
    QTest::newRow("empty") << true << "" << none << 0;
    QTest::newRow("one board") << true << "0C6A:0300"
                               << "count 1\n-1 fail\n0 0C6A 0300\n1 fail\n" << 0;
    QTest::newRow("boards and a failing board")
        << true << "0c71:e000, fail ,0C79:1D000"
        << "count 3\n-1 fail\n0 0C71 E000\n1 fail\n2 0C79 1D000\n3 fail\n" << 0;
    QTest::newRow("malformed entry") << true << "0C71:E000,0C6A" << none << 1;
    QTest::newRow("number beyond 32 bits") << true << "0C71:100000000" << none << 1;
    QTest::newRow("line breaks in the value") << true << "0C71\n:\nE000\nX" << none << 1;
}

void tst_StandinLibrary::reportsBoards()
{
    QFETCH(bool, set);
    QFETCH(QString, value);
    QFETCH(QString, answers);
    QFETCH(int, errorLines);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("VELWDM_BOARDS");
    if (set)
        environment.insert("VELWDM_BOARDS", value);
    QProcess probe;
    probe.setProcessEnvironment(environment);

    probe.start(VELWDM_PROBE, {});
    QVERIFY2(probe.waitForFinished(60000), qPrintable(probe.errorString()));

    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(QString::fromLatin1(probe.readAllStandardOutput()), answers);
    // The probe asks several times; the library reads the variable once and complains once.
    const QByteArray errors = probe.readAllStandardError();
    QCOMPARE(errors.count('\n'), errorLines);
    if (errorLines) {
        QVERIFY(errors.endsWith('\n'));
        QVERIFY(errors.contains("VELWDM_BOARDS"));
    }
}

QTEST_APPLESS_MAIN(tst_StandinLibrary)
#include "tst_StandinLibrary.moc"
