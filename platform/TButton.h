// A push button. Default (Enter) and Cancel (Escape) press it from anywhere in its window;
// a focused button still answers Enter itself.
#pragma once

#include "Component.h"
#include "Events.h"

#include <QPointer>
#include <QPushButton>

class QShortcut;

class TButton : public QPushButton, public Component
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Default READ isDefaultButton WRITE setDefaultButton)
    Q_PROPERTY(bool Cancel READ isCancelButton WRITE setCancelButton)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TButton(Component *owner = nullptr);

    // Default false: Enter in the window presses this button unless another has the focus.
    bool isDefaultButton() const { return m_default; }
    void setDefaultButton(bool value);
    // Default false: Escape in the window presses this button.
    bool isCancelButton() const { return m_cancel; }
    void setCancelButton(bool value);
    NotifyEvent onClick() const { return m_onClick; }
    void setOnClick(NotifyEvent handler) { m_onClick = std::move(handler); }

protected:
    bool event(QEvent *event) override;

private:
    void updateShortcuts();

    bool m_default = false;
    bool m_cancel = false;
    QPointer<QShortcut> m_enter, m_keypadEnter, m_escape;
    NotifyEvent m_onClick;
};
