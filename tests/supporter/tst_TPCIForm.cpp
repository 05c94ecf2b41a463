#include "Control.h"
#include "TButton.h"
#include "TMemo.h"
#include "TPCIForm.h"

#include <QTest>

class TestTPCIForm : public QObject
{
    Q_OBJECT
private slots:
    void shouldFitToItsControlsWithoutCentringTheButtonAgain()
    {
        TPCIForm form;
        QCOMPARE(form.name(), QStringLiteral("PCIForm"));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form.position(), Vcl::poDefaultPosOnly);
        QCOMPARE(QSize(form.clientWidth(), form.clientHeight()), QSize(305, 122));

        TMemo *memo = form.PCIMemo();
        QCOMPARE(memo->geometry(), QRect(0, 0, 305, 89));
        QCOMPARE(memo->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(memo->font().pointSize(), 10);
        QVERIFY(memo->font().bold());
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->scrollBars(), Vcl::ssVertical);
        QCOMPARE(Anchors(memo), Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);

        // Centred on the 320-pixel window before the fit (123), then moved with the memo.
        TButton *close = form.CloseButton();
        QCOMPARE(close->geometry(), QRect(115, 97, 73, 25));
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QVERIFY(close->isCancelButton());
        QCOMPARE(Anchors(close), Vcl::TAnchors(Vcl::akBottom));
    }

    void shouldPlaceTheButtonAlikeOnceAFramedWindowTaughtTheFrame()
    {
        // The first window shown teaches the frame's size; the next one built must still
        // centre its button on a 320-pixel window.
        TPCIForm first;
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        TPCIForm second;
        QCOMPARE(second.CloseButton()->x(), 115);
    }
};

QTEST_MAIN(TestTPCIForm)
#include "tst_TPCIForm.moc"
