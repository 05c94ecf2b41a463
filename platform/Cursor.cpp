#include "Cursor.h"

#include <QCursor>

namespace {
std::function<QPoint()> &source()
{
    static std::function<QPoint()> s;
    return s;
}
}

QPoint CursorPos()
{
    return source() ? source()() : QCursor::pos();
}

void SetCursorPosSource(std::function<QPoint()> s)
{
    source() = std::move(s);
}
