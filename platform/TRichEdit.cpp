#include "TRichEdit.h"

#include "RtfReader.h"

#include <QTextCursor>

TRichEdit::TRichEdit(Component *owner)
    : QTextEdit(nullptr)
    , Component(this)
{
    setOwner(owner);
    setReadOnly(true);
    setAcceptRichText(false);
    setScrollBars(Vcl::ssNone);
    setWordWrap(true);
}

bool TRichEdit::loadRtf(const QByteArray &rtf)
{
    const bool ok = RtfReader::read(rtf, document());
    // A loaded document is read from its beginning, not from where filling it left the cursor.
    moveCursor(QTextCursor::Start);
    return ok;
}

void TRichEdit::setScrollBars(Vcl::TScrollStyle style)
{
    if (style == m_scrollBars)
        return;
    m_scrollBars = style;
    const bool v = style == Vcl::ssVertical || style == Vcl::ssBoth;
    const bool h = style == Vcl::ssHorizontal || style == Vcl::ssBoth;
    // A rich-text box hides a scroll bar its text does not need.
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TRichEdit::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color, pal));
    setPalette(pal);
}
