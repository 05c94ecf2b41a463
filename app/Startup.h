// The program's start-up, shared by the program entry and the start-up benchmark.
#pragma once

#include <QString>

class TMainForm;

// Makes the program's classes known to the description reader and sets up fonts and
// pictures; runs once, after the QApplication exists.
void PrepareApplication();

#include <QByteArray>

// The main form description compiled into the program.
QByteArray MainFormDescription();

// Builds the main window from a description (the program's own by default). On a broken
// description returns nullptr and sets *error; nothing of the window is left.
TMainForm *CreateMainForm(QString *error, const QByteArray &description = MainFormDescription());

// Runs the whole program on an existing QApplication: prepares it, builds the main window,
// runs the event loop. A broken description is shown in a message box and on standard error
// and gives exit code 1; a normal end gives 0.
int RunProgram(const QByteArray &description = MainFormDescription());
