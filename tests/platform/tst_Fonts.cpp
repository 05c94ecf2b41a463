#include "Fonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    // Resolution is only asked for after the call, as in the program: nothing caches the
    // fallback a name had before.
    void initTestCase() { InstallApplicationFonts(); }

    void shouldResolveNamesToTheirFaces_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("family");
        QTest::newRow("Tahoma") << "Tahoma" << false << "/usr/share/wine/fonts/tahoma.ttf" << "Tahoma";
        QTest::newRow("Tahoma bold")
            << "Tahoma" << true << "/usr/share/wine/fonts/tahomabd.ttf" << "Tahoma";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << false
                                       << "/usr/share/wine/fonts/ms_sans_serif.ttf" << "MS Sans Serif";
        QTest::newRow("Verdana") << "Verdana" << false
                                 << "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf" << "DejaVu Sans";
        QTest::newRow("Verdana bold") << "Verdana" << true
                                      << "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                                      << "DejaVu Sans";
    }
    void shouldResolveNamesToTheirFaces()
    {
        QFETCH(QString, requested);
        QFETCH(bool, bold);
        QFETCH(QString, file);
        QFETCH(QString, family);
        if (!QFileInfo::exists(file))
            QSKIP(qPrintable(file + " is not installed"));

        QFont font(requested, 12, bold ? QFont::Bold : QFont::Normal);
        const QFontInfo info(font);
        QCOMPARE(info.family(), family);
        // A real bold face, not the regular one emboldened.
        QCOMPARE(info.bold(), bold);
        if (bold)
            QVERIFY2(info.styleName().contains(QLatin1String("Bold"), Qt::CaseInsensitive),
                     qPrintable(info.styleName()));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_Fonts.moc"
