// The program at one scale factor of a high pixel density (QT_SCALE_FACTOR, set per run by
// CTest): the description's coordinates stay device-independent pixels, the jumper drawings and
// the circles reach the screen scaled without blur, and screenshots of the main window and of
// two popups are kept for a look.
#include "Application.h"
#include "JumperWidget.h"
#include "Startup.h"
#include "TBoardHighlight.h"
#include "TMainForm.h"
#include "TPopupForm.h"
#include "THelpForm.h"
#include "TPCIForm.h"
#include "TSetupSupporter.h"

#include <QDir>
#include <QTest>

#include <cmath>

namespace {

// Every device pixel of scaled is one of the (up to four) pixels of logical nearest to where it
// samples: true of a nearest-neighbour scaling, false wherever a smoothing filter blended
// colours. Returns the first pixel that breaks it, or (-1, -1).
QPoint firstBlendedPixel(const QImage &logical, const QImage &scaled, qreal factor)
{
    const auto candidates = [factor](int device, int size) {
        const qreal at = (device + 0.5) / factor - 0.5;
        const int low = std::clamp(int(std::floor(at)), 0, size - 1);
        const int high = std::clamp(int(std::ceil(at)), 0, size - 1);
        return std::pair{low, high};
    };
    for (int y = 0; y < scaled.height(); ++y) {
        const auto [y0, y1] = candidates(y, logical.height());
        for (int x = 0; x < scaled.width(); ++x) {
            const auto [x0, x1] = candidates(x, logical.width());
            const QRgb p = scaled.pixel(x, y) | 0xFF000000;
            const auto is = [&](int lx, int ly) { return (logical.pixel(lx, ly) | 0xFF000000) == p; };
            if (!is(x0, y0) && !is(x1, y0) && !is(x0, y1) && !is(x1, y1))
                return {x, y};
        }
    }
    return {-1, -1};
}

QImage rgb32(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_RGB32); }

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT
    TMainForm *form = nullptr;
    qreal factor = 1;

    QString shot(const QString &what) const
    {
        return QStringLiteral(SCREENSHOT_DIR "/%1-%2.png").arg(what).arg(factor);
    }
    TBoardHighlight *circle(const char *name) const
    {
        return form->findChild<TBoardHighlight *>(QLatin1String(name));
    }
    // Opens a circle's popup the way the pointer does and keeps a screenshot of it.
    void openAndShoot(const char *circleName, const QString &what)
    {
        TBoardHighlight *c = circle(circleName);
        QVERIFY(c);
        c->MouseEnter(0);
        TPopupForm *popup = c->popup();
        QVERIFY(popup);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        const QPixmap picture = popup->grab();
        QCOMPARE(picture.size(), (QSizeF(popup->size()) * factor).toSize());
        QVERIFY(picture.save(shot(what)));
    }

private slots:
    void initTestCase()
    {
        factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR)));
        Application::instance()->setMessageBoxFunction(
            [](const QString &, const QString &, unsigned) { return MessageBoxResult::Ok; });
        QString error;
        form = CreateMainForm(&error);
        QVERIFY2(form, qPrintable(error));
        Application::instance()->setMainForm(form);
        form->showForm();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->devicePixelRatio(), factor);
        const auto circles = form->findChildren<TBoardHighlight *>();
        QVERIFY(!circles.isEmpty());
        QTRY_VERIFY(std::all_of(circles.begin(), circles.end(), [](auto *c) { return c->firstPaintDone(); }));
        // The supporter's build at the first idle moment: header, cards window, instructions.
        QVERIFY(form->SetSup);
        QTRY_VERIFY(form->SetSup->HelpForm() && form->SetSup->HelpForm()->isVisible());
    }
    void cleanupTestCase()
    {
        Application::instance()->setOnIdle({});
        Application::instance()->setMainForm(nullptr);
        delete form;
        Application::instance()->setMessageBoxFunction({});
    }

    // Sizes and places from the description are the same at every factor; only the device
    // pixels behind them grow.
    void layoutIsInDeviceIndependentPixels()
    {
        const QPixmap picture = form->grab();
        QCOMPARE(picture.size(), (QSizeF(form->size()) * factor).toSize());
        QVERIFY(picture.save(shot(QStringLiteral("main"))));

        QCOMPARE(circle("PullHighlight0")->geometry(), QRect(128, 0, 33, 193));
        QCOMPARE(circle("HighHighlight")->size().height(), 25);
        QCOMPARE(circle("PullHighlight0")->restImage().size(), QSize(33, 193));
        auto *jumper = form->findChild<JumperWidget *>(QStringLiteral("High18Jumper"));
        QVERIFY(jumper);
        QCOMPARE(jumper->size(), QSize(18, 34));
    }

    void supporterWindowsAtScale()
    {
        QVERIFY(form->SetSup->HeaderLabel() && form->SetSup->HeaderLabel()->isVisible());
        for (TForm *window : {static_cast<TForm *>(form->SetSup->HelpForm()), static_cast<TForm *>(form->SetSup->PCIForm())}) {
            QVERIFY(window && window->isVisible());
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY(window->grab().save(shot(window->name())));
        }
    }

    void popupsAtScale()
    {
        openAndShoot("HighHighlight", QStringLiteral("popup-high"));
        openAndShoot("PullHighlight0", QStringLiteral("popup-pull"));
    }

    // Their pixel rules are drawn in device-independent pixels; on a denser screen each such
    // pixel becomes a block of device pixels of its own colour, not a blur.
    void jumpersAreScaledWithoutBlur()
    {
        // By now the panels sit in their popups.
        QList<JumperWidget *> jumpers;
        for (TForm *window : Application::instance()->forms())
            jumpers += window->findChildren<JumperWidget *>();
        QCOMPARE(jumpers.size(), 5);
        for (JumperWidget *jumper : jumpers) {
            QImage logical(jumper->size(), QImage::Format_RGB32);
            jumper->render(&logical);
            const QImage scaled = rgb32(jumper->grab());
            QCOMPARE(scaled.size(), (QSizeF(jumper->size()) * factor).toSize());
            const QPoint blended = firstBlendedPixel(logical, scaled, factor);
            QVERIFY2(blended == QPoint(-1, -1), qPrintable(QStringLiteral("%1: blended device pixel at %2, %3")
                                                               .arg(jumper->name()).arg(blended.x()).arg(blended.y())));
        }
    }

    void circlesAreScaledWithoutBlur()
    {
        for (TBoardHighlight *c : form->findChildren<TBoardHighlight *>()) {
            const QImage scaled = rgb32(c->grab());
            QCOMPARE(scaled.size(), (QSizeF(c->size()) * factor).toSize());
            const QPoint blended = firstBlendedPixel(c->shownImage(), scaled, factor);
            QVERIFY2(blended == QPoint(-1, -1), qPrintable(QStringLiteral("%1: blended device pixel at %2, %3")
                                                               .arg(c->name()).arg(blended.x()).arg(blended.y())));
        }
    }
};

QTEST_MAIN(TestHighDpi)
#include "tst_HighDpi.moc"
