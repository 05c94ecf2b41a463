#include "BoardFixture.h"
#include "Application.h"
#include "ComponentRegistry.h"
#include "Control.h"
#include "DescriptionReader.h"
#include "Geometry.h"
#include "Messages.h"
#include "TBoardHighlight.h"
#include "TBoardImage.h"
#include "TForm.h"
#include "TMainMenu.h"
#include "TMenuItem.h"

#include <QBuffer>
#include <QTest>

using namespace BoardFixture;

namespace {

// A graphic whose drawing fails, to see that the board recovers from it.
class FailingGraphic : public TGraphic
{
public:
    const char *ClassName() const override { return "TFailing"; }
    int Width() const override { return 10; }
    int Height() const override { return 10; }
    void Draw(QPainter &, const QRect &) const override { throw std::runtime_error("cannot draw"); }
    bool LoadFromBytes(const QByteArray &, QString *) override { return false; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<FailingGraphic>(); }
};

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class tst_TBoardImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallPictureConverter();
        RegisterComponentClass<TBoardImage>();
    }

    void constructorDefaults()
    {
        TBoardImage image;
        QCOMPARE(image.size(), QSize(105, 105));
        QVERIFY(image.autoSize());
        QVERIFY(image.scale());
        QVERIFY(image.centerOnForm());
        QVERIFY(!image.stretch());
        QVERIFY(!image.center());
        QVERIFY(!image.transparent());
        QVERIFY(!image.menu());
        QCOMPARE(image.picture()->Graphic(), nullptr);
        QVERIFY(!image.opaque());
    }

    void destRect_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("center");
        QTest::addColumn<QSize>("control");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("stretched over the whole client area")
            << true << false << QSize(662, 296) << QSize(600, 268) << QRect(0, 0, 662, 296);
        QTest::newRow("stretch wins over center")
            << true << true << QSize(100, 100) << QSize(105, 50) << QRect(0, 0, 100, 100);
        QTest::newRow("centred, halves truncated toward zero")
            << false << true << QSize(100, 100) << QSize(105, 50) << QRect(-2, 25, 105, 50);
        QTest::newRow("top-left corner at own size")
            << false << false << QSize(100, 100) << QSize(40, 30) << QRect(0, 0, 40, 30);
    }

    void destRect()
    {
        QFETCH(bool, stretch);
        QFETCH(bool, center);
        QFETCH(QSize, control);
        QFETCH(QSize, picture);
        QFETCH(QRect, expected);
        TBoardImage image;
        image.setAutoSize(false);
        image.resize(control);
        image.setStretch(stretch);
        image.setCenter(center);
        image.setPicture(bitmapPicture(quadrantImage(picture.width(), picture.height())));
        QCOMPARE(image.DestRect(), expected);
        QCOMPARE(image.size(), control);
    }

    // What the board paints is the picture in DestRect over the panel's colour, and the same
    // image reaches the screen.
    void paintsPictureIntoDestRect_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("center");
        QTest::newRow("stretched") << true << false;
        QTest::newRow("centred") << false << true;
        QTest::newRow("top-left") << false << false;
    }

    void paintsPictureIntoDestRect()
    {
        QFETCH(bool, stretch);
        QFETCH(bool, center);
        TForm form;
        auto *image = new TBoardImage(form.client());
        image->setCenterOnForm(false);
        image->setAutoSize(false);
        SetBounds(image, 0, 0, 100, 80);
        image->setStretch(stretch);
        image->setCenter(center);
        image->setColor(0x00FF00FF); // magenta shows where the picture leaves the control bare
        const QImage source = quadrantImage(60, 40);
        image->setPicture(bitmapPicture(source));

        const QImage painted = image->PaintedImage();
        QCOMPARE(painted.size(), QSize(100, 80));
        const QRect dest = image->DestRect();
        const QRgb bare = qRgb(255, 0, 255);
        if (!stretch) {
            QCOMPARE(painted.pixel(dest.left() + 1, dest.top() + 1), source.pixel(1, 1));
            QCOMPARE(painted.pixel(dest.right() - 1, dest.bottom() - 1), source.pixel(58, 38));
            QCOMPARE(painted.pixel(99, 79), bare);
        } else {
            QCOMPARE(painted.pixel(0, 0), source.pixel(0, 0));
            QCOMPARE(painted.pixel(99, 79), source.pixel(59, 39));
        }
        QCOMPARE(image->grab().toImage().convertToFormat(QImage::Format_RGB32), painted);
    }

    void opacity_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("stretched small picture covers") << true << QSize(10, 10) << false << true;
        QTest::newRow("small picture at own size leaves gaps") << false << QSize(99, 100) << false << false;
        QTest::newRow("picture as large as the control") << false << QSize(100, 100) << false << true;
        QTest::newRow("transparent graphic never opaque") << true << QSize(100, 100) << true << false;
    }

    void opacity()
    {
        QFETCH(bool, stretch);
        QFETCH(QSize, picture);
        QFETCH(bool, transparent);
        QFETCH(bool, opaque);
        TBoardImage image;
        image.setAutoSize(false);
        image.resize(100, 100);
        image.setStretch(stretch);
        image.setTransparent(transparent);
        image.setPicture(bitmapPicture(solidImage(picture.width(), picture.height(), Qt::red)));
        QCOMPARE(image.opaque(), opaque);
        QCOMPARE(image.picture()->Graphic()->Transparent(), transparent);
        image.setPicture(nullptr);
        QVERIFY(!image.opaque());
    }

    void autoSize()
    {
        TBoardImage image;
        image.setPicture(bitmapPicture(solidImage(40, 30, Qt::red)));
        QCOMPARE(image.size(), QSize(40, 30));

        image.setPicture(bitmapPicture(QImage())); // a graphic without pixels
        QCOMPARE(image.size(), QSize(40, 30));

        image.setAutoSize(false);
        image.setPicture(bitmapPicture(solidImage(60, 20, Qt::red)));
        QCOMPARE(image.size(), QSize(40, 30));
        image.setAutoSize(true);
        QCOMPARE(image.size(), QSize(60, 20));
    }

    void autoSizeAlignedTopFollowsOnlyTheHeight()
    {
        QWidget parent;
        parent.resize(300, 200);
        auto *image = new TBoardImage(&parent);
        SetAlign(image, Vcl::alTop);
        QCOMPARE(image->width(), 300);
        image->setPicture(bitmapPicture(solidImage(40, 30, Qt::red)));
        QCOMPARE(image->size(), QSize(300, 30));
    }

    // Each drawing setter re-runs PictureChanged on a change only; with AutoSize on that shows
    // as the control taking the picture's size again.
    void settersRunPictureChangedOnlyOnChange_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::newRow("Stretch") << QByteArray("Stretch");
        QTest::newRow("Center") << QByteArray("Center");
        QTest::newRow("Scale") << QByteArray("Scale");
        QTest::newRow("Transparent") << QByteArray("Transparent");
    }

    void settersRunPictureChangedOnlyOnChange()
    {
        QFETCH(QByteArray, property);
        TBoardImage image;
        image.setPicture(bitmapPicture(solidImage(40, 30, Qt::red)));
        image.resize(50, 50);
        const bool current = image.property(property).toBool();
        image.setProperty(property, current);
        QCOMPARE(image.size(), QSize(50, 50));
        image.setProperty(property, !current);
        QCOMPARE(image.size(), QSize(40, 30));
    }

    void centresOnTheFormsOuterSizeAndRecordsDesignPosition()
    {
        TForm form;
        form.setOuterSize(812, 600);
        auto *image = new TBoardImage(form.client());
        image->setAutoSize(false);
        SetBounds(image, 96, 242, 662, 296);
        QCOMPARE(image->designLeft(), 0);
        QCOMPARE(image->designTop(), 0);

        image->grab();
        QCOMPARE(image->designLeft(), 96);
        QCOMPARE(image->designTop(), 242);
        QCOMPARE(Left(image), 75);
        QCOMPARE(Top(image), 152);

        // Later paints centre again but never record again.
        form.setOuterSize(655, 289);
        image->grab();
        QCOMPARE(Left(image), -3);
        QCOMPARE(Top(image), -3);
        QCOMPARE(image->designLeft(), 96);
        QCOMPARE(image->designTop(), 242);
    }

    void centringCountsTheMenuBarAndFrame()
    {
        TForm form;
        auto *menu = new TMainMenu(&form);
        auto *file = new TMenuItem(&form);
        file->setCaption(QStringLiteral("&File"));
        menu->items()->add(file);
        form.setMenu(menu);
        form.setOuterSize(800, 600);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *image = new TBoardImage(form.client());
        image->setAutoSize(false);
        SetBounds(image, 0, 0, 600, 300);
        image->show();
        QTRY_COMPARE(Left(image), Div(Width(&form) - 600, 2));
        QCOMPARE(Top(image), Div(Height(&form) - 300, 2));
        // The frame and the menu bar count: the client area is smaller than the outer box.
        QCOMPARE(Height(&form), form.frameGeometry().height());
        QVERIFY(form.clientHeight() < Height(&form));
        QVERIFY(Top(image) != Div(form.clientHeight() - 300, 2));
    }

    void withoutCenterOnFormStaysWhereItWas()
    {
        TForm form;
        form.setOuterSize(812, 600);
        auto *image = new TBoardImage(form.client());
        image->setAutoSize(false);
        image->setCenterOnForm(false);
        SetBounds(image, 96, 242, 662, 296);
        image->grab();
        QCOMPARE(Left(image), 96);
        QCOMPARE(Top(image), 242);
        QCOMPARE(image->designLeft(), 96);
        QCOMPARE(image->designTop(), 242);
    }

    void failedDrawingIsReportedAndEndsDrawing()
    {
        QStringList shown;
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
            shown << text;
            return int(MessageBoxResult::Ok);
        });
        TBoardImage image;
        image.picture()->SetGraphic(std::make_unique<FailingGraphic>());
        image.grab();
        Application::instance()->setMessageBoxFunction({});
        QVERIFY(!image.drawing());
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().contains(QLatin1String("cannot draw")));
    }

    void pictureFromDescriptionIsCopied()
    {
        const QImage source = quadrantImage(30, 20);
        const QByteArray png = pngBytes(source);
        const QByteArray text = "object Form1 TForm\n"
                                "  object Board TBoardImage\n"
                                "    AutoSize false\n"
                                "    Picture picture TBitmap \"board.png\"\n"
                                "    Stretch true\n"
                                "  end\n"
                                "end\n";
        TForm form;
        DescriptionReader::load(&form, text, [&](const QString &name, bool *ok) {
            *ok = name == QLatin1String("board.png");
            return png;
        });
        auto *image = form.findChild<TBoardImage *>(QStringLiteral("Board"));
        QVERIFY(image);
        QCOMPARE(image->picture()->Width(), 30);
        QCOMPARE(image->size(), QSize(105, 105));
        QCOMPARE(image->PaintedImage().pixel(0, 0), source.pixel(0, 0));

        // The property hands out the own picture; setting a value copies it.
        auto other = std::make_shared<TPicture>();
        other->SetGraphic(std::make_unique<TBitmap>(solidImage(5, 5, Qt::red)));
        image->setPicture(other);
        other->SetGraphic(nullptr);
        QCOMPARE(image->picture()->Width(), 5);
        QVERIFY(image->pictureValue().get() == image->picture());
    }

    void startTourMessageWithoutFirstIsIgnored()
    {
        TBoardImage image;
        auto *circle = new TBoardHighlight(&image);
        circle->setCreatePopup(false);
        QCOMPARE(SendMessage(&image, StartTourMessage), qintptr(0));
        QVERIFY(!circle->lit());
    }

    // Each message hands First an entry, a click and a leave, in that order.
    void startTourMessageReachesFirstEveryTime()
    {
        TBoardImage image;
        auto *other = new TBoardHighlight(&image);
        auto *first = new TBoardHighlight(&image);
        other->setTitle(QStringLiteral("Other"));
        first->setCreatePopup(false);
        other->setCreatePopup(false);
        image.setFirst(first);
        QList<bool> litAtClick;
        first->setOnClick([&](QObject *sender) {
            QCOMPARE(sender, first);
            litAtClick << first->lit();
        });
        QCOMPARE(SendMessage(&image, StartTourMessage), qintptr(0));
        QCOMPARE(SendMessage(&image, StartTourMessage), qintptr(0));
        QCOMPARE(litAtClick, (QList<bool>{true, true}));
        QVERIFY(first->lit());
        QVERIFY(!other->lit());
        QCOMPARE(SendMessage(&image, StartTourMessage + 1), qintptr(0));
        QCOMPARE(litAtClick.size(), 2);
    }

    void brokenPictureInDescriptionIsAnError()
    {
        const QByteArray text = "object Form1 TForm\n"
                                "  object Board TBoardImage\n"
                                "    Picture picture TJPEGImage \"board.jpg\"\n"
                                "  end\n"
                                "end\n";
        TForm form;
        try {
            DescriptionReader::load(&form, text, [](const QString &, bool *ok) {
                *ok = true;
                return QByteArray("not a jpeg");
            });
            QFAIL("a broken picture was accepted");
        } catch (const DescriptionError &error) {
            QCOMPARE(error.line(), 3);
            QCOMPARE(error.component(), QStringLiteral("Board"));
        }
    }
};

QTEST_MAIN(tst_TBoardImage)
#include "tst_TBoardImage.moc"
