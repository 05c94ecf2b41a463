// The program's QApplication: a last line of defence that shows, instead of letting pass, an
// exception that escapes event delivery. Handlers of our own catch theirs earlier.
#pragma once

#include <QApplication>

class GuardedApplication : public QApplication
{
    Q_OBJECT
public:
    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
