#include "TBitmap.h"

#include <QPainter>
#include <QTest>

namespace {

// Two columns: red on the left, blue on the right, with a green bottom-left pixel.
QImage keyedImage()
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(1, 1, qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(0, 255, 0));
    image.setPixel(3, 0, qRgb(0, 255, 0));
    return image;
}

QImage drawn(const TGraphic &graphic, QRect target, QSize canvas = QSize(40, 20))
{
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    graphic.Draw(painter, target);
    return image;
}

} // namespace

class TestTBitmap : public QObject
{
    Q_OBJECT
private slots:
    void drawsStretchedIntoTheRectangle()
    {
        const TBitmap bitmap(keyedImage());
        QCOMPARE(bitmap.Width(), 4);
        QCOMPARE(bitmap.Height(), 2);
        const QImage image = drawn(bitmap, QRect(0, 0, 40, 20));
        QCOMPARE(QColor(image.pixel(2, 2)), QColor(255, 0, 0));   // top-left cell, scaled ×10
        QCOMPARE(QColor(image.pixel(25, 15)), QColor(0, 0, 255)); // right half, lower row
        QCOMPARE(QColor(image.pixel(2, 17)), QColor(0, 255, 0));  // bottom-left cell
    }

    // Transparent bitmaps let the background show where they have their bottom-left colour,
    // wherever else that colour appears too.
    void transparentBitmapKeysOutItsBottomLeftColour()
    {
        TBitmap bitmap(keyedImage());
        int changes = 0;
        bitmap.SetOnChange([&] { ++changes; });
        bitmap.SetTransparent(true);
        QCOMPARE(changes, 1);
        const QImage image = drawn(bitmap, QRect(0, 0, 4, 2), QSize(4, 2));
        QCOMPARE(QColor(image.pixel(0, 1)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(3, 0)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(255, 0, 0));
        QCOMPARE(QColor(image.pixel(2, 1)), QColor(0, 0, 255));
        bitmap.SetTransparent(false);
        QCOMPARE(QColor(drawn(bitmap, QRect(0, 0, 4, 2), QSize(4, 2)).pixel(0, 1)), QColor(0, 255, 0));
        QCOMPARE(changes, 2);
    }

    void emptyBitmapDrawsNothing()
    {
        const TBitmap bitmap;
        QVERIFY(bitmap.Empty());
        QCOMPARE(QColor(drawn(bitmap, QRect(0, 0, 40, 20)).pixel(5, 5)), QColor(Qt::white));
        TBitmap transparent;
        transparent.SetTransparent(true); // no bottom-left pixel to read
        QCOMPARE(QColor(drawn(transparent, QRect(0, 0, 40, 20)).pixel(5, 5)), QColor(Qt::white));
    }
};

QTEST_MAIN(TestTBitmap)
#include "tst_TBitmap.moc"
