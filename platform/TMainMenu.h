// A form's main menu: a list of top-level items shown in the form's menu bar.
#pragma once

#include "Component.h"

#include <QObject>

class QMenuBar;
class TMenuItem;

class TMainMenu : public QObject, public Component
{
    Q_OBJECT
public:
    explicit TMainMenu(Component *owner = nullptr);
    ~TMainMenu() override;

    // The root whose sub-items are the top-level items of the bar.
    TMenuItem *items() const { return m_items; }
    int count() const;
    TMenuItem *item(int index) const;

    // Shows the items in bar; done by the form that names this menu.
    void attach(QMenuBar *bar);

    bool insertChildComponent(Component *child) override;

private:
    TMenuItem *m_items;
};
