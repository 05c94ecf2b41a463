#include "TGraphic.h"

TGraphic::~TGraphic() = default;

// A copy takes the flags; the change handler belongs to the original's owner.
TGraphic::TGraphic(const TGraphic &other)
    : m_transparent(other.m_transparent), m_paletteModified(other.m_paletteModified)
{
}

void TGraphic::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    Changed();
}

void TGraphic::Changed()
{
    if (m_onChange)
        m_onChange();
}
