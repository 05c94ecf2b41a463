// The Qt application on the offscreen platform that the fuzz targets of Qt code make once per
// process, quiet about the warnings damaged input is expected to raise.
#pragma once

#include "FuzzCheck.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <cstdio>
#include <cstdlib>

// Qt's own warnings about damaged input are expected by the thousand; they only slow the run.
inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

inline void startQt()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Destroyed at exit before Qt's own statics, which a static one would outlive: its destructor
    // then crashes on the font cache freed before it. libFuzzer ends with exit(), not by
    // returning from main, so the handler is registered once the font cache exists.
    static QApplication *app = new QApplication(argc, argv);
    QFontMetrics(QFont()).height();
    std::atexit([] { delete app; });
}
