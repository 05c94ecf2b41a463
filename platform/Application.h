// The application object: the idle event, the standard error box for exceptions that escape
// a handler, message boxes through one replaceable function, the screen and the list of forms.
// It works with any QApplication; the program itself runs on GuardedApplication.
#pragma once

#include "Events.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <exception>
#include <functional>

#include "TForm.h"

// Styles and results of message boxes, with the numbers the callers store.
namespace MessageBoxStyle {
enum : unsigned {
    Ok = 0x0, OkCancel = 0x1, RetryCancel = 0x5, YesNo = 0x4,
    IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40,
    DefButton2 = 0x100, SetForeground = 0x10000, TopMost = 0x40000,
};
}
namespace MessageBoxResult {
enum : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
}

using MessageBoxFunction = std::function<int(const QString &text, const QString &caption, unsigned style)>;

class Application : public QObject
{
    Q_OBJECT
public:
    // The one application object; made on first use, freed with the QApplication.
    static Application *instance();

    // The idle event: raised each time the event queue has run empty, the first time only
    // after the main form's first paint. Sender is this object; done starts true. When a
    // handler leaves done false, it is called again at the next empty queue without waiting
    // for a new event. Default: unassigned (then nothing is watched).
    IdleEvent onIdle() const { return m_onIdle; }
    void setOnIdle(IdleEvent handler);

    // The main form: the form whose close ends the program, and whose first paint
    // allows the first idle event.
    TForm *mainForm() const { return m_mainForm; }
    void setMainForm(TForm *form);

    // Shows the main form (maximized when it asks for it) and runs the event loop until
    // the main form closes. Returns the exit code, 0 for a normal end.
    int run();

    // Shows the exception's message in the standard error box; the program goes on.
    void showException(const std::exception &error);
    void showException(const QString &message);

    // Shows a message box through the replaceable function and returns the pressed button.
    int messageBox(const QString &text, const QString &caption, unsigned style);
    // Replaces the function behind messageBox (tests answer boxes); empty restores the default.
    void setMessageBoxFunction(MessageBoxFunction function);

    // The primary screen's size in pixels.
    QSize screenSize() const;
    // All forms of the application, shown or hidden, in the order they were made.
    QList<TForm *> forms() const;

    // Runs f; an exception escaping it is shown in the error box instead of passing on.
    template<class F>
    void guarded(F &&f)
    {
        try {
            f();
        } catch (const std::exception &e) {
            showException(e);
        } catch (...) {
            showException(tr("An unknown error occurred."));
        }
    }

    // Used by TForm: a form was made or freed.
    void registerForm(TForm *form);
    void unregisterForm(TForm *form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    explicit Application(QObject *parent);
    void watchIdle();
    void postSentinel();
    static int defaultMessageBox(const QString &text, const QString &caption, unsigned style);

    IdleEvent m_onIdle;
    QPointer<TForm> m_mainForm;
    QList<TForm *> m_forms;
    MessageBoxFunction m_messageBox;
    bool m_firstPaintSeen = false;
    bool m_filtering = false;
    bool m_sentinelPosted = false;
    bool m_waitingForEvent = false;
    quint64 m_eventsSincePost = 0;
    bool m_inIdle = false;
};

// Runs f guarded by the application object: exceptions go to its error box.
template<class F>
void Guarded(F &&f)
{
    Application::instance()->guarded(std::forward<F>(f));
}
