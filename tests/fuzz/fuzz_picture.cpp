// Fuzzes the picture stream and the JPEG decoder behind it. The input is tried three ways: as a
// picture stream, as the JPEG bytes of a well-formed TJPEGImage stream, and through the
// decoder's two entry points directly. Beyond "no crash": a refused stream leaves the picture as
// it was, silently, with a message; a loaded one has a size, a decoded JPEG one the decoder allows; the headers
// reader and the decoder agree about the size.
#include "FuzzSupport.h"

#include "JpegDecoder.h"
#include "TGraphic.h"
#include "TPicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startQt();
    return 0;
}

static bool loadChecked(const QByteArray &stream)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&changes] { ++changes; };
    QString error;
    const bool loaded = picture.LoadFromStream(stream, &error);
    if (loaded) {
        FUZZ_CHECK(picture.Graphic() != nullptr && changes == 1);
        FUZZ_CHECK(picture.Width() > 0 && picture.Height() > 0);
    } else {
        FUZZ_CHECK(picture.Graphic() == nullptr && changes == 0 && !error.isEmpty());
    }
    return loaded;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    loadChecked(bytes);

    QString error;
    const QImage image = JpegDecoder::decode(bytes, &error);
    FUZZ_CHECK(image.isNull() != error.isEmpty());
    JpegInfo info;
    QString infoError;
    const bool readable = JpegDecoder::readInfo(bytes, &info, &infoError);
    FUZZ_CHECK(readable == infoError.isEmpty());
    if (!image.isNull()) {
        FUZZ_CHECK(image.format() == QImage::Format_RGB32);
        FUZZ_CHECK(image.width() <= JpegDecoder::MaxSide && image.height() <= JpegDecoder::MaxSide);
        FUZZ_CHECK(readable && info.width == image.width() && info.height == image.height());
    }
    FUZZ_CHECK(loadChecked(TPicture::MakeStream(QStringLiteral("TJPEGImage"), bytes)) == !image.isNull());
    return 0;
}
