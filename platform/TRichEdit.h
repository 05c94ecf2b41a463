// A rich-text box that shows an RTF document (through RtfReader), read-only by default, with
// the scroll bars it is given and words wrapped at its width. The instructions window shows
// its formatted text in one.
#pragma once

#include "Component.h"
#include "Types.h"

#include <QByteArray>
#include <QTextEdit>

class TRichEdit : public QTextEdit, public Component
{
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(Vcl::TScrollStyle ScrollBars READ scrollBars WRITE setScrollBars)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(TColor Color READ color WRITE setColor)

public:
    explicit TRichEdit(Component *owner = nullptr);

    // Replaces the content with the document rtf describes; returns false when the RTF was
    // malformed (what could be read is shown all the same, see RtfReader::read).
    bool loadRtf(const QByteArray &rtf);

    // Default true.
    using QTextEdit::isReadOnly;
    // Default ssNone. A bar that is allowed shows only while the text needs it.
    Vcl::TScrollStyle scrollBars() const { return m_scrollBars; }
    void setScrollBars(Vcl::TScrollStyle style);
    // Default true: lines break at the box's width.
    bool wordWrap() const { return lineWrapMode() != NoWrap; }
    void setWordWrap(bool wrap) { setLineWrapMode(wrap ? WidgetWidth : NoWrap); }
    // The background; default clWindow.
    TColor color() const { return m_color; }
    void setColor(TColor color);

private:
    Vcl::TScrollStyle m_scrollBars = Vcl::ssBoth; // so the first setScrollBars applies
    TColor m_color = clWindow;
};
