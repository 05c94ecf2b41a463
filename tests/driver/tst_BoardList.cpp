// The stand-in driver's parser of VELWDM_BOARDS.

#include "BoardList.h"

#include <QStringList>
#include <QtTest>

namespace {

// Boards as "DEVICEID:BASE" in upper-case hexadecimal without padding, or "fail", joined by ','.
QString describe(const Board *boards, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        const Board &board = boards[i];
        parts << (board.fails ? QStringLiteral("fail")
                              : QString::number(board.deviceId, 16).toUpper() + ':'
                                    + QString::number(board.base, 16).toUpper());
    }
    return parts.join(',');
}

QByteArray boardsText(int n)
{
    QByteArrayList entries;
    for (int i = 1; i <= n; ++i)
        entries << QByteArray::number(i, 16) + ":100";
    return entries.join(',');
}

} // namespace

class tst_BoardList : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void rejects_data();
    void rejects();
    void writesNoMoreThanMax_data();
    void writesNoMoreThanMax();
};

void tst_BoardList::parses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("boards");

    QTest::newRow("null text") << QByteArray() << "";
    QTest::newRow("empty") << QByteArray("") << "";
    QTest::newRow("blanks only") << QByteArray(" \t\n ") << "";
    QTest::newRow("one board") << QByteArray("0C71:E000") << "C71:E000";
    QTest::newRow("two boards") << QByteArray("0C71:E000,0C6A:0300") << "C71:E000,C6A:300";
    QTest::newRow("fail entry") << QByteArray("fail") << "fail";
    QTest::newRow("fail between boards")
        << QByteArray("0C71:E000,fail,0C79:1D000") << "C71:E000,fail,C79:1D000";
    QTest::newRow("fail in any case") << QByteArray("FAIL,Fail") << "fail,fail";
    QTest::newRow("lower-case digits") << QByteArray("0c6a:e000") << "C6A:E000";
    QTest::newRow("mixed-case digits") << QByteArray("0C7a:dEaD") << "C7A:DEAD";
    QTest::newRow("blanks around entries and colon")
        << QByteArray(" 0C71 : E000 ,\tfail\r\n, 0C6A:0300 ") << "C71:E000,fail,C6A:300";
    QTest::newRow("single digits") << QByteArray("0:0") << "0:0";
    QTest::newRow("largest values") << QByteArray("FFFFFFFF:FFFFFFFF") << "FFFFFFFF:FFFFFFFF";
    QTest::newRow("leading zeros beyond eight digits")
        << QByteArray("0000000000000C71:00000000FFFFFFFF") << "C71:FFFFFFFF";
    QTest::newRow("as many boards as fit")
        << boardsText(BOARD_LIST_MAX) << QString(boardsText(BOARD_LIST_MAX)).toUpper();
}

void tst_BoardList::parses()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, boards);
    Board out[BOARD_LIST_MAX];
    BoardListError error = {0, nullptr};

    const int count = ParseBoards(text.isNull() ? nullptr : text.constData(), out, BOARD_LIST_MAX,
                                  &error);

    QVERIFY2(count >= 0, error.reason);
    QCOMPARE(describe(out, count), boards);
}

void tst_BoardList::rejects_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("entry");

    QTest::newRow("device ID beyond 32 bits") << QByteArray("100000000:E000") << 1;
    QTest::newRow("base beyond 32 bits") << QByteArray("0C71:1FFFFFFFF") << 1;
    QTest::newRow("far too long a number")
        << QByteArray("0C71:E000,FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF:0") << 2;
    QTest::newRow("device ID only") << QByteArray("0C71") << 1;
    QTest::newRow("no base") << QByteArray("0C71:") << 1;
    QTest::newRow("no device ID") << QByteArray(":E000") << 1;
    QTest::newRow("third field") << QByteArray("0C71:E000:1") << 1;
    QTest::newRow("blank inside a number") << QByteArray("0C 71:E000") << 1;
    QTest::newRow("hexadecimal prefix") << QByteArray("0x0C71:E000") << 1;
    QTest::newRow("plus sign") << QByteArray("+C71:E000") << 1;
    QTest::newRow("minus sign") << QByteArray("0C71:-1") << 1;
    QTest::newRow("not a hexadecimal digit") << QByteArray("0G71:E000") << 1;
    QTest::newRow("leading comma") << QByteArray(",0C71:E000") << 1;
    QTest::newRow("empty entry between")
        << QByteArray("0C71:E000,,0C6A:0300") << 2;
    QTest::newRow("blank entry between") << QByteArray("0C71:E000, ,0C6A:0300") << 2;
    QTest::newRow("trailing comma") << QByteArray("0C71:E000,") << 2;
    QTest::newRow("other separator") << QByteArray("0C71:E000;0C6A:0300") << 1;
    QTest::newRow("line break as separator") << QByteArray("0C71:E000\n0C6A:0300") << 1;
    QTest::newRow("word beginning with fail") << QByteArray("failed") << 1;
    QTest::newRow("fail with values") << QByteArray("fail:E000") << 1;
    QTest::newRow("part of fail") << QByteArray("fai") << 1;
    QTest::newRow("non-ASCII text") << QByteArray("0C71:E000,\xC3\xA9") << 2;
    QTest::newRow("one board too many")
        << boardsText(BOARD_LIST_MAX + 1) << BOARD_LIST_MAX + 1;
}

void tst_BoardList::rejects()
{
    QFETCH(QByteArray, text);
    QFETCH(int, entry);
    Board out[BOARD_LIST_MAX];
    BoardListError error = {0, nullptr};

    QCOMPARE(ParseBoards(text.constData(), out, BOARD_LIST_MAX, &error), -1);
    QCOMPARE(error.entry, entry);
    QVERIFY(error.reason && *error.reason);
    QVERIFY(!QByteArray(error.reason).contains('\n'));
    QCOMPARE(ParseBoards(text.constData(), out, BOARD_LIST_MAX, nullptr), -1);
}

void tst_BoardList::writesNoMoreThanMax_data()
{
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("boards");
    QTest::newRow("no room") << 0 << 1;
    QTest::newRow("room for two, two given") << 2 << 2;
    QTest::newRow("room for two, three given") << 2 << 3;
}

void tst_BoardList::writesNoMoreThanMax()
{
    QFETCH(int, max);
    QFETCH(int, boards);
    Board out[4];
    const Board sentinel = {7, 0xAAAAAAAA, 0x55555555};
    for (Board &board : out)
        board = sentinel;

    const int count = ParseBoards(boardsText(boards).constData(), out, max, nullptr);

    QCOMPARE(count, boards <= max ? boards : -1);
    for (int i = max; i < 4; ++i) {
        QCOMPARE(out[i].fails, sentinel.fails);
        QCOMPARE(out[i].deviceId, sentinel.deviceId);
        QCOMPARE(out[i].base, sentinel.base);
    }
}

QTEST_APPLESS_MAIN(tst_BoardList)
#include "tst_BoardList.moc"
