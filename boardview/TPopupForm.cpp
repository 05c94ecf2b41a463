#include "TPopupForm.h"

#include "Application.h"
#include "Control.h"
#include "Cursor.h"
#include "TBoardHighlight.h"
#include "TCustomPanel.h"
#include "TStatusBar.h"

#include <QChildEvent>
#include <QEvent>

TPopupForm::TPopupForm(Component *owner)
    : TForm(owner)
{
    // Qt tells a window that the pointer left it, but not that it left one of its controls
    // for a place outside the window; hear every control's leave as well.
    watch(this);
}

TPopupForm::~TPopupForm() = default;

TBoardHighlight *TPopupForm::highlight() const { return m_highlight; }
void TPopupForm::setHighlight(TBoardHighlight *circle) { m_highlight = circle; }
TStatusBar *TPopupForm::popupStatus() const { return m_popupStatus; }
void TPopupForm::setPopupStatus(TStatusBar *statusBar) { m_popupStatus = statusBar; }

void TPopupForm::watch(QWidget *widget)
{
    widget->installEventFilter(this);
    const auto children = widget->findChildren<QWidget *>();
    for (QWidget *child : children)
        child->installEventFilter(this);
}

bool TPopupForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
        if (child && !child->isWindow())
            watch(child);
    } else if (event->type() == QEvent::Leave) {
        Guarded([this] { PointerLeft(); });
    }
    return TForm::eventFilter(watched, event);
}

void TPopupForm::PointerLeft()
{
    if (!m_closeOnLeave || !isVisible())
        return;
    const QRect outer(Left(this), Top(this), Width(this), Height(this));
    if (!outer.contains(CursorPos()))
        close();
}

void TPopupForm::KeepSizeAsMinimum()
{
    setMinimumOuterSize(outerWidth(), outerHeight());
    m_minimumClient = frameMargins().isNull() ? size() : QSize();
}

void TPopupForm::MinimumFrameKnown()
{
    if (!m_minimumClient.isValid())
        return;
    const QMargins m = frameMargins();
    if (m.isNull())
        return;
    setMinimumOuterSize(m_minimumClient.width() + m.left() + m.right(),
                        m_minimumClient.height() + m.top() + m.bottom());
    m_minimumClient = QSize();
}

void TPopupForm::showEvent(QShowEvent *event)
{
    TForm::showEvent(event);
    MinimumFrameKnown();
}

void TPopupForm::moveEvent(QMoveEvent *event)
{
    TForm::moveEvent(event);
    MinimumFrameKnown();
}

void TPopupForm::resizeEvent(QResizeEvent *event)
{
    TForm::resizeEvent(event);
    MinimumFrameKnown();
}

void TPopupForm::FocusPopup()
{
    QWidget *target = focusWidget();
    if (!target)
        target = m_firstFocus;
    activateWindow();
    raise();
    if (!target)
        return;
    target->setFocus(Qt::OtherFocusReason);
    // Until the window manager activates the window Qt reports no focus change; the panels
    // the focus now lies in must still hear that it entered them.
    for (QWidget *w = target; w && w != this; w = w->parentWidget())
        if (auto *panel = qobject_cast<TCustomPanel *>(w))
            panel->notifyEnter();
}

void TPopupForm::activationChanged(bool active)
{
    if (m_highlight)
        m_highlight->SetPopupActive(active, true);
    TForm::activationChanged(active);
}
