#include "CardText.h"

QString CardModelName(quint32 deviceId)
{
    switch (deviceId) {
    case 0x0C6A: return QStringLiteral("QRT-216");
    case 0x0C71: return QStringLiteral("QRT-224");
    case 0x0C79: return QStringLiteral("QRT-232");
    default: return QString();
    }
}

QString BaseAddressText(quint32 baseAddress)
{
    return QStringLiteral("%1").arg(baseAddress, 4, 16, QLatin1Char('0')).toUpper();
}

QString CardText(quint32 deviceId, quint32 baseAddress)
{
    const QString model = CardModelName(deviceId);
    if (model.isEmpty())
        return QString();
    return model + QStringLiteral("\r\nBase Address: ") + BaseAddressText(baseAddress);
}
