#include "Canvas.h"

#include <QTest>

namespace {

constexpr TColor penColor = 0x0000FF;   // red
constexpr TColor brushColor = 0x00FF00; // green
constexpr QRgb untouched = 0xFF202020;

enum Figure { Rect, Round, Oval };

struct Box
{
    int x1, y1, x2, y2, cw = 0, ch = 0;
};

QImage blank(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(untouched);
    return image;
}

void draw(Canvas &canvas, Figure figure, const Box &b)
{
    switch (figure) {
    case Rect: canvas.Rectangle(b.x1, b.y1, b.x2, b.y2); break;
    case Round: canvas.RoundRect(b.x1, b.y1, b.x2, b.y2, b.cw, b.ch); break;
    case Oval: canvas.Ellipse(b.x1, b.y1, b.x2, b.y2); break;
    }
}

QImage drawn(Figure figure, const Box &b, Canvas::PenStyle style, int width, int height)
{
    QImage image = blank(width, height);
    Canvas canvas(image);
    canvas.pen().color = penColor;
    canvas.pen().style = style;
    canvas.brush().color = brushColor;
    draw(canvas, figure, b);
    return image;
}

// '#' pen, 'o' brush, '.' untouched.
QStringList pixelMap(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            row += p == qRgb(255, 0, 0) ? QChar('#') : p == qRgb(0, 255, 0) ? QChar('o')
                 : p == untouched       ? QChar('.') : QChar('?');
        }
        rows << row;
    }
    return rows;
}

QRect touched(const QImage &image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != untouched)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

Q_DECLARE_METATYPE(Figure)
Q_DECLARE_METATYPE(Box)

class TestCanvas : public QObject
{
    Q_OBJECT
private slots:
    // Maps worked out by hand from the rule written in Canvas.h.
    void shouldDrawHandDerivedPixels_data()
    {
        QTest::addColumn<Figure>("figure");
        QTest::addColumn<Box>("box");
        QTest::addColumn<bool>("clearPen");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("rectangle outline and fill") << Rect << Box{1, 1, 5, 4} << false
            << QStringList{"......", ".####.", ".#oo#.", ".####.", "......"};
        QTest::newRow("rectangle, clear pen, one smaller") << Rect << Box{1, 1, 5, 4} << true
            << QStringList{"......", ".ooo..", ".ooo..", "......", "......"};
        QTest::newRow("6x6 ellipse") << Oval << Box{0, 0, 6, 6} << false
            << QStringList{".####.", "#oooo#", "#oooo#", "#oooo#", "#oooo#", ".####."};
        QTest::newRow("6x6 ellipse, clear pen: 5x5 pin") << Oval << Box{0, 0, 6, 6} << true
            << QStringList{".ooo..", "ooooo.", "ooooo.", "ooooo.", ".ooo..", "......"};
        QTest::newRow("8x8 ellipse") << Oval << Box{0, 0, 8, 8} << false
            << QStringList{"..####..", ".#oooo#.", "#oooooo#", "#oooooo#",
                           "#oooooo#", "#oooooo#", ".#oooo#.", "..####.."};
        QTest::newRow("10x8 round rect, 8x8 corners") << Round << Box{0, 0, 10, 8, 8, 8} << false
            << QStringList{"..######..", ".#oooooo#.", "#oooooooo#", "#oooooooo#",
                           "#oooooooo#", "#oooooooo#", ".#oooooo#.", "..######.."};
        QTest::newRow("8x6 round rect, 4x4 corners") << Round << Box{0, 0, 8, 6, 4, 4} << false
            << QStringList{".######.", "#oooooo#", "#oooooo#", "#oooooo#", "#oooooo#", ".######."};
        QTest::newRow("round rect, zero corner is a rectangle") << Round << Box{0, 0, 4, 3, 0, 0} << false
            << QStringList{"####", "#oo#", "####"};
        QTest::newRow("empty box draws nothing") << Oval << Box{2, 2, 2, 4} << false
            << QStringList{"....", "....", "....", "...."};
        QTest::newRow("clear pen on a one-pixel box draws nothing") << Rect << Box{1, 1, 2, 2} << true
            << QStringList{"...", "...", "..."};
    }
    void shouldDrawHandDerivedPixels()
    {
        QFETCH(Figure, figure);
        QFETCH(Box, box);
        QFETCH(bool, clearPen);
        QFETCH(QStringList, expected);
        const QImage image = drawn(figure, box, clearPen ? Canvas::psClear : Canvas::psSolid,
                                   expected.first().size(), expected.size());
        QCOMPARE(pixelMap(image), expected);
    }

    // Over many box sizes: every figure stays inside its box, reaches all four of its edges
    // (boxes of at least 3 x 3), and is symmetric about both axes of the box; with the clear pen
    // it covers exactly what the solid figure of the box one pixel smaller covers.
    void shouldKeepFiguresInsideAndSymmetric()
    {
        for (Figure figure : {Rect, Round, Oval})
            for (int w = 1; w <= 14; ++w)
                for (int h = 1; h <= 14; ++h) {
                    const Box box{3, 2, 3 + w, 2 + h, w / 2 + 1, h - 1};
                    const QString what = QStringLiteral("figure %1, %2 x %3").arg(figure).arg(w).arg(h);
                    const QImage solid = drawn(figure, box, Canvas::psSolid, w + 6, h + 5);
                    const QRect extent = touched(solid);
                    const QRect boxRect(box.x1, box.y1, w, h);
                    QVERIFY2(boxRect.contains(extent), qPrintable(what));
                    if (w >= 3 && h >= 3)
                        QVERIFY2(extent == boxRect, qPrintable(what));
                    for (int y = box.y1; y < box.y2; ++y)
                        for (int x = box.x1; x < box.x2; ++x) {
                            QVERIFY2(solid.pixel(x, y) == solid.pixel(box.x1 + box.x2 - 1 - x, y), qPrintable(what));
                            QVERIFY2(solid.pixel(x, y) == solid.pixel(x, box.y1 + box.y2 - 1 - y), qPrintable(what));
                        }

                    const QImage clear = drawn(figure, box, Canvas::psClear, w + 6, h + 5);
                    const Box smaller{box.x1, box.y1, box.x2 - 1, box.y2 - 1, box.cw, box.ch};
                    QImage expected = blank(w + 6, h + 5);
                    Canvas canvas(expected);
                    canvas.pen().color = brushColor;
                    canvas.brush().color = brushColor;
                    draw(canvas, figure, smaller);
                    QVERIFY2(clear == expected, qPrintable(what));
                }
    }

    void shouldDrawOnlyAnOutlineOnePixelWide()
    {
        // Every pen pixel of a large ellipse touches the outside through a 4-neighbour, and
        // every brush pixel does not.
        const QImage image = drawn(Oval, Box{0, 0, 30, 20}, Canvas::psSolid, 30, 20);
        const auto inside = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < 30 && y < 20 && image.pixel(x, y) != untouched;
        };
        int penPixels = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) {
                if (!inside(x, y))
                    continue;
                const bool edge = !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1));
                QCOMPARE(image.pixel(x, y) == qRgb(255, 0, 0), edge);
                penPixels += edge;
            }
        QVERIFY(penPixels > 0);
    }

    void shouldClipAtTheImageWithoutChangingTheFigure()
    {
        // The same ellipse drawn half off a small image and whole on a large one, shifted.
        QImage small = blank(6, 6);
        Canvas(small).Ellipse(-4, -3, 6, 5);
        QImage large = blank(10, 9);
        Canvas(large).Ellipse(0, 0, 10, 8);
        QCOMPARE(small, large.copy(4, 3, 6, 6));
    }

    void shouldRestoreSavedPenAndBrush()
    {
        QImage image = blank(4, 4);
        Canvas canvas(image);
        canvas.pen().color = penColor;
        canvas.brush().color = brushColor;
        canvas.Save();
        canvas.pen().color = clWhite;
        canvas.pen().style = Canvas::psClear;
        canvas.Save();
        canvas.brush().color = clBlack;
        canvas.Restore();
        QCOMPARE(canvas.brush().color, brushColor);
        QCOMPARE(canvas.pen().style, Canvas::psClear);
        canvas.Restore();
        QCOMPARE(canvas.pen().color, penColor);
        QCOMPARE(canvas.pen().style, Canvas::psSolid);
        QCOMPARE(canvas.brush().color, brushColor);
        canvas.Restore(); // nothing left to restore
        QCOMPARE(canvas.pen().color, penColor);
    }

    void shouldResolveButtonFaceInThePalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(10, 20, 30));
        QImage image = blank(3, 3);
        Canvas canvas(image, palette);
        canvas.pen().color = clBtnFace;
        canvas.brush().color = clBtnFace;
        canvas.Rectangle(0, 0, 3, 3);
        QCOMPARE(image.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(image.pixel(1, 1), qRgb(10, 20, 30));
    }

    void shouldDrawOpaquePixelsOnArgbImages()
    {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        Canvas canvas(image);
        canvas.brush().color = 0x00FF00;
        canvas.Rectangle(0, 0, 4, 4);
        QCOMPARE(image.pixel(0, 0), qRgba(0, 0, 0, 255));
        QCOMPARE(image.pixel(1, 1), qRgba(0, 255, 0, 255));
        QCOMPARE(image.format(), QImage::Format_ARGB32);
    }

    void shouldResizeTheImageKeepingItsKind()
    {
        QImage image;
        Canvas canvas(image);
        canvas.setSize(7, 3);
        QCOMPARE(image.size(), QSize(7, 3));
        QCOMPARE(image.format(), QImage::Format_RGB32);
    }
};

QTEST_APPLESS_MAIN(TestCanvas)
#include "tst_Canvas.moc"
