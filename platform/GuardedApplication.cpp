#include "GuardedApplication.h"

#include "Application.h"

GuardedApplication::GuardedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        Application::instance()->showException(e);
    } catch (...) {
        Application::instance()->showException(tr("An unknown error occurred."));
    }
    return false;
}
