#include "Application.h"
#include "Control.h"
#include "Geometry.h"
#include "Messages.h"
#include "TButton.h"
#include "THelpForm.h"
#include "TLabel.h"
#include "TRichEdit.h"

#include <QTest>

// Stand-ins for the board view's image: the Start button finds them by class name only.
class TBoardImage : public QWidget, public MessageReceiver
{
    Q_OBJECT
public:
    QList<int> messages;
    qintptr handleMessage(int msg, qintptr wParam, qintptr lParam) override
    {
        messages.append(msg);
        lastParams = {wParam, lParam};
        return 1;
    }
    QPair<qintptr, qintptr> lastParams{-1, -1};
};

class TBigBoardImage : public TBoardImage
{
    Q_OBJECT
};

// Receives messages too, but is no board image.
class TOtherReceiver : public QWidget, public MessageReceiver
{
    Q_OBJECT
public:
    int received = 0;
    qintptr handleMessage(int, qintptr, qintptr) override { return ++received; }
};

class TestTHelpForm : public QObject
{
    Q_OBJECT
private slots:
    void shouldBuildTheWindowWithItsControls()
    {
        THelpForm form;
        QCOMPARE(form.name(), QStringLiteral("HelpForm"));
        QCOMPARE(form.caption(), QStringLiteral("Instructions for Settings utility"));
        QCOMPARE(form.formStyle(), Vcl::fsStayOnTop);
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form.position(), Vcl::poMainFormCenter);
        QCOMPARE(form.borderStyle(), Vcl::bsSizeable);
        QVERIFY(!form.isVisible());

        TLabel *label = form.HelpLabel();
        QCOMPARE(label->caption(), QStringLiteral("How to use this program"));
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(label->font().pointSize(), 12);
        QVERIFY(label->font().bold());
        QCOMPARE(label->alignmentValue(), Vcl::taCenter);
        QCOMPARE(Align(label), Vcl::alTop);
        const int labelHeight = Height(label);
        QVERIFY(labelHeight > 0);

        TRichEdit *rich = form.HelpRich();
        QVERIFY(rich->isReadOnly());
        QCOMPARE(rich->scrollBars(), Vcl::ssVertical);
        QCOMPARE(rich->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(rich->wordWrap());
        QCOMPARE(rich->palette().color(QPalette::Base), QColor(221, 221, 221));
        QCOMPARE(Anchors(rich), Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);

        TButton *start = form.StartButton();
        QCOMPARE(start->text(), QStringLiteral("Start"));
        QVERIFY(start->isDefaultButton());
        QVERIFY(start->isCancelButton());
        QCOMPARE(Anchors(start), Vcl::TAnchors(Vcl::akBottom));

        // The fit keeps the controls at the client's top-left corner and the width at 305;
        // the height follows the label's real height.
        QCOMPARE(form.clientWidth(), 305);
        QCOMPARE(form.clientHeight(), labelHeight + 120);
        QCOMPARE(Left(label), 0);
        QCOMPARE(Top(label), 0);
        QCOMPARE(Width(label), 305);
        QCOMPARE(QRect(Left(rich), Top(rich), Width(rich), Height(rich)), QRect(0, qMax(24, labelHeight), 305, 72));
        QCOMPARE(QRect(Left(start), Top(start), Width(start), Height(start)),
                 QRect(66, labelHeight + 88, 172, 24));
        QVERIFY(Top(rich) + Height(rich) <= Top(start));
    }

    void shouldScaleForLargeScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("800x600") << QSize(800, 600) << 1.0 << 305;
        QTest::newRow("640x480 never shrinks") << QSize(640, 480) << 1.0 << 305;
        QTest::newRow("wide but low 1600x400") << QSize(1600, 400) << 1.0 << 305;
        QTest::newRow("1024x768 by its width") << QSize(1024, 768) << 1.28 << 390;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 2.4 << 732;
        QTest::newRow("2560x900 by its height") << QSize(2560, 900) << 2.0 << 610;
        // 305 x 1.5 = 457.5 goes to the even neighbour.
        QTest::newRow("1200x1000 halves to even") << QSize(1200, 1000) << 1.5 << 458;
    }

    void shouldScaleForLargeScreens()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        QFETCH(int, clientWidth);
        THelpForm form;
        const int height = form.clientHeight();
        const QRect rich = form.HelpRich()->geometry();
        const QRect start = form.StartButton()->geometry();

        form.scaleForScreen(screen);

        QCOMPARE(form.clientWidth(), clientWidth);
        QCOMPARE(form.clientHeight(), Round(height * scale));
        // The controls follow their anchors: the box grows on all sides, the button keeps its
        // distance to the bottom and stays centred; the fonts stay.
        const int dw = clientWidth - 305;
        const int dh = form.clientHeight() - height;
        QCOMPARE(form.HelpRich()->geometry(), rich.adjusted(0, 0, dw, dh));
        QCOMPARE(form.StartButton()->y(), start.y() + dh);
        QCOMPARE(form.StartButton()->size(), start.size());
        QVERIFY(qAbs(form.StartButton()->geometry().center().x() - form.clientWidth() / 2) <= 2);
        QCOMPARE(form.HelpLabel()->font().pointSize(), 12);
    }

    void shouldStartTheTourAtTheFirstBoardImage()
    {
        TForm main;
        TOtherReceiver other;
        other.setParent(main.client());
        TBigBoardImage derived; // derives from TBoardImage: it counts
        derived.setParent(main.client());
        TBoardImage plain;
        plain.setParent(main.client());
        THelpForm form(&main);
        form.showForm();

        form.StartButton()->click();

        QVERIFY(!form.isVisible());
        QCOMPARE(derived.messages, QList<int>{1186});
        QCOMPARE(derived.lastParams, (QPair<qintptr, qintptr>(0, 0)));
        QVERIFY(plain.messages.isEmpty());
        QCOMPARE(other.received, 0);
    }

    void shouldOnlyHideWithoutABoardImage()
    {
        TForm main;
        TOtherReceiver other;
        other.setParent(main.client());
        THelpForm form(&main);
        form.showForm();
        form.StartButton()->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(other.received, 0);
    }

    void shouldPressStartWithEnterAndEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void shouldPressStartWithEnterAndEscape()
    {
        QFETCH(int, key);
        TForm main;
        TBoardImage board;
        board.setParent(main.client());
        THelpForm form(&main);
        form.showForm();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // With the focus on Start, a button takes Enter by itself; the rich-text box does not.
        form.HelpRich()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(form.HelpRich()));

        QTest::keyClick(form.HelpRich(), Qt::Key(key));

        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(board.messages, QList<int>{1186});
    }
};

QTEST_MAIN(TestTHelpForm)
#include "tst_THelpForm.moc"
