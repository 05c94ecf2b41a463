#include "TMenuItem.h"

#include "Application.h"

#include <QAction>
#include <QMenu>

TMenuItem::TMenuItem(Component *owner)
    : QObject(nullptr)
    , Component(this)
    , m_action(new QAction(this))
{
    setOwner(owner);
    connect(m_action, &QAction::triggered, this, [this] {
        syncCheck(); // Qt toggled a checkable action already; the mark is ours to set
        click();
    });
}

TMenuItem::~TMenuItem()
{
    if (m_parent)
        m_parent->remove(this);
    for (TMenuItem *child : m_items)
        child->m_parent = nullptr;
    delete m_menu;
}

QString TMenuItem::caption() const { return m_action->text(); }
void TMenuItem::setCaption(const QString &caption)
{
    m_action->setText(caption);
    if (m_menu)
        m_menu->setTitle(caption);
}

void TMenuItem::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    syncCheck();
}

void TMenuItem::syncCheck()
{
    // Checkable only while checked, so an unchecked item looks like a plain one.
    m_action->setCheckable(m_checked);
    m_action->setChecked(m_checked);
}

bool TMenuItem::enabled() const { return m_action->isEnabled(); }
void TMenuItem::setEnabled(bool enabled) { m_action->setEnabled(enabled); }
bool TMenuItem::visible() const { return m_action->isVisible(); }
void TMenuItem::setVisible(bool visible) { m_action->setVisible(visible); }

int TMenuItem::indexOf(const TMenuItem *item) const
{
    return int(m_items.indexOf(const_cast<TMenuItem *>(item)));
}

void TMenuItem::ensureMenu()
{
    if (m_menu)
        return;
    m_menu = new QMenu(caption());
    m_action->setMenu(m_menu);
}

QWidget *TMenuItem::container()
{
    if (m_bar)
        return m_bar;
    if (!m_parent && !m_menu)
        return nullptr;
    ensureMenu();
    return m_menu;
}

void TMenuItem::insert(int index, TMenuItem *item)
{
    if (!item || item == this)
        return;
    if (item->m_parent)
        item->m_parent->remove(item);
    index = qBound(0, index, count());
    item->m_parent = this;
    m_items.insert(index, item);
    if (!m_parent) // a top-level item of a bar always drops down
        item->ensureMenu();
    if (QWidget *c = container()) {
        QAction *before = index + 1 < count() ? m_items.at(index + 1)->m_action : nullptr;
        c->insertAction(before, item->m_action);
    }
}

void TMenuItem::remove(TMenuItem *item)
{
    if (!m_items.removeOne(item))
        return;
    item->m_parent = nullptr;
    if (QWidget *c = m_bar ? m_bar.data() : m_menu.data())
        c->removeAction(item->m_action);
}

void TMenuItem::click()
{
    if (m_onClick)
        Guarded([this] { m_onClick(this); });
}

bool TMenuItem::insertChildComponent(Component *child)
{
    auto *item = qobject_cast<TMenuItem *>(child->object());
    if (!item)
        return false;
    add(item);
    return true;
}
