// Decodes JPEG pictures held in memory (the board photograph travels as bytes inside the main
// form description) with libjpeg, reporting every problem as a message instead of letting the
// library end the process. Used by TJPEGImage; JpegInfo lets tests check the photograph's format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// What a JPEG's headers say about it.
struct JpegInfo
{
    int width = 0;
    int height = 0;
    int components = 0;       // colour components in the file: 1 grey, 3 colour, 4 CMYK
    bool progressive = false;
    bool hasJfif = false;     // a JFIF (APP0) header was present
    int jfifMajor = 0;        // JFIF version, e.g. 1.01 is major 1, minor 1
    int jfifMinor = 0;
    int densityUnit = 0;      // 0: aspect ratio only, 1: dots per inch, 2: dots per centimetre
    int xDensity = 0;
    int yDensity = 0;
    QByteArray iccProfile;    // the embedded colour profile, empty when there is none

    bool hasIccProfile() const { return !iccProfile.isEmpty(); }
};

class JpegDecoder
{
public:
    // Pictures larger than this on a side, or of more pixels in all, are refused rather than
    // decoded: they can only be damaged or hostile data, and would need gigabytes.
    static constexpr int MaxSide = 16384;
    static constexpr qint64 MaxPixels = qint64(1) << 26;

    // Decodes the whole picture into a Format_RGB32 image. Grey pictures come out grey,
    // CMYK ones (plain or Adobe-inverted) are converted to RGB. Any libjpeg warning (cut-short
    // or corrupt data) counts as damage. On failure returns a null image and, when error is
    // given, a message a person can read, e.g. "The picture is damaged: Premature end of JPEG file".
    static QImage decode(const QByteArray &data, QString *error = nullptr);

    // Reads the headers only (up to the first scan), without decoding pixels. Returns false
    // with a message as for decode() when the headers are unreadable; info is then left alone.
    static bool readInfo(const QByteArray &data, JpegInfo *info, QString *error = nullptr);
};
