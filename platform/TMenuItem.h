// One item of a menu: a caption with its "&" accelerator, a check mark, a click handler and
// sub-items. The check mark is the item's own state: a click does not toggle it, so a click
// handler reads the state from before the click.
#pragma once

#include "Component.h"
#include "Events.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
#include <QMenu>
class QWidget;

class TMenuItem : public QObject, public Component
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(qint64 Tag READ tag WRITE setTag)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TMenuItem(Component *owner = nullptr);
    ~TMenuItem() override;

    QString caption() const;
    void setCaption(const QString &caption);
    // Check mark; default false. Shown without an empty box when unchecked.
    bool checked() const { return m_checked; }
    void setChecked(bool checked);
    bool enabled() const;
    void setEnabled(bool enabled);
    bool visible() const;
    void setVisible(bool visible);
    NotifyEvent onClick() const { return m_onClick; }
    void setOnClick(NotifyEvent handler) { m_onClick = std::move(handler); }

    // Sub-items, in order.
    int count() const { return int(m_items.size()); }
    TMenuItem *item(int index) const { return m_items.value(index); }
    int indexOf(const TMenuItem *item) const;
    TMenuItem *parentItem() const { return m_parent; }
    // Inserts item at index (0 = top; count() or more = end).
    void insert(int index, TMenuItem *item);
    void add(TMenuItem *item) { insert(count(), item); }
    void remove(TMenuItem *item);

    // Runs the click handler with this item as sender, as choosing the item does.
    void click();

    // The Qt action that shows this item.
    QAction *action() const { return m_action; }
    // The drop-down of this item's sub-items, made when it first has any (or is top-level).
    QMenu *subMenu() const { return m_menu; }

    bool insertChildComponent(Component *child) override;

private:
    friend class TMainMenu;
    QWidget *container();
    void ensureMenu();
    void syncCheck();

    QAction *m_action;
    QPointer<QMenu> m_menu;
    QPointer<QWidget> m_bar; // set on the root item of a main menu
    TMenuItem *m_parent = nullptr;
    QList<TMenuItem *> m_items;
    bool m_checked = false;
    NotifyEvent m_onClick;
};
