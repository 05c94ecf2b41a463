// The text the cards window shows for one board of the family.
#pragma once

#include <QString>

// The model name of a PCI device ID of the family, or an empty string for any other ID.
QString ModelName(quint32 deviceId);

// "<model>", CR LF, "Base Address: <hex>" with at least four upper-case hexadecimal digits;
// empty when the device ID names no model of the family.
QString CardText(quint32 deviceId, quint32 baseAddress);
