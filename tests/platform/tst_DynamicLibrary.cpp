// The platform's dynamic-library loader, on a system library and on names that do not exist.

#include "DynamicLibrary.h"

#include <QtTest>

class tst_DynamicLibrary : public QObject
{
    Q_OBJECT

private slots:
    void loadsAndLooksUp();
    void missingLibraryGivesNull();
};

void tst_DynamicLibrary::loadsAndLooksUp()
{
    void *library = LoadLibraryByName("libm.so.6");
    QVERIFY(library);

    auto cosine = reinterpret_cast<double (*)(double)>(ProcAddress(library, "cos"));
    QVERIFY(cosine);
    QCOMPARE(cosine(0.0), 1.0);
    QVERIFY(!ProcAddress(library, "NoSuchFunction"));
}

void tst_DynamicLibrary::missingLibraryGivesNull()
{
    QVERIFY(!LoadLibraryByName("libNoSuchLibraryAnywhere.so"));
    QVERIFY(!LoadLibraryByName("/nonexistent/folder/libm.so.6"));
}

QTEST_APPLESS_MAIN(tst_DynamicLibrary)
#include "tst_DynamicLibrary.moc"
