// What the micro-benchmarks and the interaction harness share: the product's main form built
// from its own description and shown as the program shows it, the board photograph's bytes,
// and waiting for paints by processing events (never by sleeping).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class TMainForm;

namespace Bench {

// Processes events until done() holds or timeoutMs passed; returns done().
bool ProcessUntil(const std::function<bool()> &done, int timeoutMs = 10000);

// Counts the paint events each watched widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QObject *parent = nullptr) : QObject(parent) {}
    void watch(QWidget *widget);
    int paints(const QWidget *widget) const;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<const QObject *> m_widgets;
    QList<int> m_counts;
};

// The board photograph as the description carries it (the JPEG file's bytes).
QByteArray BoardJpeg();

// Builds the main form from the program's description; throws std::runtime_error with the
// reader's message when that fails. The form is shown (as Application::run shows it, made the
// application's main form) when show is true, and then returned only once the board image
// and each of its circles have been painted.
std::unique_ptr<TMainForm> MakeMainForm(bool show);

// The children of the given class name (exact, as the description names classes) under root,
// in the order of the tree.
QList<QWidget *> ChildrenOfClass(QObject *root, const char *className);

} // namespace Bench
