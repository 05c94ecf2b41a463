#include "JpegDecoder.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <jpeglib.h>

namespace {

QByteArray boardPhoto()
{
    QFile file(QStringLiteral(BOARD_PHOTO));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", BOARD_PHOTO);
    return file.readAll();
}

// Encodes width × height pixels of `components` bytes each in the given colour space, so that
// the tests can make grey and CMYK pictures the photograph does not cover.
QByteArray encode(int width, int height, J_COLOR_SPACE space, int components,
                  const std::vector<unsigned char> &pixels, bool progressive = false)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + size_t(cinfo.next_scanline) * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

// A small baseline colour picture: a horizontal ramp from red to blue.
QByteArray rampJpeg(int width = 32, int height = 16)
{
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<unsigned char>(255 - x * 255 / (width - 1)));
            rgb.push_back(40);
            rgb.push_back(static_cast<unsigned char>(x * 255 / (width - 1)));
        }
    return encode(width, height, JCS_RGB, 3, rgb);
}

// Offset of the first marker of that kind (0xFF, code) after the start of image, or -1.
qsizetype markerOffset(const QByteArray &jpeg, unsigned char code)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (quint8(jpeg[i]) == 0xFF && quint8(jpeg[i + 1]) == code)
            return i;
    return -1;
}

// The photograph with the frame header's height and width replaced.
QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    qsizetype sof = markerOffset(jpeg, 0xC2); // progressive frame
    if (sof < 0)
        sof = markerOffset(jpeg, 0xC0);
    Q_ASSERT(sof > 0);
    qToBigEndian<quint16>(quint16(height), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + sof + 7);
    return jpeg;
}

int luminance(QRgb pixel)
{
    return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT
private slots:
    void boardPhotoHasTheFormatTheDescriptionCarries()
    {
        JpegInfo info;
        QString error;
        QVERIFY2(JpegDecoder::readInfo(boardPhoto(), &info, &error), qPrintable(error));
        QCOMPARE(info.width, 600);
        QCOMPARE(info.height, 268);
        QCOMPARE(info.components, 3);
        QVERIFY(info.progressive);
        QVERIFY(info.hasJfif);
        QCOMPARE(info.jfifMajor, 1);
        QCOMPARE(info.jfifMinor, 1);
        QCOMPARE(info.densityUnit, 1);
        QCOMPARE(info.xDensity, 72);
        QCOMPARE(info.yDensity, 72);
        QVERIFY(info.hasIccProfile());
        // An ICC profile header: its signature at byte 36, an RGB colour space at byte 16.
        QVERIFY(info.iccProfile.size() > 128);
        QCOMPARE(info.iccProfile.mid(36, 4), QByteArray("acsp"));
        QCOMPARE(info.iccProfile.mid(16, 4), QByteArray("RGB "));
        QCOMPARE(qFromBigEndian<quint32>(info.iccProfile.constData()), quint32(info.iccProfile.size()));
    }

    void boardPhotoDecodesWhole()
    {
        QString error;
        const QImage image = JpegDecoder::decode(boardPhoto(), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), QSize(600, 268));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        // The board is green in the middle of its top half.
        const QRgb board = image.pixel(420, 60);
        QVERIFY(qGreen(board) > qRed(board) + 30 && qGreen(board) > qBlue(board) + 20);
    }

    // The jumper headers must sit where the main window puts its circles: the photograph is
    // stretched to the 662 × 296 board control, so each circle's centre maps into it.
    void boardPhotoShowsAJumperUnderEveryCircle_data()
    {
        QTest::addColumn<QRectF>("circle");
        QTest::newRow("PullHighlight0") << QRectF(128, 0, 33, 193);
        QTest::newRow("PullHighlight1") << QRectF(332, 0, 41, 193);
        QTest::newRow("PullHighlight2") << QRectF(404, 0, 41, 193);
        QTest::newRow("PullHighlight3") << QRectF(480, 0, 41, 193);
        QTest::newRow("PullHighlight4") << QRectF(552, 0, 41, 193);
        QTest::newRow("HighHighlight") << QRectF(616, 16, 41, 25);
    }
    void boardPhotoShowsAJumperUnderEveryCircle()
    {
        QFETCH(QRectF, circle);
        static const QImage image = JpegDecoder::decode(boardPhoto());
        const int x = qRound(circle.center().x() * 600 / 662);
        const int y = qRound(circle.center().y() * 268 / 296);
        // Black plastic (header body or jumper cap) right at the centre, far darker than the
        // plain solder mask between the ports.
        const int centre = luminance(image.pixel(x, y));
        QVERIFY2(centre < 60, qPrintable(QString::number(centre)));
        QVERIFY(luminance(image.pixel(420, 60)) > centre + 40);
    }

    void greyPictureComesOutGrey()
    {
        std::vector<unsigned char> grey(16 * 8);
        for (size_t i = 0; i < grey.size(); ++i)
            grey[i] = static_cast<unsigned char>(i % 16 * 16);
        QString error;
        const QImage image = JpegDecoder::decode(encode(16, 8, JCS_GRAYSCALE, 1, grey), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), QSize(16, 8));
        for (int x = 0; x < 16; ++x) {
            const QRgb p = image.pixel(x, 3);
            QCOMPARE(qRed(p), qGreen(p));
            QCOMPARE(qGreen(p), qBlue(p));
            QVERIFY(qAbs(qRed(p) - x * 16) <= 6);
        }
    }

    // libjpeg marks CMYK files with an Adobe header, and such files store ink inverted.
    void cmykPictureIsConvertedToRgb()
    {
        std::vector<unsigned char> cmyk;
        for (int i = 0; i < 16 * 16; ++i) {
            const bool left = i % 16 < 8;
            // Inverted ink: left half red (no cyan, full magenta and yellow), right half black.
            const unsigned char red[4] = {255, 0, 0, 255};
            const unsigned char black[4] = {255, 255, 255, 0};
            cmyk.insert(cmyk.end(), left ? red : black, (left ? red : black) + 4);
        }
        QString error;
        const QImage image = JpegDecoder::decode(encode(16, 16, JCS_CMYK, 4, cmyk), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        const QRgb red = image.pixel(2, 8), black = image.pixel(13, 8);
        QVERIFY2(qRed(red) > 230 && qGreen(red) < 25 && qBlue(red) < 25, qPrintable(QString::number(red, 16)));
        QVERIFY2(luminance(black) < 25, qPrintable(QString::number(black, 16)));
    }

    void rejectedPicturesGiveAMessage_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        const QByteArray photo = boardPhoto();
        const QByteArray ramp = rampJpeg();
        QTest::newRow("empty") << QByteArray() << "The picture is empty";
        QTest::newRow("not a JPEG") << QByteArray("GIF89a\x01\x00\x01\x00", 10) << "Not a JPEG file";
        QTest::newRow("start of image only") << photo.left(2) << "The picture is damaged";
        QTest::newRow("photo cut inside its headers") << photo.left(300) << "The picture is damaged";
        QTest::newRow("photo cut in its first scan") << photo.left(photo.size() / 5) << "Premature end of JPEG file";
        QTest::newRow("photo cut in its last scan") << photo.left(photo.size() * 9 / 10) << "Premature end of JPEG file";
        QTest::newRow("photo without end of image") << photo.left(photo.size() - 2) << "Premature end of JPEG file";
        QTest::newRow("baseline cut in half") << ramp.left(ramp.size() / 2) << "Premature end of JPEG file";
        QByteArray marker = photo;
        marker.replace(photo.size() / 2, 2, QByteArray("\xFF\xD9", 2));
        QTest::newRow("end of image inside a scan") << marker << "The picture is damaged: Corrupt JPEG data";
        QByteArray restart = ramp;
        const qsizetype scan = markerOffset(ramp, 0xDA);
        restart.replace((scan + ramp.size()) / 2, 2, QByteArray("\xFF\xD3", 2));
        QTest::newRow("stray restart marker") << restart << "Corrupt JPEG data";
        QTest::newRow("zero height") << withFrameSize(photo, 600, 0) << "The picture is damaged";
        QTest::newRow("wider than the limit") << withFrameSize(photo, 20000, 268) << "too large";
        QTest::newRow("too many pixels in all") << withFrameSize(photo, 16000, 16000) << "too large";
    }
    void rejectedPicturesGiveAMessage()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QString error;
        const QImage image = JpegDecoder::decode(data, &error);
        QVERIFY(image.isNull());
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    // The header is readable even when the picture is too large to decode, so a caller can say
    // how large it claims to be; a cut-short header is not.
    void infoOfPicturesDecodeRefuses()
    {
        JpegInfo info;
        QVERIFY(JpegDecoder::readInfo(withFrameSize(boardPhoto(), 20000, 300), &info));
        QCOMPARE(info.width, 20000);
        QCOMPARE(info.height, 300);

        JpegInfo untouched;
        untouched.width = 7;
        QString error;
        QVERIFY(!JpegDecoder::readInfo(boardPhoto().left(100), &untouched, &error));
        QCOMPARE(untouched.width, 7);
        QVERIFY(error.startsWith(QLatin1String("The picture is damaged")));
    }

    // Whatever the bytes, the decoder returns: no exit, no crash (run under the sanitizers too).
    void garbageNeverEndsTheProcess()
    {
        std::mt19937 rng(5);
        const QByteArray photo = boardPhoto();
        for (int round = 0; round < 300; ++round) {
            QByteArray data;
            const int size = std::uniform_int_distribution<int>(1, 3000)(rng);
            for (int i = 0; i < size; ++i)
                data.append(char(rng()));
            if (round % 3 == 1)
                data.prepend("\xFF\xD8", 2); // pass the start-of-image check, fail deeper
            if (round % 3 == 2) {
                // The photograph's real headers with scrambled data after them.
                data = photo.left(std::uniform_int_distribution<int>(600, int(photo.size()) - 1)(rng));
                for (int i = 0; i < 40; ++i)
                    data[std::uniform_int_distribution<int>(600, int(data.size()) - 1)(rng)] = char(rng());
            }
            QString error;
            const QImage image = JpegDecoder::decode(data, &error);
            QVERIFY2(image.isNull(), qPrintable(QStringLiteral("round %1 decoded").arg(round)));
            QVERIFY(error.startsWith(QLatin1String("The picture")));
        }
    }
};

QTEST_APPLESS_MAIN(TestJpegDecoder)
#include "tst_JpegDecoder.moc"
