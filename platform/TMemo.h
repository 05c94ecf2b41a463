// A multi-line text box holding lines of text; read-only or editable, with scroll bars.
#pragma once

#include "Component.h"
#include "Types.h"

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit, public Component
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(Vcl::TScrollStyle ScrollBars READ scrollBars WRITE setScrollBars)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)

public:
    explicit TMemo(Component *owner = nullptr);

    QStringList lines() const;
    void setLines(const QStringList &lines);
    // Appends one line; a text holding CR LF adds several.
    void addLine(const QString &line);
    void clearLines() { clear(); }
    // The whole text, lines joined by CR LF.
    QString text() const;
    void setText(const QString &text);
    // Default ssNone.
    Vcl::TScrollStyle scrollBars() const { return m_scrollBars; }
    void setScrollBars(Vcl::TScrollStyle style);
    // Default true.
    bool wordWrap() const { return lineWrapMode() != NoWrap; }
    void setWordWrap(bool wrap) { setLineWrapMode(wrap ? WidgetWidth : NoWrap); }

private:
    Vcl::TScrollStyle m_scrollBars = Vcl::ssNone;
};
