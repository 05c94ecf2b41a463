// Numbered messages delivered synchronously to a control, for the few places where one
// control asks another to act by message number rather than by a typed call.
#pragma once

#include <QtGlobal>

class QObject;

class MessageReceiver
{
public:
    virtual ~MessageReceiver() = default;
    // Handles message number msg; returns the message's result.
    virtual qintptr handleMessage(int msg, qintptr wParam, qintptr lParam) = 0;
};

// Delivers the message at once, before returning; 0 when the target handles no messages.
qintptr SendMessage(QObject *target, int msg, qintptr wParam = 0, qintptr lParam = 0);
