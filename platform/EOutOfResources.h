// The platform's out-of-resources error: a system resource (a timer, a window) was refused.
// Raised, for example, by MessageWindow::setTimer; shown like any other escaping exception.
#pragma once

#include <QString>
#include <stdexcept>

class EOutOfResources : public std::runtime_error
{
public:
    explicit EOutOfResources(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};
