#include "TCustomPanel.h"

#include "Application.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPointer>

namespace {

// QApplication::focusChanged does not say why the focus moved. The reason travels with the
// focus events that Qt sends just before it emits the signal, so one application-wide filter
// notes the reason of the latest of them for the panels to read in their slot.
class FocusReasonWatcher : public QObject
{
public:
    static Qt::FocusReason lastReason() { return instance()->m_reason; }

    static FocusReasonWatcher *instance()
    {
        static QPointer<FocusReasonWatcher> watcher;
        if (!watcher) {
            watcher = new FocusReasonWatcher(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(watcher);
        }
        return watcher;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            m_reason = static_cast<QFocusEvent *>(event)->reason();
        return false;
    }

private:
    using QObject::QObject;
    Qt::FocusReason m_reason = Qt::OtherFocusReason;
};

// Focus moves that do not change which control holds a window's focus: Qt restoring a
// window's focus widget on activation (and taking it away on deactivation), and a popup list
// or menu borrowing the keyboard (Qt focuses a combo box's list with an ordinary reason).
// The move back out of a popup is judged by where the focus lands, which is then unchanged.
bool isTransientMove(const QWidget *now)
{
    if (FocusReasonWatcher::lastReason() == Qt::ActiveWindowFocusReason)
        return true;
    return now && now->window()->windowType() == Qt::Popup;
}

} // namespace

TCustomPanel::TCustomPanel(QWidget *parent)
    : QWidget(parent), Component(this)
{
    FocusReasonWatcher::instance();
    connect(qApp, &QApplication::focusChanged, this, &TCustomPanel::focusChanged);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TCustomPanel::setBevelOuter(Vcl::TBevelCut bevel)
{
    if (bevel == m_bevelOuter)
        return;
    m_bevelOuter = bevel;
    update();
}

void TCustomPanel::setBevelInner(Vcl::TBevelCut bevel)
{
    if (bevel == m_bevelInner)
        return;
    m_bevelInner = bevel;
    update();
}

void TCustomPanel::setBevelWidth(int width)
{
    width = qMax(1, width);
    if (width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    update();
}

void TCustomPanel::setBorderWidth(int width)
{
    width = qMax(0, width);
    if (width == m_borderWidth)
        return;
    m_borderWidth = width;
    update();
}

void TCustomPanel::notifyEnter()
{
    if (m_entered)
        return;
    m_entered = true;
    raiseEvent(m_onEnter);
}

void TCustomPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintPanel(painter);
}

void TCustomPanel::paintPanel(QPainter &painter)
{
    QRect box = rect();
    painter.fillRect(box, toQColor(m_color, palette()));

    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const auto bevel = [&](Vcl::TBevelCut cut) {
        if (cut == Vcl::bvNone)
            return;
        for (int i = 0; i < m_bevelWidth && box.width() > 0 && box.height() > 0; ++i) {
            if (cut != Vcl::bvSpace) {
                const QColor &topLeft = cut == Vcl::bvRaised ? light : dark;
                const QColor &bottomRight = cut == Vcl::bvRaised ? dark : light;
                painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
                painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
                painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
                painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
            }
            box.adjust(1, 1, -1, -1);
        }
    };
    bevel(m_bevelOuter);
    box.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    bevel(m_bevelInner);
}

void TCustomPanel::focusChanged(QWidget *, QWidget *now)
{
    if (isTransientMove(now))
        return;
    // The flag, not the old widget, decides: whichever of this slot and notifyEnter() comes
    // first raises OnEnter for a move, the other finds it already raised.
    const bool inside = contains(now);
    if (inside && !m_entered) {
        m_entered = true;
        raiseEvent(m_onEnter);
    } else if (!inside && m_entered) {
        m_entered = false;
        raiseEvent(m_onExit);
    }
}

bool TCustomPanel::contains(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void TCustomPanel::raiseEvent(NotifyEvent handler)
{
    if (handler)
        Guarded([&] { handler(this); });
}
