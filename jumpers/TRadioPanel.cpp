#include "TRadioPanel.h"

#include "Control.h"
#include "TTwoJumper.h"

TRadioPanel::TRadioPanel(QWidget *parent)
    : TCustomPanel(parent)
{
    SetAnchors(this, Vcl::akLeft | Vcl::akTop);
    setBevelOuter(Vcl::bvNone);
    resize(194, 100);
    setVisible(false);
}

TRadioPanel::~TRadioPanel() = default;

void TRadioPanel::setFinalAnchors(Vcl::TAnchors anchors)
{
    if (anchors == m_finalAnchors)
        return;
    m_finalAnchors = anchors;
    if (m_inPopup)
        SetAnchors(this, anchors);
}

void TRadioPanel::RadioClick(TTwoJumper *jumper)
{
    bool changed = false;
    const QObjectList children = this->children();
    for (QObject *child : children) {
        if (!isClass(child, "TTwoJumper"))
            continue;
        auto *twoPin = qobject_cast<TTwoJumper *>(child);
        if (!twoPin)
            continue;
        const bool closing = twoPin == jumper;
        if (twoPin->closed() != closing)
            changed = true;
        twoPin->setClosed(closing);
    }
    if (changed)
        if (const NotifyEvent handler = m_onRadioChange)
            handler(jumper);
}
