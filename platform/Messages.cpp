#include "Messages.h"

#include <QObject>

qintptr SendMessage(QObject *target, int msg, qintptr wParam, qintptr lParam)
{
    if (auto *receiver = dynamic_cast<MessageReceiver *>(target))
        return receiver->handleMessage(msg, wParam, lParam);
    return 0;
}
