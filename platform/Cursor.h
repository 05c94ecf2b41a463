// The one place the program reads the pointer's screen position, so tests can drive it.
#pragma once

#include <QPoint>
#include <functional>

// The pointer's position in screen coordinates, read at the moment of the call.
QPoint CursorPos();

// Replaces the source of CursorPos(); an empty function restores QCursor::pos().
void SetCursorPosSource(std::function<QPoint()> source);
