// A combo box whose OnChange is raised only when the user picks an item, never when the
// selection is set in code.
#pragma once

#include "Component.h"
#include "Events.h"
#include "Types.h"

#include <QComboBox>

class TComboBox : public QComboBox, public Component
{
    Q_OBJECT
    Q_PROPERTY(Vcl::TComboBoxStyle Style READ style WRITE setStyle)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemIndex READ currentIndex WRITE setCurrentIndex)
    Q_PROPERTY(NotifyEvent OnChange READ onChange WRITE setOnChange)

public:
    explicit TComboBox(Component *owner = nullptr);

    // Default csDropDown; this combo box is always a drop-down list.
    Vcl::TComboBoxStyle style() const { return m_style; }
    void setStyle(Vcl::TComboBoxStyle style) { m_style = style; }
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height) { m_itemHeight = height; }
    QStringList items() const;
    // Replaces the items; nothing is selected afterwards.
    void setItems(const QStringList &items);
    NotifyEvent onChange() const { return m_onChange; }
    void setOnChange(NotifyEvent handler) { m_onChange = std::move(handler); }

private:
    Vcl::TComboBoxStyle m_style = Vcl::csDropDown;
    int m_itemHeight = 13;
    NotifyEvent m_onChange;
};
