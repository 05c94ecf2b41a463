// A text label: caption, horizontal alignment, vertical layout, word wrap and auto-size.
#pragma once

#include "Component.h"
#include "Types.h"

#include <QLabel>

class TLabel : public QLabel, public Component
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(Vcl::TAlignment Alignment READ alignmentValue WRITE setAlignmentValue)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(Vcl::TTextLayout Layout READ layoutValue WRITE setLayoutValue)
    Q_PROPERTY(bool WordWrap READ wordWrapValue WRITE setWordWrapValue)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)

public:
    explicit TLabel(Component *owner = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption);
    // Default taLeftJustify.
    Vcl::TAlignment alignmentValue() const { return m_alignment; }
    void setAlignmentValue(Vcl::TAlignment alignment);
    // Default true: the label takes the size of its text (its height only when word-wrapped).
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    // Default tlTop.
    Vcl::TTextLayout layoutValue() const { return m_layout; }
    void setLayoutValue(Vcl::TTextLayout layout);
    bool wordWrapValue() const { return wordWrap(); }
    void setWordWrapValue(bool wrap);
    // Default true: the parent shows through.
    bool transparent() const { return !autoFillBackground(); }
    void setTransparent(bool transparent) { setAutoFillBackground(!transparent); }

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateAlignment();
    void adjustToText();

    Vcl::TAlignment m_alignment = Vcl::taLeftJustify;
    Vcl::TTextLayout m_layout = Vcl::tlTop;
    bool m_autoSize = true;
};
