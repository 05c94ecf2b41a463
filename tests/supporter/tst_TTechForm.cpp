#include "Control.h"
#include "TButton.h"
#include "TMemo.h"
#include "TTechForm.h"

#include <QTest>

class TestTTechForm : public QObject
{
    Q_OBJECT
private slots:
    void shouldFitToItsControlsAndCentreTheButton()
    {
        TTechForm form;
        QCOMPARE(form.name(), QStringLiteral("TechForm"));
        QCOMPARE(form.caption(), QStringLiteral("Technical Support"));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form.position(), Vcl::poDefaultPosOnly);
        QVERIFY(!form.isVisible());
        QCOMPARE(QSize(form.clientWidth(), form.clientHeight()), QSize(305, 122));

        TMemo *memo = form.TechMemo();
        QCOMPARE(memo->geometry(), QRect(0, 0, 305, 89));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->scrollBars(), Vcl::ssVertical);
        QCOMPARE(Anchors(memo), Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);

        TButton *close = form.CloseButton();
        QCOMPARE(close->geometry(), QRect(116, 97, 73, 25));
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QVERIFY(close->isCancelButton());
        QVERIFY(!close->isDefaultButton());
        QCOMPARE(Anchors(close), Vcl::TAnchors(Vcl::akBottom));
    }

    void shouldKeepTheButtonCentredAtTheBottomWhenResized()
    {
        TTechForm form;
        form.setClientSize(505, 222);
        QCOMPARE(form.TechMemo()->geometry(), QRect(0, 0, 505, 189));
        QCOMPARE(form.CloseButton()->y(), 197);
        QVERIFY(qAbs(form.CloseButton()->geometry().center().x() - 252) <= 2);
    }
};

QTEST_MAIN(TestTTechForm)
#include "tst_TTechForm.moc"
