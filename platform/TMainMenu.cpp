#include "TMainMenu.h"

#include "TMenuItem.h"

#include <QAction>
#include <QMenuBar>

TMainMenu::TMainMenu(Component *owner)
    : QObject(nullptr)
    , Component(this)
    , m_items(new TMenuItem(nullptr))
{
    setOwner(owner);
}

TMainMenu::~TMainMenu()
{
    delete m_items;
}

int TMainMenu::count() const { return m_items->count(); }
TMenuItem *TMainMenu::item(int index) const { return m_items->item(index); }

void TMainMenu::attach(QMenuBar *bar)
{
    if (m_items->m_bar == bar)
        return;
    if (m_items->m_bar)
        for (int i = 0; i < count(); ++i)
            m_items->m_bar->removeAction(item(i)->action());
    m_items->m_bar = bar;
    for (int i = 0; i < count(); ++i)
        bar->addAction(item(i)->action());
}

bool TMainMenu::insertChildComponent(Component *child)
{
    return m_items->insertChildComponent(child);
}
