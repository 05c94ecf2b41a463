#include "Geometry.h"

#include <QTest>

class TestGeometry : public QObject
{
    Q_OBJECT
private slots:
    void shouldRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 down") << 2.5 << 2;
        QTest::newRow("4.5 down") << 4.5 << 4;
        QTest::newRow("3.5 up") << 3.5 << 4;
        QTest::newRow("-2.5 to -2") << -2.5 << -2;
        QTest::newRow("9.11 to 9") << 9.11 << 9;
        QTest::newRow("1.28*305") << 1.28 * 305 << 390;
        QTest::newRow("below half") << 127.49 << 127;
    }
    void shouldRoundHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(Round(value), expected);
    }
    void shouldDivideTowardZero()
    {
        QCOMPARE(Div(-5, 2), -2);
        QCOMPARE(Div(-7, 2), -3);
        QCOMPARE(Div(5, 2), 2);
        QCOMPARE(Div(150, 2), 75);
    }
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_Geometry.moc"
