// The binding against a driver library of the right name that lacks one export, EmergencyReboot,
// found through the search path (LD_LIBRARY_PATH, set by the test's registration, as are the
// boards 0C71:E000,fail,0C6A:0300).

#include "BindingChecks.h"

#include <QtTest>

class tst_NoEmergencyReboot : public QObject
{
    Q_OBJECT

private slots:
    void bindsTheRestAndListsTheBoards();
};

void tst_NoEmergencyReboot::bindsTheRestAndListsTheBoards()
{
    QVERIFY2(libraryFileOf(reinterpret_cast<void *>(&QueryCardInfo))
                 .endsWith("/lib/variants/no-emergency-reboot/libVELWDM.so"),
             "the variant library is the one loaded");

    BindDriverLibrary();

    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), QStringList{"EmergencyReboot"});
    GetNumCardsFunction getNumCards = BoundGetNumCards();
    QVERIFY(getNumCards);
    QCOMPARE(libraryFileOf(reinterpret_cast<void *>(getNumCards)),
             libraryFileOf(reinterpret_cast<void *>(&QueryCardInfo)));
    QCOMPARE(queriedBoards(getNumCards()), QStringList({"C71:E000", "fail", "C6A:300"}));
}

QTEST_APPLESS_MAIN(tst_NoEmergencyReboot)
#include "tst_NoEmergencyReboot.moc"
