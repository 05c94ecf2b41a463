// A status bar with one text panel, empty at first.
#pragma once

#include "Component.h"

#include <QStatusBar>

class TStatusBar : public QStatusBar, public Component
{
    Q_OBJECT
    Q_PROPERTY(QString SimpleText READ currentMessage WRITE showMessage)

public:
    explicit TStatusBar(Component *owner = nullptr);
};
