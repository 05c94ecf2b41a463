// Event types: callbacks bound to an object. They are Qt metatypes so that a description can
// bind them by property name.
#pragma once

#include <QMetaType>
#include <QString>
#include <functional>

class QObject;

// Called with the sender.
using NotifyEvent = std::function<void(QObject *sender)>;
// The text for one board: (sender, board index).
using PCIEvent = std::function<QString(QObject *sender, int cardIndex)>;
// The text for one calibration channel: (sender, channel, all bad so far, by reference).
using CalibEvent = std::function<QString(QObject *sender, quint8 channel, bool &itsAllBad)>;
// The application's idle event: (sender, done, by reference).
using IdleEvent = std::function<void(QObject *sender, bool &done)>;

Q_DECLARE_METATYPE(NotifyEvent)
Q_DECLARE_METATYPE(PCIEvent)
Q_DECLARE_METATYPE(CalibEvent)
