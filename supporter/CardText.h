// The line pair the cards-installed window shows for one board of the family: the model
// named by its PCI device ID, then its base address. A product's OnGetCardString handler
// builds its text with these after asking the driver for the board's device ID and base.
#pragma once

#include <QString>

// "QRT-216", "QRT-224" or "QRT-232" for the device IDs 0x0C6A, 0x0C71 and 0x0C79 (compared
// in full); empty for any other ID.
QString CardModelName(quint32 deviceId);

// The base address in upper-case hexadecimal, at least four digits: 0x300 gives "0300",
// 0x1D000 gives "1D000".
QString BaseAddressText(quint32 baseAddress);

// The model name, CR LF, "Base Address: " and the base address; empty when the device ID
// names no model of the family.
QString CardText(quint32 deviceId, quint32 baseAddress);
