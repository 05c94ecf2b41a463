#include "TMemo.h"

#include <QScrollBar>

TMemo::TMemo(Component *owner)
    : QPlainTextEdit(nullptr)
    , Component(this)
{
    setOwner(owner);
    setScrollBars(Vcl::ssNone);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QStringList TMemo::lines() const
{
    if (document()->isEmpty())
        return {};
    return toPlainText().split(QLatin1Char('\n'));
}

void TMemo::setLines(const QStringList &lines)
{
    setPlainText(lines.join(QLatin1Char('\n')));
}

void TMemo::addLine(const QString &line)
{
    QString text = line;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    appendPlainText(text);
}

QString TMemo::text() const
{
    return toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void TMemo::setText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(t);
}

void TMemo::setScrollBars(Vcl::TScrollStyle style)
{
    m_scrollBars = style;
    const bool v = style == Vcl::ssVertical || style == Vcl::ssBoth;
    const bool h = style == Vcl::ssHorizontal || style == Vcl::ssBoth;
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
