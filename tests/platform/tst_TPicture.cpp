#include "TBitmap.h"
#include "TJPEGImage.h"
#include "TPicture.h"

#include <QBuffer>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray boardPhoto()
{
    QFile file(QStringLiteral(BOARD_PHOTO));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", BOARD_PHOTO);
    return file.readAll();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture that already holds a 3 × 2 bitmap and counts its change notifications.
struct WatchedPicture
{
    TPicture picture;
    int changes = 0;
    WatchedPicture()
    {
        picture.SetGraphic(std::make_unique<TBitmap>(solid(3, 2, Qt::red)));
        picture.OnChange = [this] { ++changes; };
    }
};

} // namespace

class TestTPicture : public QObject
{
    Q_OBJECT
private slots:
    void emptyPictureHasNoSize()
    {
        TPicture picture;
        QVERIFY(!picture.Graphic());
        QCOMPARE(picture.Width(), 0);
        QCOMPARE(picture.Height(), 0);
    }

    void streamLayoutIsLengthNameCountBytes()
    {
        const QByteArray photo = boardPhoto();
        const QByteArray stream = TPicture::MakeStream(QStringLiteral("TJPEGImage"), photo);
        QCOMPARE(stream.size(), 1 + 10 + 4 + photo.size());
        QCOMPARE(int(quint8(stream[0])), 10);
        QCOMPARE(stream.mid(1, 10), QByteArray("TJPEGImage"));
        QCOMPARE(qFromLittleEndian<quint32>(stream.constData() + 11), quint32(photo.size()));
        QCOMPARE(stream.mid(15), photo);
    }

    void streamCannotNameAnImpossibleClass()
    {
        QVERIFY(TPicture::MakeStream(QString(), "x").isEmpty());
        QVERIFY(TPicture::MakeStream(QString(256, u'T'), "x").isEmpty());
        QCOMPARE(int(quint8(TPicture::MakeStream(QString(255, u'T'), "x")[0])), 255);
    }

    void loadsThePhotographByClassNameInAnyCase_data()
    {
        QTest::addColumn<QString>("className");
        QTest::newRow("as written") << "TJPEGImage";
        QTest::newRow("lower case") << "tjpegimage";
        QTest::newRow("mixed case") << "TJpegImage";
    }
    void loadsThePhotographByClassNameInAnyCase()
    {
        QFETCH(QString, className);
        WatchedPicture w;
        QString error;
        QVERIFY2(w.picture.LoadFromStream(TPicture::MakeStream(className, boardPhoto()), &error), qPrintable(error));
        QCOMPARE(w.changes, 1);
        QCOMPARE(w.picture.Graphic()->ClassName(), "TJPEGImage");
        QCOMPARE(w.picture.Width(), 600);
        QCOMPARE(w.picture.Height(), 268);
    }

    void loadsBitmapsFromPngAndBmp_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << QByteArray("PNG");
        QTest::newRow("BMP") << QByteArray("BMP");
    }
    void loadsBitmapsFromPngAndBmp()
    {
        QFETCH(QByteArray, format);
        TPicture picture;
        QString error;
        const QImage image = solid(5, 4, QColor(10, 200, 30));
        QVERIFY2(picture.LoadFromStream(TPicture::MakeStream(QStringLiteral("TBitmap"), encoded(image, format)), &error),
                 qPrintable(error));
        auto *bitmap = dynamic_cast<TBitmap *>(picture.Graphic());
        QVERIFY(bitmap);
        QCOMPARE(bitmap->Image().size(), QSize(5, 4));
        QCOMPARE(QColor(bitmap->Image().pixel(4, 3)), QColor(10, 200, 30));
    }

    void malformedStreamsAreRefusedAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("message");
        const QByteArray photo = boardPhoto();
        const QByteArray good = TPicture::MakeStream(QStringLiteral("TJPEGImage"), photo);
        QByteArray countTooLarge = good;
        qToLittleEndian<quint32>(quint32(photo.size() + 1), countTooLarge.data() + 11);
        QByteArray countHuge = good;
        qToLittleEndian<quint32>(0xFFFFFFFFu, countHuge.data() + 11);

        QTest::newRow("empty") << QByteArray() << "is empty";
        QTest::newRow("zero-length class name") << QByteArray("\0\0\0\0\0", 5) << "names no graphic class";
        QTest::newRow("cut inside the class name") << good.left(6) << "ends inside its header";
        QTest::newRow("cut inside the byte count") << good.left(13) << "ends inside its header";
        QTest::newRow("length beyond the stream") << QByteArray("\xFF" "TJPEGImage", 11) << "ends inside its header";
        QTest::newRow("unknown class") << TPicture::MakeStream(QStringLiteral("TMetafile"), photo)
                                       << "unknown graphic class \"TMetafile\"";
        QTest::newRow("class name with control bytes") << TPicture::MakeStream(QStringLiteral("T\x01\x02"), photo)
                                                       << "unknown graphic class \"T??\"";
        QTest::newRow("count one beyond the data") << countTooLarge << "cut short";
        QTest::newRow("count near 4 GiB") << countHuge << "cut short";
        QTest::newRow("bytes beyond the count") << good + QByteArray("xyz") << "3 bytes beyond";
        QTest::newRow("JPEG cut short") << TPicture::MakeStream(QStringLiteral("TJPEGImage"), photo.left(photo.size() / 2))
                                        << "Premature end of JPEG file";
        QTest::newRow("no JPEG bytes") << TPicture::MakeStream(QStringLiteral("TJPEGImage"), QByteArray())
                                       << "The picture is empty";
        QTest::newRow("JPEG bytes as a bitmap") << TPicture::MakeStream(QStringLiteral("TBitmap"), photo)
                                                << "not in BMP or PNG format";
        QTest::newRow("damaged PNG") << TPicture::MakeStream(QStringLiteral("TBitmap"),
                                                             encoded(solid(40, 40, Qt::blue), "PNG").left(60))
                                     << "The bitmap is damaged";
    }
    void malformedStreamsAreRefusedAndChangeNothing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, message);
        WatchedPicture w;
        TGraphic *before = w.picture.Graphic();
        QString error;
        QVERIFY(!w.picture.LoadFromStream(stream, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(w.picture.Graphic(), before);
        QCOMPARE(w.picture.Width(), 3);
        QCOMPARE(w.changes, 0);
    }

    void assignCopiesTheGraphic()
    {
        TPicture source;
        QVERIFY(source.LoadFromStream(TPicture::MakeStream(QStringLiteral("TJPEGImage"), boardPhoto())));
        source.Graphic()->SetTransparent(true);
        WatchedPicture w;
        w.picture.Assign(source);
        QCOMPARE(w.changes, 1);
        QVERIFY(w.picture.Graphic() != source.Graphic());
        QCOMPARE(w.picture.Graphic()->ClassName(), "TJPEGImage");
        QVERIFY(w.picture.Graphic()->Transparent());
        QCOMPARE(static_cast<TJPEGImage *>(w.picture.Graphic())->Image(),
                 static_cast<TJPEGImage *>(source.Graphic())->Image());

        // The copy stands on its own: emptying the source leaves it whole.
        source.SetGraphic(nullptr);
        QCOMPARE(w.picture.Width(), 600);
    }

    void assignFromAnEmptyPictureEmpties()
    {
        WatchedPicture w;
        TPicture empty;
        w.picture.Assign(empty);
        QVERIFY(!w.picture.Graphic());
        QCOMPARE(w.picture.Width(), 0);
        QCOMPARE(w.changes, 1);
    }

    void assignToItselfKeepsTheGraphic()
    {
        WatchedPicture w;
        TGraphic *graphic = w.picture.Graphic();
        w.picture.Assign(w.picture);
        QCOMPARE(w.picture.Graphic(), graphic);
        QCOMPARE(w.changes, 1);
    }

    // The graphic's own changes reach the picture that holds it, and only that one.
    void graphicChangesReachOnlyTheirOwnPicture()
    {
        WatchedPicture original;
        WatchedPicture copy;
        copy.picture.Assign(original.picture);
        copy.changes = 0;

        original.picture.Graphic()->SetTransparent(true);
        QCOMPARE(original.changes, 1);
        QCOMPARE(copy.changes, 0);
        original.picture.Graphic()->SetTransparent(true);
        QCOMPARE(original.changes, 1);

        copy.picture.Graphic()->SetTransparent(true);
        QCOMPARE(copy.changes, 1);
        QCOMPARE(original.changes, 1);
    }

    void newGraphicReportsAndClonesDoNot()
    {
        WatchedPicture w;
        std::unique_ptr<TGraphic> kept = w.picture.Graphic()->Clone();
        auto *detached = new TBitmap(solid(2, 2, Qt::green));
        w.picture.SetGraphic(std::unique_ptr<TGraphic>(detached));
        QCOMPARE(w.changes, 1);
        static_cast<TBitmap *>(w.picture.Graphic())->SetImage(solid(4, 4, Qt::green));
        QCOMPARE(w.changes, 2);
        QCOMPARE(w.picture.Width(), 4);
        kept->SetTransparent(true); // a clone carries no handler of the picture
        QCOMPARE(w.changes, 2);
    }
};

QTEST_MAIN(TestTPicture)
#include "tst_TPicture.moc"
