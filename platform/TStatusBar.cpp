#include "TStatusBar.h"

TStatusBar::TStatusBar(Component *owner)
    : QStatusBar(nullptr)
    , Component(this)
{
    setOwner(owner);
    setSizeGripEnabled(true);
}
