// The binding in a process that the driver library is not linked into and that cannot find it:
// the search path (LD_LIBRARY_PATH, set by the test's registration) holds an empty folder.

#include "BindingChecks.h"
#include "DynamicLibrary.h"

#include <QtTest>

namespace {

QStringList loads;
int lookups = 0;

void *countingLoad(const char *fileName)
{
    loads << fileName;
    return LoadLibraryByName(fileName);
}

void *countingLookup(void *library, const char *name)
{
    ++lookups;
    return ProcAddress(library, name);
}

} // namespace

class tst_MissingLibrary : public QObject
{
    Q_OBJECT

private slots:
    void bindsNothing();
};

void tst_MissingLibrary::bindsNothing()
{
    QVERIFY(!LoadLibraryByName("libVELWDM.so"));
    ResetDriverBindingForTesting({countingLoad, countingLookup});

    BindDriverLibrary();
    BindDriverLibrary();

    QCOMPARE(loads, QStringList({"libVELWDM.so", "libVELWDM.so"}));
    QCOMPARE(lookups, 0);
    QCOMPARE(DriverLibraryBound(), false);
    QCOMPARE(emptyEntries().size(), DriverFunctionCount);
    QVERIFY(!BoundGetNumCards());
}

QTEST_APPLESS_MAIN(tst_MissingLibrary)
#include "tst_MissingLibrary.moc"
