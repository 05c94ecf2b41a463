#include "JumperWidget.h"

#include "Application.h"
#include "Control.h"
#include "JumperAccessible.h"
#include "TCustomPanel.h"

#include <QAccessible>
#include <QMouseEvent>

using namespace Jumpers;

JumperWidget::JumperWidget(int width, int height, QWidget *parent)
    : QWidget(parent), Component(this)
{
    // The picture covers the whole widget, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(width, height);
    JumperAccessible::install();
}

JumperWidget::~JumperWidget() = default;

void JumperWidget::setBaseColor(TColor color)
{
    if (color == m_baseColor)
        return;
    m_baseColor = color;
    update();
}

void JumperWidget::setPinColor(TColor color)
{
    if (color == m_pinColor)
        return;
    m_pinColor = color;
    update();
}

void JumperWidget::setJumperColor(TColor color)
{
    if (color == m_jumperColor)
        return;
    m_jumperColor = color;
    update();
}

void JumperWidget::setBorderStyle(Vcl::TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

void JumperWidget::setOrientation(TOrientationType orientation)
{
    if (orientation == m_orientation)
        return;
    if (isVertical(orientation) != isVertical(m_orientation))
        m_exchangePending = !m_exchangePending;
    m_orientation = orientation;
    update();
    announceState(); // a three-pin jumper's cap sits elsewhere on screen now
}

void JumperWidget::announceState()
{
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleEvent descriptionChanged(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&descriptionChanged);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent stateChanged(this, changed);
    QAccessible::updateAccessibility(&stateChanged);
}

void JumperWidget::Click()
{
    // A copy, so that a handler may reassign the event.
    if (const NotifyEvent handler = m_onClick)
        handler(this);
}

TColor JumperWidget::outlineColor(TColor fill) const
{
    return m_borderStyle == Vcl::bsNone ? fill : clBlack;
}

TColor JumperWidget::backgroundColor() const
{
    // Only a radio panel itself lends its colour; a class derived from it does not.
    QWidget *parent = parentWidget();
    if (isClass(parent, "TRadioPanel"))
        if (auto *panel = qobject_cast<TCustomPanel *>(parent))
            return panel->color();
    return clBtnFace;
}

void JumperWidget::paintEvent(QPaintEvent *)
{
    Guarded([this] { paint(); });
}

void JumperWidget::paint()
{
    const bool standing = isVertical(m_orientation);
    const int w = standing ? height() : width();
    const int h = standing ? width() : height();

    Canvas canvas(m_work, palette());
    canvas.setSize(w, h);
    canvas.Save();
    const TColor background = backgroundColor();
    canvas.pen().style = Canvas::psSolid;
    canvas.pen().color = background;
    canvas.brush().color = background;
    canvas.Rectangle(0, 0, w, h);
    drawFrame(canvas, w, h);
    canvas.Restore();

    turn();

    if (m_exchangePending) {
        m_exchangePending = false;
        if (m_paintedOnce) {
            // The new size schedules another paint, which draws the picture at that size.
            const int oldWidth = width(), oldHeight = height();
            SetWidth(this, oldHeight);
            SetHeight(this, oldWidth);
        }
    }

    BlockCopy(this, m_turned);
    m_paintedOnce = true;
}

void JumperWidget::turn()
{
    const int w = m_work.width(), h = m_work.height();
    if (m_orientation == otUp) {
        m_turned = m_work;
        return;
    }
    const bool standing = isVertical(m_orientation);
    m_turned = QImage(standing ? h : w, standing ? w : h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const QRgb *source = reinterpret_cast<const QRgb *>(m_work.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (m_orientation) {
            case otDown:
                m_turned.setPixel(w - 1 - x, h - 1 - y, source[x]);
                break;
            case otLeft:
                m_turned.setPixel(y, w - 1 - x, source[x]);
                break;
            case otRight:
                m_turned.setPixel(h - 1 - y, x, source[x]);
                break;
            case otUp:
                break;
            }
        }
    }
}

void JumperWidget::mousePressEvent(QMouseEvent *event)
{
    // Qt sends the second press of a double click through here too, so every press and
    // release pair counts as a click.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void JumperWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        Guarded([this] { Click(); });
}

void JumperWidget::changeEvent(QEvent *event)
{
    // A disabled widget hears no release, so a press from before must not count later.
    if (event->type() == QEvent::EnabledChange)
        m_pressed = false;
    QWidget::changeEvent(event);
}
