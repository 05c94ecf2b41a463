// The driver binding against the real stand-in library, which this test links as the program
// does, with a loader around the platform's that counts, records and can fail on purpose.

#include "DynamicLibrary.h"
#include "VELWDM.h"

#include <QSet>
#include <QStringList>
#include <QtTest>

namespace {

// The export names, in the order in which the maker's library is bound.
const QStringList expectedNames = {
    "GetNumCards", "QueryCardInfo", "QueryBARBase", "WaitForIRQ", "COSWaitForIRQ", "WDGHandleIRQ",
    "AbortRequest", "CloseCard", "WDGInit", "WDGSetTimeout", "WDGSetResetDuration", "WDGPet",
    "WDGReadTemp", "WDGReadStatus", "WDGStart", "WDGStop", "EmergencyReboot", "InPortB",
    "OutPortB", "InPort", "OutPort", "InPortL", "OutPortL", "InPortDWord", "OutPortDWord",
    "RelInPortB", "RelOutPortB", "RelInPort", "RelOutPort", "RelInPortL", "RelOutPortL",
    "RelInPortDWord", "RelOutPortDWord",
};

struct Recorder {
    QStringList loads;
    QStringList lookups;
    bool loadFails = false;
    QSet<QString> missing;
} recorder;

void *recordingLoad(const char *fileName)
{
    recorder.loads << fileName;
    return recorder.loadFails ? nullptr : LoadLibraryByName(fileName);
}

void *recordingLookup(void *library, const char *name)
{
    recorder.lookups << name;
    return recorder.missing.contains(name) ? nullptr : ProcAddress(library, name);
}

DriverFunction entry(int i)
{
    return static_cast<DriverFunction>(i);
}

// The names whose entries are empty.
QStringList emptyEntries()
{
    QStringList names;
    for (int i = 0; i < DriverFunctionCount; ++i) {
        if (!DriverEntryPoint(entry(i)))
            names << DriverFunctionName(entry(i));
    }
    return names;
}

} // namespace

class tst_VELWDM : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void bindsEveryExportInOrder();
    void secondRunNeitherLoadsNorLooksUp();
    void missingLibraryBindsNothing();
    void missingExportLeavesOnlyItsEntryEmpty_data();
    void missingExportLeavesOnlyItsEntryEmpty();
    void failedLoadKeepsTheEntries();
    void boundGetNumCardsAsksTheLinkedLibrary();
};

void tst_VELWDM::initTestCase()
{
    // The library reads its boards at its first call, which comes after this.
    qputenv("VELWDM_BOARDS", "0C79:D000");
}

void tst_VELWDM::init()
{
    recorder = Recorder();
    ResetDriverBindingForTesting({recordingLoad, recordingLookup});
}

void tst_VELWDM::bindsEveryExportInOrder()
{
    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), expectedNames);

    BindDriverLibrary();

    QCOMPARE(recorder.loads, QStringList{"libVELWDM.so"});
    QCOMPARE(recorder.lookups, expectedNames);
    QVERIFY(DriverLibraryBound());
    void *library = LoadLibraryByName("libVELWDM.so");
    QVERIFY(library);
    for (int i = 0; i < DriverFunctionCount; ++i) {
        QCOMPARE(QString(DriverFunctionName(entry(i))), expectedNames[i]);
        const QByteArray name = expectedNames[i].toLatin1();
        QVERIFY2(DriverEntryPoint(entry(i)), name.constData());
        QCOMPARE(DriverEntryPoint(entry(i)), ProcAddress(library, name));
    }
}

void tst_VELWDM::secondRunNeitherLoadsNorLooksUp()
{
    BindDriverLibrary();
    QVERIFY(DriverLibraryBound());
    recorder.loads.clear();
    recorder.lookups.clear();

    BindDriverLibrary();

    QCOMPARE(recorder.loads, QStringList());
    QCOMPARE(recorder.lookups, QStringList());
    QVERIFY(DriverLibraryBound());
    QVERIFY(emptyEntries().isEmpty());
}

void tst_VELWDM::missingLibraryBindsNothing()
{
    recorder.loadFails = true;

    BindDriverLibrary();
    BindDriverLibrary();

    // Each failed run tries the load again and looks nothing up.
    QCOMPARE(recorder.loads, QStringList({"libVELWDM.so", "libVELWDM.so"}));
    QCOMPARE(recorder.lookups, QStringList());
    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), expectedNames);
    QVERIFY(!BoundGetNumCards());
}

void tst_VELWDM::missingExportLeavesOnlyItsEntryEmpty_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("first entry") << "GetNumCards";
    QTest::newRow("in the middle") << "EmergencyReboot";
    QTest::newRow("last entry") << "RelOutPortDWord";
}

void tst_VELWDM::missingExportLeavesOnlyItsEntryEmpty()
{
    QFETCH(QString, missing);
    recorder.missing = {missing};

    BindDriverLibrary();

    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), QStringList{missing});
    QCOMPARE(BoundGetNumCards() == nullptr, missing == "GetNumCards");

    // The run may be repeated, and then loads and looks up all names again; with the name
    // found this time, the binding is complete.
    recorder = Recorder();
    BindDriverLibrary();
    QCOMPARE(recorder.loads, QStringList{"libVELWDM.so"});
    QCOMPARE(recorder.lookups, expectedNames);
    QVERIFY(DriverLibraryBound());
    QVERIFY(emptyEntries().isEmpty());
}

void tst_VELWDM::failedLoadKeepsTheEntries()
{
    recorder.missing = {"EmergencyReboot"};
    BindDriverLibrary();
    void *getNumCards = DriverEntryPoint(DriverFunction::GetNumCards);
    QVERIFY(getNumCards);

    recorder.loadFails = true;
    BindDriverLibrary();

    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries(), QStringList{"EmergencyReboot"});
    QCOMPARE(DriverEntryPoint(DriverFunction::GetNumCards), getNumCards);
}

void tst_VELWDM::boundGetNumCardsAsksTheLinkedLibrary()
{
    BindDriverLibrary();
    GetNumCardsFunction getNumCards = BoundGetNumCards();
    QVERIFY(getNumCards);

    QCOMPARE(getNumCards(), 1);
    uint32_t deviceId = 0;
    uint32_t base = 0;
    QVERIFY(QueryCardInfo(0, &deviceId, &base, nullptr, nullptr) != 0);
    QCOMPARE(deviceId, 0x0C79u);
    QCOMPARE(base, 0xD000u);
}

QTEST_APPLESS_MAIN(tst_VELWDM)
#include "tst_VELWDM.moc"
