#include "BoardFixture.h"
#include "Application.h"
#include "ComponentRegistry.h"
#include "DescriptionReader.h"

#include <QTest>

using namespace BoardFixture;
using BoardView::THighlightType;

namespace {

enum Shown { Rest, Lit, Glow };

const QImage &imageOf(const TBoardHighlight *circle, int which)
{
    return which == Rest ? circle->restImage() : which == Lit ? circle->litImage() : circle->glowImage();
}

// A board painted in one colour with one circle on it, painted once.
struct OneCircle
{
    TForm form;
    TBoardImage *image = new TBoardImage(form.client());
    TBoardHighlight *circle = new TBoardHighlight(image);

    OneCircle(QColor background, QSize size, THighlightType type = BoardView::htSettings)
    {
        image->setCenterOnForm(false);
        image->setAutoSize(false);
        SetBounds(image, 0, 0, 300, 300);
        image->setStretch(true);
        image->setPicture(bitmapPicture(solidImage(10, 10, background)));
        SetBounds(circle, 10, 20, size.width(), size.height());
        circle->setHighlightType(type);
        image->grab();
    }
};

} // namespace

class tst_TBoardHighlight : public QObject
{
    Q_OBJECT

private slots:
    void constructorDefaults()
    {
        TBoardHighlight circle;
        QCOMPARE(circle.size(), QSize(65, 65));
        QCOMPARE(circle.highlightType(), BoardView::htSettings);
        QCOMPARE(circle.ringColor(), TColor(0x00FFFF));
        QCOMPARE(circle.restIntensity(), 0.5f);
        QVERIFY(circle.createPopup());
        QVERIFY(!circle.lit() && !circle.pinned() && !circle.popupActive());
        QVERIFY(!circle.popup() && !circle.boardMenu() && !circle.radioPanel());
        QVERIFY(circle.title().isEmpty());
    }

    // The ring blended over a plain background, pixel by pixel, in all three images.
    void ringPixels_data()
    {
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<int>("image");
        QTest::addColumn<QColor>("expected");
        const QColor black(0, 0, 0), white(255, 255, 255);
        const QSize round(65, 65);
        const auto yellow = [&](const char *name, QPoint p, int image, QColor c) {
            QTest::newRow(name) << BoardView::htSettings << black << round << p << image << c;
        };
        yellow("yellow centre rest", {32, 32}, Rest, QColor(20, 20, 0));
        yellow("yellow centre lit", {32, 32}, Lit, QColor(31, 31, 0));
        yellow("yellow centre glow", {32, 32}, Glow, QColor(41, 41, 0));
        yellow("yellow ring line rest, 127.5 to even", {4, 32}, Rest, QColor(128, 128, 0));
        yellow("yellow ring line lit", {4, 32}, Lit, QColor(191, 191, 0));
        yellow("yellow ring line glow is white", {4, 32}, Glow, QColor(255, 255, 255));
        yellow("yellow radius 0.8125 rest", {6, 32}, Rest, QColor(64, 64, 0));
        yellow("yellow radius 0.8125 lit", {6, 32}, Lit, QColor(96, 96, 0));
        yellow("yellow radius 0.8125 glow is ring colour", {6, 32}, Glow, QColor(255, 255, 0));
        yellow("yellow edge rest", {0, 32}, Rest, black);
        yellow("yellow edge lit", {0, 32}, Lit, black);
        yellow("yellow edge glow", {0, 32}, Glow, black);
        yellow("corner top-left glow", {0, 0}, Glow, black);
        yellow("corner bottom-right glow", {64, 64}, Glow, black);
        QTest::newRow("blue centre rest") << BoardView::htOptions << white << round << QPoint(32, 32) << int(Rest)
                                          << QColor(245, 245, 255);
        QTest::newRow("blue centre lit") << BoardView::htOptions << white << round << QPoint(32, 32) << int(Lit)
                                         << QColor(235, 235, 255);
        QTest::newRow("blue centre glow") << BoardView::htOptions << white << round << QPoint(32, 32) << int(Glow)
                                          << QColor(214, 214, 255);
        QTest::newRow("red centre rest") << BoardView::htCalibration << black << round << QPoint(32, 32) << int(Rest)
                                         << QColor(20, 0, 0);
        // A tall ellipse has its ring line 2 pixels from the side and 12 from the top ...
        const QSize tall(33, 193);
        QTest::newRow("tall ring line at the side") << BoardView::htSettings << black << tall << QPoint(2, 96)
                                                    << int(Rest) << QColor(128, 128, 0);
        QTest::newRow("tall ring line at the top") << BoardView::htSettings << black << tall << QPoint(16, 12)
                                                   << int(Rest) << QColor(128, 128, 0);
        QTest::newRow("tall outside near the top") << BoardView::htSettings << black << tall << QPoint(2, 12)
                                                   << int(Rest) << black;
        // ... a wide one the other way round.
        const QSize wide(41, 25);
        QTest::newRow("wide radius 0.9 at the side") << BoardView::htSettings << black << wide << QPoint(2, 12)
                                                     << int(Rest) << QColor(102, 102, 0);
        QTest::newRow("wide radius 5/6 at the top") << BoardView::htSettings << black << wide << QPoint(20, 2)
                                                    << int(Rest) << QColor(85, 85, 0);
        QTest::newRow("wide corner") << BoardView::htSettings << black << wide << QPoint(40, 0) << int(Lit) << black;
    }

    void ringPixels()
    {
        QFETCH(THighlightType, type);
        QFETCH(QColor, background);
        QFETCH(QSize, size);
        QFETCH(QPoint, pixel);
        QFETCH(int, image);
        QFETCH(QColor, expected);
        OneCircle board(background, size, type);
        const QImage &rendered = imageOf(board.circle, image);
        QCOMPARE(rendered.size(), size);
        QCOMPARE(rendered.format(), QImage::Format_RGB32);
        QCOMPARE(QColor(rendered.pixel(pixel)), expected);
    }

    void tinyCirclesKeepTheBackground_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("one pixel wide") << QSize(1, 65);
        QTest::newRow("one pixel high") << QSize(65, 1);
        QTest::newRow("no pixels") << QSize(0, 0);
        QTest::newRow("two by two") << QSize(2, 2);
    }

    void tinyCirclesKeepTheBackground()
    {
        QFETCH(QSize, size);
        OneCircle board(Qt::black, size);
        board.circle->RenderImages();
        QCOMPARE(board.circle->glowImage().size(), size);
        // At 2 x 2 every pixel is a corner of the rectangle, on or beyond the ellipse.
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(board.circle->glowImage().pixel(x, y), qRgb(0, 0, 0));
    }

    // The circle blends over exactly what the board shows around it: the photo scaled once.
    void capturesWhatTheBoardPaints()
    {
        ProductBoard board;
        board.paint();
        const QImage painted = board.image->PaintedImage();
        for (TBoardHighlight *circle : board.pull + QList<TBoardHighlight *>{board.high}) {
            const QRect box = circle->geometry();
            QCOMPARE(circle->restImage().pixel(0, 0), painted.pixel(box.topLeft()));
            QCOMPARE(circle->restImage().pixel(box.width() - 1, box.height() - 1), painted.pixel(box.bottomRight()));
        }
        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        TBoardHighlight *circle = board.pull.at(1);
        QCOMPARE(shown.copy(circle->geometry()), circle->restImage());
        QCOMPARE(shown.pixel(circle->x() - 1, circle->y()), painted.pixel(circle->x() - 1, circle->y()));
    }

    // Later paints copy the images of the first one; changing the photo or the type later
    // shows nothing new.
    void rendersOnlyAtTheFirstPaint()
    {
        OneCircle board(Qt::black, QSize(65, 65));
        const QImage rest = board.circle->restImage();
        board.image->setPicture(bitmapPicture(solidImage(10, 10, Qt::white)));
        board.circle->setHighlightType(BoardView::htOptions);
        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(board.circle->restImage(), rest);
        QCOMPARE(shown.copy(board.circle->geometry()), rest);
        QCOMPARE(shown.pixel(0, 0), qRgb(255, 255, 255));
    }

    void enteringOneLightsTheLinkedGroup()
    {
        ProductBoard board;
        for (TBoardHighlight *circle : board.pull + QList<TBoardHighlight *>{board.high})
            circle->setCreatePopup(false);
        board.paint();
        board.pull.at(2)->MouseEnter(0);
        for (TBoardHighlight *circle : board.pull)
            QVERIFY(circle->lit());
        QVERIFY(!board.high->lit());

        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (TBoardHighlight *circle : board.pull)
            QCOMPARE(shown.copy(circle->geometry()), circle->litImage());
        QCOMPARE(shown.copy(board.high->geometry()), board.high->restImage());

        // Leaving never unlights; without a popup nothing closes the group.
        board.pull.at(2)->MouseLeave(0);
        board.pull.at(0)->MouseEnter(0);
        board.pull.at(0)->MouseLeave(0);
        for (TBoardHighlight *circle : board.pull)
            QVERIFY(circle->lit());
    }

    void linkedCircles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<int>("count");
        QTest::newRow("same title and type") << QStringLiteral("&Pull Down/Up") << BoardView::htSettings << 6;
        QTest::newRow("other type") << QStringLiteral("&Pull Down/Up") << BoardView::htOptions << 1;
        QTest::newRow("title differs in case") << QStringLiteral("&pull Down/Up") << BoardView::htSettings << 1;
        QTest::newRow("title differs in the ampersand") << QStringLiteral("Pull Down/Up") << BoardView::htSettings << 1;
    }

    void linkedCircles()
    {
        QFETCH(QString, title);
        QFETCH(THighlightType, type);
        QFETCH(int, count);
        ProductBoard board;
        TBoardHighlight *extra = board.addCircle(QStringLiteral("Extra"), QRect(0, 0, 20, 20), title, nullptr, type);
        const QList<TBoardHighlight *> linked = extra->LinkedCircles();
        QCOMPARE(linked.size(), count);
        QVERIFY(linked.contains(extra));
        if (count > 1)
            QCOMPARE(linked.first(), board.pull.first());
    }

    // Only a parent of class exactly TBoardImage links circles.
    void noLinksOutsideABoardImage()
    {
        QWidget parent;
        auto *a = new TBoardHighlight(&parent);
        auto *b = new TBoardHighlight(&parent);
        a->setTitle(QStringLiteral("Same"));
        b->setTitle(QStringLiteral("Same"));
        a->setCreatePopup(false);
        b->setCreatePopup(false);
        QVERIFY(a->LinkedCircles().isEmpty());
        a->MouseEnter(0);
        QVERIFY(a->lit());
        QVERIFY(!b->lit());
    }

    // Bringing circles to the front reorders the parent's children while the group is walked;
    // every linked circle must still be reached once.
    void popupActivityReachesEveryLinkedCircle()
    {
        ProductBoard board;
        TBoardHighlight *middle = board.pull.at(2);
        middle->SetPopupActive(true, true);
        for (TBoardHighlight *circle : board.pull)
            QVERIFY(circle->popupActive());
        QVERIFY(!board.high->popupActive());
        // The group now paints above the other circles, the active one first raised.
        const QList<TBoardHighlight *> order = board.image->findChildren<TBoardHighlight *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(order.first(), board.high);
        QCOMPARE(order.at(1), middle);
        middle->SetPopupActive(false, false);
        QVERIFY(!middle->popupActive());
        QVERIFY(board.pull.at(0)->popupActive());
    }

    void shownImageFollowsLitAndPopupActive_data()
    {
        QTest::addColumn<bool>("lit");
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("expected");
        QTest::newRow("neither") << false << false << int(Rest);
        QTest::newRow("lit") << true << false << int(Lit);
        QTest::newRow("popup active only") << false << true << int(Lit);
        QTest::newRow("both") << true << true << int(Glow);
    }

    void shownImageFollowsLitAndPopupActive()
    {
        QFETCH(bool, lit);
        QFETCH(bool, active);
        QFETCH(int, expected);
        OneCircle board(Qt::black, QSize(65, 65));
        board.circle->setCreatePopup(false);
        if (lit)
            board.circle->MouseEnter(0);
        board.circle->SetPopupActive(active, true);
        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(board.circle->geometry()), imageOf(board.circle, expected));
        board.circle->Unlight();
        QVERIFY(!board.circle->lit());
    }

    void title_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("stem");
        QTest::newRow("product pull") << QStringLiteral("&Pull Down/Up") << QStringLiteral("Pull Down/Up")
                                      << QStringLiteral("PullDownUp");
        QTest::newRow("product high") << QStringLiteral("&High Level") << QStringLiteral("High Level")
                                      << QStringLiteral("HighLevel");
        QTest::newRow("two ampersands between letters") << QStringLiteral("A&&B") << QStringLiteral("AB")
                                                        << QStringLiteral("AB");
        QTest::newRow("leading digit") << QStringLiteral("2nd Port") << QStringLiteral("2nd Port")
                                       << QStringLiteral("ndPort");
        QTest::newRow("only ampersands") << QStringLiteral("&&&") << QString() << QString();
        QTest::newRow("identifier unchanged") << QStringLiteral("_Port2") << QStringLiteral("_Port2")
                                              << QStringLiteral("_Port2");
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("non-ASCII letters dropped") << QStringLiteral("Über Maß") << QStringLiteral("Über Maß")
                                                   << QStringLiteral("berMa");
    }

    void title()
    {
        QFETCH(QString, title);
        QFETCH(QString, plain);
        QFETCH(QString, stem);
        TBoardHighlight circle;
        circle.setTitle(QStringLiteral("x"));
        circle.setTitle(title);
        QCOMPARE(circle.plainTitle(), plain);
        QCOMPARE(circle.nameStem(), stem);
    }

    void radioPanelIsSharedOnlyByLinkedCircles()
    {
        Application::instance()->setMessageBoxFunction([](const QString &text, const QString &, unsigned) {
            qWarning("unexpected message box: %s", qPrintable(text));
            return int(MessageBoxResult::Ok);
        });
        ProductBoard board;
        QCOMPARE(board.pull.at(4)->radioPanel(), board.pullPanel);
        board.high->setRadioPanel(board.pullPanel);
        QCOMPARE(board.high->radioPanel(), board.highPanel);
        // A new circle of the group may take the panel; one of another type may not.
        TBoardHighlight *same = board.addCircle(QStringLiteral("Same"), QRect(0, 0, 9, 9),
                                                QStringLiteral("&Pull Down/Up"), board.pullPanel);
        QCOMPARE(same->radioPanel(), board.pullPanel);
        TBoardHighlight *other = board.addCircle(QStringLiteral("Other"), QRect(0, 0, 9, 9),
                                                 QStringLiteral("&Pull Down/Up"), board.pullPanel, BoardView::htOptions);
        QCOMPARE(other->radioPanel(), nullptr);
        board.high->setRadioPanel(nullptr);
        QCOMPARE(board.high->radioPanel(), nullptr);
        Application::instance()->setMessageBoxFunction({});
    }

    void clickRaisesOnClickWithTheCircle()
    {
        OneCircle board(Qt::black, QSize(65, 65));
        QList<QObject *> senders;
        board.circle->setOnClick([&](QObject *sender) { senders << sender; });
        board.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board.form));
        QTest::mouseClick(board.circle, Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(senders, QList<QObject *>{board.circle});
        QTest::mouseClick(board.circle, Qt::RightButton, {}, QPoint(30, 30));
        QCOMPARE(senders.size(), 1);
    }

    void pointerEnteringReachesMouseEnter()
    {
        OneCircle board(Qt::black, QSize(65, 65));
        board.circle->setCreatePopup(false);
        board.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board.form));
        QTest::mouseMove(board.image, QPoint(200, 200));
        QVERIFY(!board.circle->lit());
        QTest::mouseMove(board.circle, QPoint(2, 2)); // a corner: the whole rectangle counts
        QTRY_VERIFY(board.circle->lit());
    }

    // ---- the highlight menus

    void productMenus()
    {
        ProductBoard board;
        board.paint();
        QCOMPARE(board.barCaptions(), (QStringList{"&File", "&Settings", "&Help"}));
        TMenuItem *settings = board.topItem(QStringLiteral("&Settings"));
        QCOMPARE(settings->name(), QStringLiteral("Settings1"));
        QCOMPARE(settings->owner(), static_cast<Component *>(board.form));
        QCOMPARE(settings->count(), 2);
        QCOMPARE(settings->item(0)->caption(), QStringLiteral("&Pull Down/Up"));
        QCOMPARE(settings->item(0)->name(), QStringLiteral("PullDownUp1"));
        QCOMPARE(settings->item(1)->caption(), QStringLiteral("&High Level"));
        QCOMPARE(settings->item(1)->name(), QStringLiteral("HighLevel1"));
        QCOMPARE(board.form->findComponent(QStringLiteral("HighLevel1")), static_cast<Component *>(settings->item(1)));
        QVERIFY(!settings->onClick());
        for (TBoardHighlight *circle : board.pull)
            QCOMPARE(circle->boardMenu(), board.menu);
        // A second paint adds nothing.
        board.paint();
        QCOMPARE(settings->count(), 2);
        QCOMPARE(board.menu->count(), 3);
    }

    // Whatever paints first, the type menus stand in their fixed order before "&Help", or at
    // the end without it.
    void typeMenusKeepTheirOrder_data()
    {
        QTest::addColumn<bool>("withHelp");
        QTest::addColumn<QList<int>>("paintOrder"); // 0 settings, 1 calibration, 2 options
        QTest::newRow("options, calibration, settings") << true << QList<int>{2, 1, 0};
        QTest::newRow("calibration, options, settings") << true << QList<int>{1, 2, 0};
        QTest::newRow("settings, options, calibration") << true << QList<int>{0, 2, 1};
        QTest::newRow("no help: options first") << false << QList<int>{2, 1, 0};
        QTest::newRow("no help: settings first") << false << QList<int>{0, 2, 1};
    }

    void typeMenusKeepTheirOrder()
    {
        QFETCH(bool, withHelp);
        QFETCH(QList<int>, paintOrder);
        ProductBoard board;
        if (!withHelp)
            delete board.topItem(QStringLiteral("&Help"));
        const QList<TBoardHighlight *> circles{
            board.pull.first(),
            board.addCircle(QStringLiteral("Cal"), QRect(0, 200, 30, 30), QStringLiteral("&Zero"), nullptr,
                            BoardView::htCalibration),
            board.addCircle(QStringLiteral("Opt"), QRect(40, 200, 30, 30), QStringLiteral("&Relays"), nullptr,
                            BoardView::htOptions)};
        for (int index : paintOrder)
            circles.at(index)->grab();
        QStringList expected{"&File", "&Settings", "&Calibration", "&Options"};
        if (withHelp)
            expected << "&Help";
        QCOMPARE(board.barCaptions(), expected);
        QCOMPARE(board.topItem(QStringLiteral("&Calibration"))->name(), QStringLiteral("Calibration1"));
        QCOMPARE(board.topItem(QStringLiteral("&Options"))->item(0)->name(), QStringLiteral("Relays1"));
    }

    void menuNames_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("typeMenuName");
        QTest::addColumn<QString>("itemName");
        QTest::newRow("first free number") << QStringLiteral("Settings1") << QStringLiteral("&Pull Down/Up")
                                           << QStringLiteral("Settings2") << QStringLiteral("PullDownUp1");
        QTest::newRow("taken in other case") << QStringLiteral("pulldownup1") << QStringLiteral("&Pull Down/Up")
                                             << QStringLiteral("Settings1") << QStringLiteral("PullDownUp2");
        QTest::newRow("title without identifier characters") << QString() << QStringLiteral("&&&")
                                                             << QStringLiteral("Settings1") << QStringLiteral("MenuItem1");
        QTest::newRow("title starting with a digit") << QString() << QStringLiteral("1 Port")
                                                     << QStringLiteral("Settings1") << QStringLiteral("Port1");
    }

    void menuNames()
    {
        QFETCH(QString, taken);
        QFETCH(QString, title);
        QFETCH(QString, typeMenuName);
        QFETCH(QString, itemName);
        ProductBoard board;
        if (!taken.isEmpty())
            (new TMenuItem(board.form))->setName(taken);
        for (TBoardHighlight *circle : board.pull)
            circle->setTitle(title);
        board.pull.first()->grab();
        TMenuItem *settings = board.topItem(QStringLiteral("&Settings"));
        QVERIFY(settings);
        QCOMPARE(settings->name(), typeMenuName);
        QCOMPARE(settings->item(0)->name(), itemName);
        QCOMPARE(settings->item(0)->caption(), title);
    }

    void sameTitleOfTwoTypesGivesTwoItems()
    {
        ProductBoard board;
        board.addCircle(QStringLiteral("Opt"), QRect(0, 200, 30, 30), QStringLiteral("&High Level"), nullptr,
                        BoardView::htOptions);
        board.paint();
        QCOMPARE(board.topItem(QStringLiteral("&Settings"))->item(1)->caption(), QStringLiteral("&High Level"));
        QCOMPARE(board.topItem(QStringLiteral("&Options"))->item(0)->caption(), QStringLiteral("&High Level"));
        QCOMPARE(board.topItem(QStringLiteral("&Options"))->item(0)->name(), QStringLiteral("HighLevel2"));
    }

    void emptyTitleCreatesAnEmptyTypeMenu()
    {
        ProductBoard board;
        TBoardHighlight *nameless = board.addCircle(QStringLiteral("Nameless"), QRect(0, 200, 30, 30), QString(),
                                                    nullptr, BoardView::htCalibration);
        nameless->grab();
        QCOMPARE(board.barCaptions(), (QStringList{"&File", "&Calibration", "&Help"}));
        QCOMPARE(board.topItem(QStringLiteral("&Calibration"))->count(), 0);
    }

    // Captions are compared exactly: a look-alike top-level item is not the type menu.
    void lookAlikeTypeMenuIsNotUsed()
    {
        ProductBoard board;
        TMenuItem *lookAlike = board.addMenu(QStringLiteral("Lookalike"), QStringLiteral("&settings"));
        board.paint();
        QCOMPARE(lookAlike->count(), 0);
        QCOMPARE(board.barCaptions(), (QStringList{"&File", "&Settings", "&Help", "&settings"}));
    }

    void withoutBoardMenuNoMenusAreMade()
    {
        ProductBoard board;
        board.image->setMenu(nullptr);
        board.paint();
        QCOMPARE(board.barCaptions(), (QStringList{"&File", "&Help"}));
        QVERIFY(!board.pull.first()->boardMenu());
        board.pull.first()->SetMenuChecked(true); // nothing to check, nothing breaks

        QWidget parent;
        auto *loose = new TBoardHighlight(&parent);
        loose->grab();
        QVERIFY(loose->firstPaintDone());
        QVERIFY(!loose->boardMenu());
    }

    void setMenuCheckedMarksTheGroupsItem()
    {
        ProductBoard board;
        board.paint();
        board.pull.at(3)->SetMenuChecked(true);
        TMenuItem *settings = board.topItem(QStringLiteral("&Settings"));
        QVERIFY(settings->item(0)->checked());
        QVERIFY(!settings->item(1)->checked());
        board.pull.at(0)->SetMenuChecked(false);
        QVERIFY(!settings->item(0)->checked());
    }

    // The properties a description sets by name: the type by its value name, the references
    // to the panel, the first circle and the menu resolved after the whole tree is read.
    void builtFromADescription()
    {
        RegisterPlatformClasses();
        RegisterComponentClass<TBoardImage>();
        RegisterComponentClass<TBoardHighlight>();
        RegisterComponentClass<TRadioPanel>();
        const QByteArray text = "object Form1 TForm\n"
                                "  Menu MainMenu1\n"
                                "  object Board TBoardImage\n"
                                "    Left 10\n"
                                "    Width 200\n"
                                "    Height 100\n"
                                "    First Spot1\n"
                                "    Menu MainMenu1\n"
                                "    AutoSize false\n"
                                "    object Spot1 TBoardHighlight\n"
                                "      Width 41\n"
                                "      Height 25\n"
                                "      HighlightType htOptions\n"
                                "      RadioPanel Panel1\n"
                                "      Title \"&Relays\"\n"
                                "    end\n"
                                "    object Spot2 TBoardHighlight\n"
                                "      CreatePopup false\n"
                                "      RadioPanel Panel1\n"
                                "      Title \"&Other\"\n"
                                "    end\n"
                                "  end\n"
                                "  object Panel1 TRadioPanel\n"
                                "  end\n"
                                "  object MainMenu1 TMainMenu\n"
                                "    object Help1 TMenuItem\n"
                                "      Caption \"&Help\"\n"
                                "    end\n"
                                "  end\n"
                                "end\n";
        TForm form;
        DescriptionReader::load(&form, text, {});
        auto *board = form.findChild<TBoardImage *>(QStringLiteral("Board"));
        auto *spot1 = form.findChild<TBoardHighlight *>(QStringLiteral("Spot1"));
        auto *spot2 = form.findChild<TBoardHighlight *>(QStringLiteral("Spot2"));
        auto *panel = form.findChild<TRadioPanel *>(QStringLiteral("Panel1"));
        QVERIFY(board && spot1 && spot2 && panel);
        QCOMPARE(spot1->parentWidget(), board);
        QCOMPARE(board->first(), spot1);
        QCOMPARE(spot1->highlightType(), BoardView::htOptions);
        QCOMPARE(spot1->ringColor(), TColor(0xFF0000));
        QCOMPARE(spot1->size(), QSize(41, 25));
        QCOMPARE(spot1->radioPanel(), panel);
        QCOMPARE(spot2->radioPanel(), nullptr); // another group's panel is refused
        QVERIFY(!spot2->createPopup());
        QCOMPARE(DescriptionReader::readProperty(spot1, "HighlightType").toInt(), int(BoardView::htOptions));
        board->grab();
        QCOMPARE(spot1->boardMenu(), board->menu());
        QCOMPARE(board->menu()->count(), 3);
        QCOMPARE(board->menu()->item(0)->caption(), QStringLiteral("&Settings"));
        QCOMPARE(board->menu()->item(1)->caption(), QStringLiteral("&Options"));
        QCOMPARE(board->menu()->item(1)->item(0)->name(), QStringLiteral("Relays1"));
    }
};

QTEST_MAIN(tst_TBoardHighlight)
#include "tst_TBoardHighlight.moc"
