// The interaction harness: the product's main form, started as the program starts it, driven
// through the operations the platform calls, each timed over many repetitions:
//   - first hover of each group: MouseEnter on a circle, the group's popup built and shown,
//     until the popup has been painted; on a fresh main form every time;
//   - later hover: the same after the popup was closed by the pointer leaving (shown again);
//   - a jumper click with its repaint: TTwoJumper / TThreeJumper Click and a repaint of the
//     drawing, the option rules included, in the open popup.
// Prints medians and 90th percentiles in milliseconds. The pointer is placed far from every
// window, so that a mouse leave closes the popup.
//
//   bench_interaction [--smoke] [--repetitions N]   (default 30 fresh forms, 10 x N later hovers
//                                                      and clicks; --smoke: 1)
#include "Application.h"
#include "BenchSupport.h"
#include "Cursor.h"
#include "GuardedApplication.h"
#include "Startup.h"
#include "TBoardHighlight.h"
#include "TMainForm.h"
#include "TPopupForm.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Samples = std::vector<double>;

double Quantile(Samples samples, double q)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const double at = q * double(samples.size() - 1);
    const size_t below = size_t(at);
    const size_t above = std::min(below + 1, samples.size() - 1);
    return samples[below] + (samples[above] - samples[below]) * (at - double(below));
}

template<class F>
double TimeMs(F &&f)
{
    QElapsedTimer clock;
    clock.start();
    f();
    return double(clock.nsecsElapsed()) * 1e-6;
}

TBoardHighlight *Circle(TMainForm *form, const char *name)
{
    auto *circle = form->findChild<TBoardHighlight *>(QLatin1String(name));
    if (!circle)
        throw std::runtime_error(std::string("The main form has no circle ") + name + ".");
    return circle;
}

// The shown popup of the circle's group, whichever linked circle holds it.
TPopupForm *PopupOf(TBoardHighlight *circle)
{
    for (TBoardHighlight *linked : circle->LinkedCircles())
        if (linked->popup())
            return linked->popup();
    return nullptr;
}

// A main form started as the program starts it: shown, painted, and the supporter's windows
// built and the instructions window shown, so that nothing of the start-up runs any more.
std::unique_ptr<TMainForm> StartedForm()
{
    auto form = Bench::MakeMainForm(true);
    const bool started = Bench::ProcessUntil([] {
        for (TForm *window : Application::instance()->forms())
            if (window->inherits("THelpForm") && window->isVisible())
                return true;
        return false;
    });
    if (!started)
        throw std::runtime_error("The instructions window did not appear.");
    return form;
}

// Notes the windows any widget of which was painted.
class WindowPaintWatch : public QObject
{
public:
    QList<const QWidget *> painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            const QWidget *window = static_cast<QWidget *>(watched)->window();
            if (!painted.contains(window))
                painted.append(window);
        }
        return false;
    }
};

// Enters the circle and waits until the group's popup has been painted; returns the time.
double Hover(TBoardHighlight *circle)
{
    WindowPaintWatch watch;
    qApp->installEventFilter(&watch);
    return TimeMs([&] {
        circle->MouseEnter(0);
        TPopupForm *popup = PopupOf(circle);
        if (!popup || !popup->isVisible())
            throw std::runtime_error("The popup did not open for " + circle->objectName().toStdString() + ".");
        if (!Bench::ProcessUntil([&] { return watch.painted.contains(popup); }))
            throw std::runtime_error("The popup was not painted.");
    });
}

// Leaves the circle with the pointer outside the popup, which closes it.
void Leave(TBoardHighlight *circle)
{
    circle->MouseLeave(0);
    TPopupForm *popup = PopupOf(circle);
    if (popup && popup->isVisible())
        throw std::runtime_error("The popup stayed open after the pointer left.");
    QCoreApplication::processEvents();
}

struct Row
{
    std::string label;
    Samples samples;
};

} // namespace

int main(int argc, char **argv)
{
    int repetitions = 30;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--smoke"))
            repetitions = 1;
        else if (!std::strcmp(argv[i], "--repetitions") && i + 1 < argc)
            repetitions = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--smoke] [--repetitions N]\n", argv[0]);
            return 2;
        }
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    int qtArgc = 1;
    char name[] = "Settings";
    char *qtArgv[] = {name, nullptr};
    GuardedApplication application(qtArgc, qtArgv);
    GuardedApplication::setApplicationName(QStringLiteral("Settings"));
    PrepareApplication();
    QStringList boxes;
    Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &, unsigned) {
        boxes << text;
        return MessageBoxResult::Ok;
    });
    SetCursorPosSource([] { return QPoint(-10000, -10000); });

    const char *groups[] = {"PullHighlight0", "HighHighlight"};
    std::map<std::string, Row> rows;
    const auto add = [&](const std::string &key, const std::string &label, double ms) {
        Row &row = rows[key];
        row.label = label;
        row.samples.push_back(ms);
    };
    try {
        for (int rep = 0; rep < repetitions; ++rep) {
            auto form = StartedForm();
            for (const char *group : groups) {
                TBoardHighlight *circle = Circle(form.get(), group);
                add(std::string("1 first ") + group, "first hover, " + circle->plainTitle().toStdString(),
                    Hover(circle));
                Leave(circle);
            }
        }

        auto form = StartedForm();
        const int later = 10 * repetitions;
        for (int rep = 0; rep < later; ++rep) {
            for (const char *group : groups) {
                TBoardHighlight *circle = Circle(form.get(), group);
                const double ms = Hover(circle);
                if (rep > 0) // the first one built the popup
                    add(std::string("2 later ") + group, "later hover, " + circle->plainTitle().toStdString(), ms);
                Leave(circle);
            }
        }

        // Clicks in the open popups, as the user makes them.
        Hover(Circle(form.get(), "HighHighlight"));
        Hover(Circle(form.get(), "PullHighlight0"));
        for (int rep = 0; rep < later; ++rep) {
            add("3 two", "two-pin jumper click + repaint", TimeMs([&] {
                    form->High18Jumper->Click();
                    form->High18Jumper->repaint();
                }));
            add("4 three", "three-pin jumper click + repaint", TimeMs([&] {
                    form->PullJumper->Click();
                    form->PullJumper->repaint();
                }));
            QCoreApplication::processEvents(); // the other drawings and the combo boxes
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_interaction: %s\n", e.what());
        return 1;
    }
    SetCursorPosSource({});
    if (!boxes.isEmpty()) {
        std::fprintf(stderr, "bench_interaction: a message box appeared: %s\n", qPrintable(boxes.first()));
        return 1;
    }

    std::printf("interaction, QT_QPA_PLATFORM=%s, %d fresh forms, %d later hovers and clicks\n",
                qgetenv("QT_QPA_PLATFORM").constData(), repetitions, 10 * repetitions);
    std::printf("%-38s %10s %10s %6s\n", "", "median ms", "p90 ms", "n");
    for (const auto &[key, row] : rows)
        std::printf("%-38s %10.3f %10.3f %6zu\n", row.label.c_str(), Quantile(row.samples, 0.5),
                    Quantile(row.samples, 0.9), row.samples.size());
    return 0;
}
