// The binding against a driver library of the right name that lacks GetNumCards, found through
// the search path (LD_LIBRARY_PATH, set by the test's registration).

#include "BindingChecks.h"

#include <QtTest>

class tst_NoGetNumCards : public QObject
{
    Q_OBJECT

private slots:
    void leavesTheCountEmpty();
};

void tst_NoGetNumCards::leavesTheCountEmpty()
{
    QVERIFY2(libraryFileOf(reinterpret_cast<void *>(&QueryCardInfo))
                 .endsWith("/lib/variants/no-get-num-cards/libVELWDM.so"),
             "the variant library is the one loaded");

    BindDriverLibrary();

    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), QStringList{"GetNumCards"});
    QVERIFY(!BoundGetNumCards());
    QVERIFY(DriverEntryPoint(DriverFunction::QueryCardInfo));

    // A run ending with the flag false may be repeated, with the same result.
    BindDriverLibrary();
    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), QStringList{"GetNumCards"});
}

QTEST_APPLESS_MAIN(tst_NoGetNumCards)
#include "tst_NoGetNumCards.moc"
