// Writes the board photograph in the exact form the program's description carries: progressive,
// three 8-bit components, a JFIF 1.01 header at 72 × 72 dots per inch and an embedded ICC profile.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Encodes image (any format; converted to RGB) at the given quality. Returns an empty array and a
// message in error when libjpeg refuses.
QByteArray encodeProgressiveJpeg(const QImage &image, const QByteArray &iccProfile, int quality,
                                 QString *error);
