#include "TForm.h"

#include "Application.h"
#include "Control.h"
#include "TMainMenu.h"

#include <QCloseEvent>
#include <QHash>
#include <QMenuBar>

namespace {
// Frame margins seen on framed windows, by kind of window, for windows not yet framed.
QHash<int, QMargins> &knownMargins()
{
    static QHash<int, QMargins> margins;
    return margins;
}
}

TForm::TForm(Component *owner)
    : QWidget(nullptr)
    , Component(this)
    , m_client(new QWidget(this))
{
    setOwner(owner);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAutoFillBackground(true);
    setColor(clBtnFace);
    Application::instance()->registerForm(this);
    updateFlags();
    setOuterSize(320, 240);
}

TForm::~TForm()
{
    Application::instance()->unregisterForm(this);
}

int TForm::left() const { return frameGeometry().x(); }
int TForm::top() const { return frameGeometry().y(); }
void TForm::setLeft(int left) { move(left, top()); }
void TForm::setTop(int top) { move(left(), top); }

QMargins TForm::frameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (frame != inner)
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    return knownMargins().value(frameKind());
}

int TForm::outerWidth() const
{
    const QMargins m = frameMargins();
    return width() + m.left() + m.right();
}

int TForm::outerHeight() const
{
    const QMargins m = frameMargins();
    return height() + m.top() + m.bottom();
}

void TForm::setOuterSize(int width, int height)
{
    const QMargins m = frameMargins();
    resize(qMax(1, width - m.left() - m.right()), qMax(1, height - m.top() - m.bottom()));
    layoutClient();
}

int TForm::clientWidth() const { return width(); }
int TForm::clientHeight() const { return height() - menuHeight(); }

void TForm::setClientSize(int width, int height)
{
    resize(qMax(1, width), qMax(1, height + menuHeight()));
    layoutClient();
}

void TForm::setMinimumOuterSize(int width, int height)
{
    m_minimumOuter = QSize(width, height);
    const QMargins m = frameMargins();
    setMinimumSize(qMax(0, width - m.left() - m.right()), qMax(0, height - m.top() - m.bottom()));
}

void TForm::setWindowStateValue(Vcl::TWindowState state)
{
    m_windowState = state;
}

void TForm::setFormStyle(Vcl::TFormStyle style)
{
    if (style == m_formStyle)
        return;
    m_formStyle = style;
    updateFlags();
}

void TForm::setBorderStyle(Vcl::TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    updateFlags();
}

void TForm::updateFlags()
{
    const bool wasVisible = isVisible();
    Qt::WindowFlags flags = Qt::Window;
    if (m_borderStyle == Vcl::bsToolWindow || m_borderStyle == Vcl::bsSizeToolWin)
        flags = Qt::Tool;
    else if (m_borderStyle == Vcl::bsDialog)
        flags = Qt::Dialog;
    flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_borderStyle == Vcl::bsSizeable)
        flags |= Qt::WindowMinMaxButtonsHint;
    if (m_borderStyle == Vcl::bsNone)
        flags = Qt::Window | Qt::FramelessWindowHint;
    if (m_formStyle == Vcl::fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (flags == windowFlags())
        return;
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

int TForm::frameKind() const
{
    return int(windowFlags() & (Qt::WindowType_Mask | Qt::FramelessWindowHint));
}

void TForm::setColor(TColor color)
{
    m_color = color;
    QPalette pal = m_client->palette();
    pal.setColor(QPalette::Window, toQColor(color, palette()));
    m_client->setPalette(pal);
}

void TForm::setMenu(TMainMenu *menu)
{
    if (menu == m_menu)
        return;
    m_menu = menu;
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
    }
    if (m_menu)
        m_menu->attach(m_menuBar);
    layoutClient();
}

int TForm::menuHeight() const
{
    if (!m_menuBar || !m_menu)
        return 0;
    return m_menuBar->heightForWidth(qMax(1, width())) > 0 ? m_menuBar->heightForWidth(qMax(1, width()))
                                                         : m_menuBar->sizeHint().height();
}

void TForm::layoutClient()
{
    const int mh = menuHeight();
    if (m_menuBar) {
        m_menuBar->setGeometry(0, 0, width(), mh);
        m_menuBar->setVisible(mh > 0);
    }
    const QRect clientRect(0, mh, width(), qMax(0, height() - mh));
    if (m_client->geometry() != clientRect) {
        m_client->setGeometry(clientRect);
        Realign(m_client);
    }
}

void TForm::fitToControls()
{
    QRect box;
    const auto children = m_client->children();
    QList<QWidget *> controls;
    for (QObject *o : children) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow())
            continue;
        controls.append(w);
        box = box.isNull() ? w->geometry() : box.united(w->geometry());
    }
    if (controls.isEmpty())
        return;
    const int dx = -box.left();
    const int dy = -box.top();
    for (QWidget *w : controls)
        SetBounds(w, w->x() + dx, w->y() + dy, w->width(), w->height());
    setClientSize(box.width(), box.height());
}

void TForm::showForm()
{
    if (m_position == Vcl::poMainFormCenter || m_position == Vcl::poOwnerFormCenter) {
        QWidget *centreOn = Application::instance()->mainForm();
        if (m_position == Vcl::poOwnerFormCenter && owner())
            if (auto *ownerForm = qobject_cast<TForm *>(owner()->object()))
                centreOn = ownerForm;
        if (centreOn && centreOn != this) {
            const QRect frame = centreOn->frameGeometry();
            move(frame.x() + (frame.width() - outerWidth()) / 2, frame.y() + (frame.height() - outerHeight()) / 2);
        }
    } else if (m_position == Vcl::poScreenCenter || m_position == Vcl::poDesktopCenter) {
        const QSize screen = Application::instance()->screenSize();
        move((screen.width() - outerWidth()) / 2, (screen.height() - outerHeight()) / 2);
    }
    if (m_windowState == Vcl::wsMaximized)
        showMaximized();
    else if (m_windowState == Vcl::wsMinimized)
        showMinimized();
    else
        show();
    raise();
}

void TForm::loaded()
{
    if (m_onCreate)
        m_onCreate(this);
}

bool TForm::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        Guarded([this] { activationChanged(true); });
        break;
    case QEvent::WindowDeactivate:
        Guarded([this] { activationChanged(false); });
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TForm::activationChanged(bool active)
{
    const NotifyEvent &handler = active ? m_onActivate : m_onDeactivate;
    if (handler)
        handler(this);
}

void TForm::closeEvent(QCloseEvent *event)
{
    Guarded([this] {
        if (m_onClose)
            m_onClose(this);
    });
    event->accept();
    hide();
    emit closed();
}

void TForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutClient();
    learnMargins();
}

void TForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    learnMargins();
}

void TForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    layoutClient();
    learnMargins();
}

void TForm::learnMargins()
{
    if (isMaximized() || isFullScreen() || !isVisible())
        return;
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (frame == inner)
        return;
    const QMargins m(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                     frame.bottom() - inner.bottom());
    QMargins &known = knownMargins()[frameKind()];
    if (known == m)
        return;
    known = m;
    if (m_minimumOuter.isValid())
        setMinimumOuterSize(m_minimumOuter.width(), m_minimumOuter.height());
}
