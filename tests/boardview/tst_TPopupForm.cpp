#include "BoardFixture.h"
#include "Application.h"
#include "Cursor.h"
#include "Messages.h"
#include "TButton.h"
#include "TMemo.h"
#include "TPopupForm.h"
#include "TStatusBar.h"

#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QScrollBar>
#include <QTest>

using namespace BoardFixture;

namespace {

QRect outerRect(const TForm *form)
{
    return QRect(Left(form), Top(form), Width(form), Height(form));
}

// Where the tests put the pointer; CursorPos() reads it.
QPoint pointer(-1000, -1000);

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

// The popup a group shows, whichever circle holds it.
TPopupForm *popupOf(const QList<TBoardHighlight *> &group)
{
    for (TBoardHighlight *circle : group)
        if (circle->popup())
            return circle->popup();
    return nullptr;
}

TButton *button(TPopupForm *popup, const char *name)
{
    return popup->findChild<TButton *>(QLatin1String(name));
}

} // namespace

class tst_TPopupForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetCursorPosSource([] { return pointer; });
    }

    void init()
    {
        pointer = QPoint(-1000, -1000);
    }

    void geometry_data()
    {
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<int>("memoHeight");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("memo");
        QTest::addColumn<int>("buttonsTop");
        QTest::addColumn<QList<int>>("buttonLefts");
        QTest::addColumn<int>("statusTop");
        QTest::newRow("pull panel") << QSize(217, 105) << 58 << QSize(217, 214) << QRect(6, 106, 205, 58) << 170
                                    << QList<int>{6, 79, 153} << 195;
        QTest::newRow("high panel") << QSize(217, 113) << 58 << QSize(217, 222) << QRect(6, 114, 205, 58) << 178
                                    << QList<int>{6, 79, 153} << 203;
        QTest::newRow("memo height 0") << QSize(217, 105) << 0 << QSize(217, 156) << QRect(6, 106, 205, 0) << 112
                                       << QList<int>{6, 79, 153} << 137;
        QTest::newRow("odd width centres Next truncated") << QSize(225, 105) << 58 << QSize(225, 214)
                                                          << QRect(6, 106, 213, 58) << 170 << QList<int>{6, 83, 161}
                                                          << 195;
    }

    void geometry()
    {
        QFETCH(QSize, panel);
        QFETCH(int, memoHeight);
        QFETCH(QSize, client);
        QFETCH(QRect, memo);
        QFETCH(int, buttonsTop);
        QFETCH(QList<int>, buttonLefts);
        QFETCH(int, statusTop);
        ProductBoard board;
        SetBounds(board.pullPanel, 176, 48, panel.width(), panel.height());
        board.pullPanel->setMemoHeight(memoHeight);
        board.paint();
        board.pull.first()->MouseEnter(0);
        TPopupForm *popup = board.pull.first()->popup();
        QVERIFY(popup);
        QCOMPARE(QSize(popup->clientWidth(), popup->clientHeight()), client);
        QCOMPARE(board.pullPanel->parentWidget(), popup->client());
        QCOMPARE(board.pullPanel->geometry(), QRect(QPoint(0, 0), panel));
        QCOMPARE(popup->findChild<TMemo *>(QStringLiteral("StatusMemo"))->geometry(), memo);
        const char *names[] = {"PreviousButton", "NextButton", "DoneButton"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(button(popup, names[i])->geometry(), QRect(buttonLefts.at(i), buttonsTop, 58, 25));
        QCOMPARE(popup->popupStatus()->geometry(), QRect(0, statusTop, client.width(), 19));
        QCOMPARE(popup->popupStatus()->name(), QStringLiteral("PopupStatus"));
        QCOMPARE(popup->minimumSize(), popup->size());
    }

    void buildSettings()
    {
        ProductBoard board;
        NotifyEvent activate = [](QObject *) {};
        board.pullPanel->setOnActivate(activate);
        board.pullPanel->setFinalAnchors(Vcl::akLeft | Vcl::akTop | Vcl::akRight);
        board.paint();
        board.pull.first()->MouseEnter(0);
        TPopupForm *popup = board.pull.first()->popup();
        QCOMPARE(popup->owner(), static_cast<Component *>(board.pull.first()));
        QCOMPARE(popup->highlight(), board.pull.first());
        QCOMPARE(popup->caption(), QStringLiteral("Pull Down/Up"));
        QCOMPARE(popup->tag(), qint64(BoardView::htSettings));
        QVERIFY(popup->windowFlags() & Qt::Tool);
        QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!popup->autoScroll());
        QVERIFY(popup->onActivate());
        QVERIFY(!popup->onDeactivate());
        QVERIFY(board.pullPanel->isVisible());
        QVERIFY(board.pullPanel->inPopup());
        QCOMPARE(Anchors(board.pullPanel), Vcl::akLeft | Vcl::akTop | Vcl::akRight);
        auto *memo = popup->findChild<TMemo *>(QStringLiteral("StatusMemo"));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->scrollBars(), Vcl::ssVertical);
        QCOMPARE(memo->lines(), board.pullPanel->lines());
        // The memo holds a copy: later lines do not reach it.
        board.pullPanel->setLines({QStringLiteral("later")});
        QCOMPARE(memo->lines().first(), QStringLiteral("Pull resistors."));
        QCOMPARE(button(popup, "NextButton")->text(), QStringLiteral("Next"));
    }

    // Enlarging the popup grows the memo and keeps the buttons and status bar at the bottom.
    void growsWithItsWindow()
    {
        ProductBoard board;
        board.paint();
        board.pull.first()->MouseEnter(0);
        TPopupForm *popup = board.pull.first()->popup();
        popup->setClientSize(317, 314);
        auto *memo = popup->findChild<TMemo *>(QStringLiteral("StatusMemo"));
        QCOMPARE(memo->geometry(), QRect(6, 106, 305, 158));
        QCOMPARE(button(popup, "PreviousButton")->geometry(), QRect(6, 270, 58, 25));
        QCOMPARE(button(popup, "NextButton")->geometry().top(), 270);
        QVERIFY(qAbs(button(popup, "NextButton")->geometry().center().x() - 158) <= 1);
        QCOMPARE(button(popup, "DoneButton")->geometry(), QRect(253, 270, 58, 25));
        QCOMPARE(popup->popupStatus()->geometry(), QRect(0, 295, 317, 19));
        QCOMPARE(board.pullPanel->geometry(), QRect(0, 0, 217, 105));
    }

    void withoutPanel()
    {
        ProductBoard board;
        board.high->setRadioPanel(nullptr);
        board.image->setCenterOnForm(false);
        board.paint();
        SetBounds(board.image, 300, 200, 662, 296);
        board.high->MouseEnter(0);
        TPopupForm *popup = board.high->popup();
        QCOMPARE(outerRect(popup), QRect(300, 534, 194, 141));
        QVERIFY(popup->findChild<TMemo *>(QStringLiteral("StatusMemo"))->lines().join(QString()).isEmpty());
        QCOMPARE(popup->findChild<TMemo *>(QStringLiteral("StatusMemo"))->height(), 58);
        QCOMPARE(popup->focusWidget(), button(popup, "DoneButton"));
    }

    void smallPanelEnlargesToTheMinimum()
    {
        ProductBoard board;
        SetBounds(board.highPanel, 536, 24, 100, 40);
        board.highPanel->setMemoHeight(10);
        board.paint();
        board.high->MouseEnter(0);
        TPopupForm *popup = board.high->popup();
        QCOMPARE(QSize(Width(popup), Height(popup)), QSize(194, 122));
        QCOMPARE(popup->minimumSize(), popup->size());
    }

    // The popup opens where its panel sat on the window, shifted as far as the board image has
    // moved since its first paint, and is pulled back onto the screen once.
    void placement_data()
    {
        const QSize screen = Application::instance()->screenSize();
        QTest::addColumn<QPoint>("imageNow");
        QTest::addColumn<int>("panelWidth");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("shifted by the image's move") << QPoint(300, 200) << 217 << QPoint(380, 6);
        QTest::newRow("left of the screen") << QPoint(-100, 200) << 217 << QPoint(0, 6);
        QTest::newRow("above the screen") << QPoint(300, 150) << 217 << QPoint(380, 0);
        // 221 is the popup's outer width with the 2-pixel frame of the offscreen platform.
        QTest::newRow("beyond the right edge") << QPoint(screen.width() - 200, 200) << 217
                                               << QPoint(screen.width() - 221, 6);
        QTest::newRow("beyond the bottom") << QPoint(300, screen.height()) << 217
                                           << QPoint(380, screen.height() - 218);
        QTest::newRow("wider than the screen ends left of it") << QPoint(300, 200) << screen.width() + 10
                                                               << QPoint(-14, 6);
    }

    void placement()
    {
        QFETCH(QPoint, imageNow);
        QFETCH(int, panelWidth);
        QFETCH(QPoint, expected);
        ProductBoard board;
        board.image->setCenterOnForm(false);
        SetBounds(board.pullPanel, 176, 48, panelWidth, 105);
        board.paint();
        QCOMPARE(QPoint(board.image->designLeft(), board.image->designTop()), QPoint(96, 242));
        SetBounds(board.image, imageNow.x(), imageNow.y(), 662, 296);
        board.pull.first()->MouseEnter(0);
        TPopupForm *popup = board.pull.first()->popup();
        QCOMPARE(Width(popup) - popup->clientWidth(), 4);
        QCOMPARE(QPoint(Left(popup), Top(popup)), expected);
    }

    // ---- the states of a group's popup

    void hoverOpensAndLeavingToThePhotoCloses()
    {
        ProductBoard board;
        board.paint();
        board.pull.at(2)->MouseEnter(0);
        TPopupForm *popup = board.pull.at(2)->popup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popupOf(board.pull), popup); // one popup for the group
        QVERIFY(!board.pull.at(2)->pinned());
        for (TBoardHighlight *circle : board.pull)
            QVERIFY(circle->lit());

        pointer = QPoint(Left(popup) - 5, Top(popup) - 5);
        board.pull.at(2)->MouseLeave(0);
        QVERIFY(popup->isHidden());
        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (TBoardHighlight *circle : board.pull) {
            QVERIFY(!circle->lit());
            QCOMPARE(shown.copy(circle->geometry()), circle->restImage());
        }
    }

    void movingIntoThePopupPinsUntilThePointerLeavesIt()
    {
        ProductBoard board;
        board.paint();
        TBoardHighlight *circle = board.pull.at(1);
        circle->MouseEnter(0);
        TPopupForm *popup = circle->popup();
        TMenuItem *item = board.topItem(QStringLiteral("&Settings"))->item(0);

        pointer = outerRect(popup).topLeft(); // the caption bar's corner is inside
        circle->MouseLeave(0);
        QVERIFY(popup->isVisible());
        QVERIFY(circle->pinned());
        QVERIFY(popup->closeOnLeave());
        QVERIFY(item->checked());

        // From the caption bar onto the Next button and between controls: still inside.
        pointer = outerRect(popup).center();
        leave(popup);
        leave(button(popup, "NextButton"));
        leave(board.pullPanel);
        QVERIFY(popup->isVisible());

        // Out of the outer rectangle, by its right edge: closes, unchecks, unlights.
        pointer = QPoint(Left(popup) + Width(popup), Top(popup) + 10);
        leave(button(popup, "NextButton"));
        QVERIFY(popup->isHidden());
        QVERIFY(!popup->closeOnLeave());
        QVERIFY(!item->checked());
        for (TBoardHighlight *linked : board.pull)
            QVERIFY(!linked->lit());
    }

    void clickPinsAndThePopupSurvivesLeaving()
    {
        ProductBoard board;
        board.paint();
        TBoardHighlight *circle = board.high;
        circle->MouseEnter(0);
        circle->Click();
        TPopupForm *popup = circle->popup();
        QVERIFY(circle->pinned());
        QVERIFY(!popup->closeOnLeave());
        QVERIFY(board.topItem(QStringLiteral("&Settings"))->item(1)->checked());

        pointer = QPoint(-50, -50);
        circle->MouseLeave(0);
        QVERIFY(popup->isVisible());
        pointer = outerRect(popup).center();
        leave(button(popup, "DoneButton"));
        pointer = QPoint(-50, -50);
        leave(popup);
        QVERIFY(popup->isVisible());
        QVERIFY(circle->lit());

        // Done hides it, returns the circle to rest and clears the check mark.
        QTest::mouseClick(button(popup, "DoneButton"), Qt::LeftButton);
        QVERIFY(popup->isHidden());
        QVERIFY(!circle->lit());
        QVERIFY(!board.topItem(QStringLiteral("&Settings"))->item(1)->checked());
        const QImage shown = board.image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(circle->geometry()), circle->restImage());
    }

    void closeBoxActsLikeDone()
    {
        ProductBoard board;
        board.paint();
        board.pull.first()->MouseEnter(0);
        board.pull.first()->Pin();
        TPopupForm *popup = board.pull.first()->popup();
        popup->close();
        QVERIFY(popup->isHidden());
        QVERIFY(!board.pull.at(4)->lit());
        QVERIFY(!board.topItem(QStringLiteral("&Settings"))->item(0)->checked());
        QVERIFY(board.pull.first()->popup() == popup); // hidden, not freed
    }

    // A popup shown again keeps the place and size the user gave it, is not placed or focused
    // again, and its holder is not pinned any more.
    void shownAgainKeepsPlaceAndSize()
    {
        ProductBoard board;
        board.paint();
        TBoardHighlight *circle = board.high;
        circle->MouseEnter(0);
        circle->Click();
        TPopupForm *popup = circle->popup();
        const QSize first = popup->size();
        SetBounds(popup, 40, 50, Width(popup) + 30, Height(popup) + 20);
        popup->resize(first - QSize(50, 50)); // refused below the first size
        QCOMPARE(popup->size(), first);
        popup->resize(first + QSize(30, 20));
        popup->move(40, 50);
        QCOMPARE(outerRect(popup).topLeft(), QPoint(40, 50));
        QTest::mouseClick(button(popup, "DoneButton"), Qt::LeftButton);

        circle->MouseEnter(0);
        QVERIFY(popup->isVisible());
        QVERIFY(!circle->pinned());
        QCOMPARE(outerRect(popup).topLeft(), QPoint(40, 50));
        QCOMPARE(popup->size(), first + QSize(30, 20));
    }

    // The circle entered first builds and holds the group's popup; its buttons act for it.
    void secondLinkedCircleEnteredFirstHoldsThePopup()
    {
        ProductBoard board;
        board.paint();
        board.pull.at(3)->MouseEnter(0);
        TPopupForm *popup = board.pull.at(3)->popup();
        QVERIFY(popup);
        for (int i : {0, 1, 2, 4})
            QVERIFY(!board.pull.at(i)->popup());
        QCOMPARE(popup->highlight(), board.pull.at(3));

        // Leaving any circle of the group closes the popup through its holder.
        pointer = QPoint(-50, -50);
        board.pull.at(0)->MouseLeave(0);
        QVERIFY(popup->isHidden());

        board.pull.at(0)->MouseEnter(0);
        QVERIFY(popup->isVisible());
        QVERIFY(!board.pull.at(0)->popup());
        QTest::mouseClick(button(popup, "NextButton"), Qt::LeftButton);
        QVERIFY(popup->isHidden());
        QVERIFY(board.high->popup() && board.high->popup()->isVisible());
        QVERIFY(board.high->pinned());
    }

    void anotherWindowOfTheSameCaptionAndTagBlocksThePopup()
    {
        ProductBoard board;
        TForm stranger(board.form);
        stranger.setCaption(QStringLiteral("High Level"));
        stranger.setTag(BoardView::htSettings);
        board.paint();
        board.high->MouseEnter(0);
        QVERIFY(board.high->lit());
        QVERIFY(!board.high->popup());
        board.high->Click(); // nothing to pin
        QVERIFY(!board.high->pinned());

        stranger.setTag(BoardView::htOptions); // another type's window does not count
        board.pull.first()->MouseEnter(0);
        QVERIFY(board.pull.first()->popup());
    }

    // ---- activation and focus

    void activationLightsTheGroupBrighter()
    {
        ProductBoard board;
        QList<QPair<QString, QObject *>> events;
        board.pullPanel->setOnActivate([&](QObject *sender) { events.append({QStringLiteral("activate"), sender}); });
        board.pullPanel->setOnDeactivate([&](QObject *sender) { events.append({QStringLiteral("deactivate"), sender}); });
        board.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(board.form));
        board.form->activateWindow();
        QTRY_VERIFY(board.form->isActiveWindow());

        board.pull.at(1)->MouseEnter(0);
        TPopupForm *popup = board.pull.at(1)->popup();
        QTRY_VERIFY(popup->isActiveWindow());
        for (TBoardHighlight *circle : board.pull) {
            QVERIFY(circle->popupActive());
            QCOMPARE(&circle->shownImage(), &circle->glowImage());
        }
        QVERIFY(!board.high->popupActive());
        QCOMPARE(events.value(0), qMakePair(QStringLiteral("activate"), static_cast<QObject *>(popup)));

        // Another window becomes active: the group shows its lit image, the popup stays.
        board.pull.at(1)->Click();
        board.form->activateWindow();
        QTRY_VERIFY(!board.pull.at(0)->popupActive());
        QCOMPARE(&board.pull.at(0)->shownImage(), &board.pull.at(0)->litImage());
        QVERIFY(popup->isVisible());
        QCOMPARE(events.last(), qMakePair(QStringLiteral("deactivate"), static_cast<QObject *>(popup)));

        // Pinning again gives the popup the focus, and so the activation, back.
        board.pull.at(4)->Click();
        QTRY_VERIFY(popup->isActiveWindow());
        QTRY_VERIFY(board.pull.at(0)->popupActive());

        // Closing leaves the rest image, whatever the activation does.
        popup->close();
        QTRY_VERIFY(!board.pull.at(0)->popupActive());
        QCOMPARE(&board.pull.at(0)->shownImage(), &board.pull.at(0)->restImage());
    }

    void panelGetsTheFocusOnceBuilt()
    {
        ProductBoard board;
        QList<QObject *> entered;
        board.pullPanel->setOnEnter([&](QObject *sender) { entered << sender; });
        board.paint();
        board.pull.first()->MouseEnter(0);
        TPopupForm *popup = board.pull.first()->popup();
        QCOMPARE(entered, QList<QObject *>{board.pullPanel});
        QCOMPARE(popup->focusWidget(), board.pullPanel);
        // Activation arriving later does not raise it a second time.
        QTRY_VERIFY(popup->isActiveWindow());
        QCOMPARE(entered.size(), 1);
        // Pinning gives the focus back to the control that last had it.
        auto *next = button(popup, "NextButton");
        next->setFocus(Qt::TabFocusReason);
        board.pull.first()->Pin();
        QCOMPARE(popup->focusWidget(), next);
    }

    // ---- the tour

    void tourWalksTheTypeMenu()
    {
        ProductBoard board;
        board.paint();
        TPopupForm *pull = nullptr;
        QCOMPARE(SendMessage(board.image, StartTourMessage), qintptr(0));
        pull = board.pull.first()->popup();
        QVERIFY(pull && pull->isVisible());
        QCOMPARE(pull->caption(), QStringLiteral("Pull Down/Up"));
        QVERIFY(board.pull.first()->pinned());
        TMenuItem *settings = board.topItem(QStringLiteral("&Settings"));
        QVERIFY(settings->item(0)->checked());

        QTest::mouseClick(button(pull, "NextButton"), Qt::LeftButton);
        TPopupForm *high = board.high->popup();
        QVERIFY(pull->isHidden());
        QVERIFY(high && high->isVisible());
        QVERIFY(board.high->pinned());
        QVERIFY(!settings->item(0)->checked());
        QVERIFY(settings->item(1)->checked());

        QTest::mouseClick(button(high, "NextButton"), Qt::LeftButton);
        QVERIFY(high->isHidden());
        QVERIFY(pull->isVisible());
        QVERIFY(board.pull.first()->pinned());

        QTest::mouseClick(button(pull, "PreviousButton"), Qt::LeftButton);
        QVERIFY(pull->isHidden());
        QVERIFY(high->isVisible());

        QTest::mouseClick(button(high, "PreviousButton"), Qt::LeftButton);
        QVERIFY(pull->isVisible());
        QVERIFY(high->isHidden());

        // Message 1186 again: the first stop is shown again, pinned.
        QTest::mouseClick(button(pull, "DoneButton"), Qt::LeftButton);
        SendMessage(board.image, StartTourMessage);
        QVERIFY(pull->isVisible());
        QVERIFY(board.pull.first()->pinned());
        SendMessage(board.image, StartTourMessage);
        QVERIFY(pull->isVisible());
    }

    void singleItemTourClosesAndReopens()
    {
        ProductBoard board;
        delete board.high;
        board.paint();
        SendMessage(board.image, StartTourMessage);
        TPopupForm *popup = board.pull.first()->popup();
        QSignalSpy closed(popup, &TForm::closed);
        QTest::mouseClick(button(popup, "NextButton"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QVERIFY(popup->isVisible());
        QVERIFY(board.pull.first()->pinned());
        QVERIFY(board.topItem(QStringLiteral("&Settings"))->item(0)->checked());
    }

    void withoutMenuPreviousAndNextDoNothing()
    {
        ProductBoard board;
        board.image->setMenu(nullptr);
        board.paint();
        SendMessage(board.image, StartTourMessage);
        TPopupForm *popup = board.pull.first()->popup();
        QTest::mouseClick(button(popup, "NextButton"), Qt::LeftButton);
        QTest::mouseClick(button(popup, "PreviousButton"), Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QVERIFY(!board.high->popup());
    }

    void titleMissingFromTheMenuKeepsThePopupOpen()
    {
        ProductBoard board;
        board.paint();
        board.high->setTitle(QStringLiteral("Renamed")); // the menu keeps the old caption
        board.high->MouseEnter(0);
        board.high->Pin();
        TPopupForm *popup = board.high->popup();
        QTest::mouseClick(button(popup, "NextButton"), Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QVERIFY(!board.pull.first()->popup());
    }

    // ---- the menu items

    void menuItemOpensPinsAndCloses()
    {
        ProductBoard board;
        board.paint();
        TMenuItem *item = board.topItem(QStringLiteral("&Settings"))->item(1);
        item->action()->trigger();
        TPopupForm *popup = board.high->popup();
        QVERIFY(popup && popup->isVisible());
        QVERIFY(board.high->pinned());
        QVERIFY(item->checked());
        QCOMPARE(popup->focusWidget(), board.highPanel);

        item->action()->trigger();
        QVERIFY(popup->isHidden());
        QVERIFY(!item->checked());
        QVERIFY(!board.high->lit());

        item->action()->trigger(); // comes back, pinned again
        QVERIFY(popup->isVisible());
        QVERIFY(board.high->pinned());
        QVERIFY(item->checked());
    }

    void menuItemPinsAPopupOpenedByHover()
    {
        ProductBoard board;
        board.paint();
        TMenuItem *item = board.topItem(QStringLiteral("&Settings"))->item(0);
        board.pull.at(2)->MouseEnter(0);
        TPopupForm *popup = board.pull.at(2)->popup();
        QVERIFY(!item->checked());
        item->action()->trigger();
        QVERIFY(popup->isVisible());
        QVERIFY(board.pull.at(2)->pinned());
        QVERIFY(item->checked());
        // The item is bound to the first circle; the popup is reached through the group.
        QVERIFY(!board.pull.first()->popup());
        item->action()->trigger();
        QVERIFY(popup->isHidden());
        QVERIFY(!item->checked());
    }

    void productItemIsBoundToTheFirstCircle()
    {
        ProductBoard board;
        board.paint();
        board.topItem(QStringLiteral("&Settings"))->item(0)->click();
        QVERIFY(board.pull.first()->popup());
        QCOMPARE(popupOf(board.pull), board.pull.first()->popup());
    }

    void menuChosenWithTheKeyboard()
    {
        ProductBoard board;
        board.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(board.form));
        board.form->activateWindow();
        QTRY_VERIFY(board.form->isActiveWindow());
        QTRY_VERIFY(board.high->firstPaintDone());
        TMenuItem *settings = board.topItem(QStringLiteral("&Settings"));
        board.high->MouseEnter(0);
        TPopupForm *popup = board.high->popup();
        board.form->activateWindow();
        QTRY_VERIFY(board.form->isActiveWindow());

        QMenuBar *bar = board.form->menuBar();
        QTest::keyClick(bar, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(settings->subMenu()->isVisible());
        QTest::keyClick(settings->subMenu(), Qt::Key_H);
        QTRY_VERIFY(settings->item(1)->checked());
        QVERIFY(popup->isVisible());
        QVERIFY(board.high->pinned());

        board.form->activateWindow();
        QTRY_VERIFY(board.form->isActiveWindow());
        QTest::keyClick(bar, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(settings->subMenu()->isVisible());
        QTest::keyClick(settings->subMenu(), Qt::Key_H);
        QTRY_VERIFY(popup->isHidden());
        QVERIFY(!settings->item(1)->checked());
    }

    // ---- lifetime

    void circleFreesItsPopupAndThePanelInIt()
    {
        ProductBoard board;
        board.paint();
        board.high->MouseEnter(0);
        QPointer<TPopupForm> popup = board.high->popup();
        QPointer<TRadioPanel> panel = board.highPanel;
        delete board.high;
        QVERIFY(!popup);
        QVERIFY(!panel);
        QVERIFY(!board.form->findComponent(QStringLiteral("HighPanel")));
    }
};

QTEST_MAIN(tst_TPopupForm)
#include "tst_TPopupForm.moc"
