#include "TLabel.h"

#include "Control.h"

#include <QEvent>

TLabel::TLabel(Component *owner)
    : QLabel(nullptr)
    , Component(this)
{
    setOwner(owner);
    updateAlignment();
}

void TLabel::setCaption(const QString &caption)
{
    // A CR LF pair breaks the line, as in stored captions.
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text == this->text())
        return;
    setText(text);
    adjustToText();
}

void TLabel::setAlignmentValue(Vcl::TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    updateAlignment();
}

void TLabel::setLayoutValue(Vcl::TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    updateAlignment();
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustToText();
}

void TLabel::setWordWrapValue(bool wrap)
{
    if (wrap == wordWrap())
        return;
    setWordWrap(wrap);
    adjustToText();
}

void TLabel::updateAlignment()
{
    Qt::Alignment a;
    switch (m_alignment) {
    case Vcl::taLeftJustify: a = Qt::AlignLeft; break;
    case Vcl::taRightJustify: a = Qt::AlignRight; break;
    case Vcl::taCenter: a = Qt::AlignHCenter; break;
    }
    switch (m_layout) {
    case Vcl::tlTop: a |= Qt::AlignTop; break;
    case Vcl::tlCenter: a |= Qt::AlignVCenter; break;
    case Vcl::tlBottom: a |= Qt::AlignBottom; break;
    }
    setAlignment(a);
}

void TLabel::adjustToText()
{
    if (!m_autoSize)
        return;
    const QFontMetrics fm(font());
    const QStringList lines = text().split(QLatin1Char('\n'));
    if (wordWrap()) {
        const int h = heightForWidth(width());
        SetHeight(this, h > 0 ? h : fm.height() * int(lines.size()));
        return;
    }
    int w = 0;
    for (const QString &line : lines)
        w = qMax(w, fm.horizontalAdvance(line));
    SetBounds(this, x(), y(), w, fm.height() * int(lines.size()));
}

void TLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustToText();
}
