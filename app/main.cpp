// The program entry: the program takes no arguments; Qt is handed only the program's name.
#include "GuardedApplication.h"
#include "Startup.h"

#include <cstdlib>

int main()
{
    // Popups open at given screen places, which only X11 allows: under a Wayland desktop ask
    // Qt for XWayland, unless a platform was chosen. The program's one look at its environment.
    if (std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    int argc = 1;
    char name[] = "Settings";
    char *argv[] = {name, nullptr};
    GuardedApplication application(argc, argv);
    GuardedApplication::setApplicationName(QStringLiteral("Settings"));
    return RunProgram();
}
