#include "Application.h"

#include "TForm.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace {
const QEvent::Type sentinelType = static_cast<QEvent::Type>(QEvent::registerEventType());
}

Application *Application::instance()
{
    static QPointer<Application> app;
    if (!app)
        app = new Application(QCoreApplication::instance());
    return app;
}

Application::Application(QObject *parent)
    : QObject(parent)
{
}

void Application::setOnIdle(IdleEvent handler)
{
    m_onIdle = std::move(handler);
    watchIdle();
}

void Application::setMainForm(TForm *form)
{
    if (m_mainForm == form)
        return;
    m_mainForm = form;
    m_firstPaintSeen = false;
    watchIdle();
}

void Application::watchIdle()
{
    // Watching every event costs a little; do it only while somebody waits for idle.
    const bool want = bool(m_onIdle);
    if (want == m_filtering)
        return;
    m_filtering = want;
    if (want) {
        qApp->installEventFilter(this);
        if (m_firstPaintSeen)
            postSentinel();
    } else {
        qApp->removeEventFilter(this);
        m_waitingForEvent = false;
    }
}

void Application::postSentinel()
{
    m_waitingForEvent = false;
    m_eventsSincePost = 0;
    if (m_sentinelPosted)
        return;
    m_sentinelPosted = true;
    QCoreApplication::postEvent(this, new QEvent(sentinelType), Qt::LowEventPriority);
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == sentinelType)
        return false;
    ++m_eventsSincePost;
    if (!m_firstPaintSeen && event->type() == QEvent::Paint && watched->isWidgetType() && m_mainForm
        && static_cast<QWidget *>(watched)->window() == m_mainForm) {
        m_firstPaintSeen = true;
        postSentinel();
    } else if (m_waitingForEvent) {
        postSentinel();
    }
    return false;
}

void Application::customEvent(QEvent *event)
{
    if (event->type() != sentinelType)
        return;
    m_sentinelPosted = false;
    if (!m_onIdle || !m_firstPaintSeen || m_inIdle)
        return;
    if (m_eventsSincePost > 0) {
        // Something else ran since the sentinel was posted: the queue was not empty yet.
        postSentinel();
        return;
    }
    bool done = true;
    IdleEvent handler = m_onIdle; // the handler may unhook itself while it runs
    m_inIdle = true;
    guarded([&] { handler(this, done); });
    m_inIdle = false;
    if (!m_onIdle)
        return;
    if (done)
        m_waitingForEvent = true;
    else
        postSentinel();
}

int Application::run()
{
    qApp->setQuitOnLastWindowClosed(false);
    if (m_mainForm) {
        connect(m_mainForm.data(), &TForm::closed, qApp, [] { QCoreApplication::exit(0); });
        m_mainForm->showForm();
    }
    return QApplication::exec();
}

void Application::showException(const std::exception &error)
{
    showException(QString::fromUtf8(error.what()));
}

void Application::showException(const QString &message)
{
    messageBox(message, QCoreApplication::applicationName(), MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
}

int Application::messageBox(const QString &text, const QString &caption, unsigned style)
{
    return m_messageBox ? m_messageBox(text, caption, style) : defaultMessageBox(text, caption, style);
}

void Application::setMessageBoxFunction(MessageBoxFunction function)
{
    m_messageBox = std::move(function);
}

int Application::defaultMessageBox(const QString &text, const QString &caption, unsigned style)
{
    QMessageBox box;
    box.setText(text);
    box.setWindowTitle(caption);
    switch (style & 0xF0) {
    case MessageBoxStyle::IconStop: box.setIcon(QMessageBox::Critical); break;
    case MessageBoxStyle::IconQuestion: box.setIcon(QMessageBox::Question); break;
    case MessageBoxStyle::IconExclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageBoxStyle::IconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    if (style & (MessageBoxStyle::TopMost | MessageBoxStyle::SetForeground))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);

    struct Choice { QMessageBox::StandardButton button; int result; };
    QList<Choice> choices;
    switch (style & 0xF) {
    case MessageBoxStyle::OkCancel:
        choices = {{QMessageBox::Ok, MessageBoxResult::Ok}, {QMessageBox::Cancel, MessageBoxResult::Cancel}};
        break;
    case MessageBoxStyle::RetryCancel:
        choices = {{QMessageBox::Retry, MessageBoxResult::Retry}, {QMessageBox::Cancel, MessageBoxResult::Cancel}};
        break;
    case MessageBoxStyle::YesNo:
        choices = {{QMessageBox::Yes, MessageBoxResult::Yes}, {QMessageBox::No, MessageBoxResult::No}};
        break;
    default:
        choices = {{QMessageBox::Ok, MessageBoxResult::Ok}};
        break;
    }
    for (const Choice &c : choices)
        box.addButton(c.button);
    const int defaultIndex = (style & MessageBoxStyle::DefButton2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(choices[defaultIndex].button);
    // Closing the box without a button counts as Cancel where there is one.
    box.setEscapeButton(choices.size() > 1 ? choices.last().button : choices.first().button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice &c : choices)
        if (c.button == pressed)
            return c.result;
    return choices.size() > 1 ? MessageBoxResult::Cancel : MessageBoxResult::Ok;
}

QSize Application::screenSize() const
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(800, 600);
}

QList<TForm *> Application::forms() const
{
    return m_forms;
}

void Application::registerForm(TForm *form)
{
    if (!m_forms.contains(form))
        m_forms.append(form);
}

void Application::unregisterForm(TForm *form)
{
    m_forms.removeOne(form);
}
