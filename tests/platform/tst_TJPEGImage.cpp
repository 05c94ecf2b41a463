#include "TJPEGImage.h"

#include <QFile>
#include <QPainter>
#include <QTest>

namespace {

QByteArray boardPhoto()
{
    QFile file(QStringLiteral(BOARD_PHOTO));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", BOARD_PHOTO);
    return file.readAll();
}

QImage drawn(const TGraphic &graphic, QSize canvas, QRect target)
{
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    graphic.Draw(painter, target);
    return image;
}

} // namespace

class TestTJPEGImage : public QObject
{
    Q_OBJECT
private slots:
    void startsEmpty()
    {
        TJPEGImage jpeg;
        QVERIFY(jpeg.Empty());
        QCOMPARE(jpeg.Width(), 0);
        QVERIFY(!jpeg.HasPalette());
        QCOMPARE(drawn(jpeg, QSize(4, 4), QRect(0, 0, 4, 4)).pixel(1, 1), QColor(Qt::magenta).rgb());
    }

    // The product stretches the 600 × 268 photograph into its 662 × 296 board control.
    void drawsStretchedOverTheWholeRectangle()
    {
        TJPEGImage jpeg;
        QString error;
        QVERIFY2(jpeg.LoadFromBytes(boardPhoto(), &error), qPrintable(error));
        const QImage image = drawn(jpeg, QSize(672, 306), QRect(5, 5, 662, 296));
        const QRgb magenta = QColor(Qt::magenta).rgb();
        for (QPoint inside : {QPoint(5, 5), QPoint(666, 5), QPoint(5, 300), QPoint(666, 300), QPoint(336, 150)})
            QVERIFY2(image.pixel(inside) != magenta, qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
        for (QPoint outside : {QPoint(4, 4), QPoint(667, 150), QPoint(336, 301)})
            QCOMPARE(image.pixel(outside), magenta);
        // Smoothly scaled, the stretched picture matches a filtered resize of the decoded one.
        const QImage reference = jpeg.Image().scaled(662, 296, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QRgb a = image.pixel(5 + 331, 5 + 150), b = reference.pixel(331, 150);
        QVERIFY(qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24);
    }

    void failedLoadKeepsThePicture()
    {
        TJPEGImage jpeg;
        QVERIFY(jpeg.LoadFromBytes(boardPhoto(), nullptr));
        int changes = 0;
        jpeg.SetOnChange([&] { ++changes; });
        QString error;
        QVERIFY(!jpeg.LoadFromBytes(boardPhoto().left(5000), &error));
        QVERIFY(error.contains(QLatin1String("Premature end of JPEG file")));
        QCOMPARE(jpeg.Width(), 600);
        QCOMPARE(changes, 0);
    }

    // A JPEG has no transparent pixels; the flag is kept for the board image's opacity rule.
    void transparencyDoesNotChangeTheDrawing()
    {
        TJPEGImage jpeg;
        QVERIFY(jpeg.LoadFromBytes(boardPhoto(), nullptr));
        const QImage opaque = drawn(jpeg, QSize(600, 268), QRect(0, 0, 600, 268));
        jpeg.SetTransparent(true);
        QVERIFY(jpeg.Transparent());
        QCOMPARE(drawn(jpeg, QSize(600, 268), QRect(0, 0, 600, 268)), opaque);
    }

    void cloneHoldsTheSamePixelsAndFlags()
    {
        TJPEGImage jpeg;
        QVERIFY(jpeg.LoadFromBytes(boardPhoto(), nullptr));
        jpeg.SetTransparent(true);
        jpeg.SetPaletteModified(true);
        const std::unique_ptr<TGraphic> clone = jpeg.Clone();
        QCOMPARE(clone->ClassName(), "TJPEGImage");
        QCOMPARE(static_cast<TJPEGImage &>(*clone).Image(), jpeg.Image());
        QVERIFY(clone->Transparent());
        QVERIFY(clone->PaletteModified());
    }
};

QTEST_MAIN(TestTJPEGImage)
#include "tst_TJPEGImage.moc"
