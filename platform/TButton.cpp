#include "TButton.h"

#include "Application.h"

#include <QApplication>
#include <QEvent>
#include <QShortcut>

TButton::TButton(Component *owner)
    : QPushButton(nullptr)
    , Component(this)
{
    setOwner(owner);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_onClick)
            Guarded([this] { m_onClick(this); });
    });
}

void TButton::setDefaultButton(bool value)
{
    if (value == m_default)
        return;
    m_default = value;
    updateShortcuts();
}

void TButton::setCancelButton(bool value)
{
    if (value == m_cancel)
        return;
    m_cancel = value;
    updateShortcuts();
}

bool TButton::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        updateShortcuts();
    return QPushButton::event(event);
}

void TButton::updateShortcuts()
{
    delete m_enter;
    delete m_keypadEnter;
    delete m_escape;
    QWidget *window = this->window();
    if (window == this)
        return;
    auto press = [this] {
        // A focused push button takes Enter for itself.
        auto *focused = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
        if (focused && focused != this && focused->window() == this->window())
            focused->animateClick();
        else if (isEnabled() && isVisible())
            click();
    };
    if (m_default) {
        m_enter = new QShortcut(QKeySequence(Qt::Key_Return), window, press);
        m_keypadEnter = new QShortcut(QKeySequence(Qt::Key_Enter), window, press);
    }
    if (m_cancel)
        m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, [this] {
            if (isEnabled() && isVisible())
                click();
        });
}
