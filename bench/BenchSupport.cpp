#include "BenchSupport.h"

#include "Application.h"
#include "Component.h"
#include "Startup.h"
#include "TMainForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <stdexcept>

namespace Bench {

bool ProcessUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void PaintCounter::watch(QWidget *widget)
{
    if (m_widgets.contains(widget))
        return;
    m_widgets.append(widget);
    m_counts.append(0);
    widget->installEventFilter(this);
}

int PaintCounter::paints(const QWidget *widget) const
{
    const qsizetype i = m_widgets.indexOf(widget);
    return i < 0 ? 0 : m_counts.at(i);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        const qsizetype i = m_widgets.indexOf(watched);
        if (i >= 0)
            ++m_counts[i];
    }
    return false;
}

QByteArray BoardJpeg()
{
    PrepareApplication();
    QFile file(QStringLiteral(":/mainform/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("The board photograph is missing from the resources.");
    return file.readAll();
}

std::unique_ptr<TMainForm> MakeMainForm(bool show)
{
    QString error;
    std::unique_ptr<TMainForm> form(CreateMainForm(&error));
    if (!form)
        throw std::runtime_error(error.toStdString());
    if (!show)
        return form;
    PaintCounter counter;
    QList<QWidget *> painted = ChildrenOfClass(form.get(), "TBoardImage");
    painted += ChildrenOfClass(form.get(), "TBoardHighlight");
    for (QWidget *widget : painted)
        counter.watch(widget);
    Application::instance()->setMainForm(form.get());
    form->showForm();
    const bool done = ProcessUntil([&] {
        for (QWidget *widget : painted)
            if (counter.paints(widget) == 0)
                return false;
        return true;
    });
    if (!done)
        throw std::runtime_error("The main form was not painted.");
    return form;
}

QList<QWidget *> ChildrenOfClass(QObject *root, const char *className)
{
    QList<QWidget *> found;
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        if (isClass(widget, className))
            found.append(widget);
    return found;
}

} // namespace Bench
