#include "TComboBox.h"

#include "Application.h"

TComboBox::TComboBox(Component *owner)
    : QComboBox(nullptr)
    , Component(this)
{
    setOwner(owner);
    connect(this, &QComboBox::activated, this, [this] {
        if (m_onChange)
            Guarded([this] { m_onChange(this); });
    });
}

QStringList TComboBox::items() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

void TComboBox::setItems(const QStringList &items)
{
    clear();
    addItems(items);
    setCurrentIndex(-1);
}
