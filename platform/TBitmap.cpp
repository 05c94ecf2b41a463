#include "TBitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

TBitmap::TBitmap(const QImage &image) : m_image(image)
{
}

void TBitmap::Draw(QPainter &painter, const QRect &rect) const
{
    if (Empty() || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect, DrawnImage());
    painter.restore();
}

QImage TBitmap::DrawnImage() const
{
    if (!Transparent())
        return m_image;
    QImage keyed = m_image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) | 0xFF000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return keyed;
}

bool TBitmap::LoadFromBytes(const QByteArray &bytes, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format != "bmp" && format != "png") {
        if (error)
            *error = QStringLiteral("The bitmap is damaged or not in BMP or PNG format.");
        return false;
    }
    QImageReader reader(&buffer, format);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("The bitmap is damaged: %1").arg(reader.errorString());
        return false;
    }
    SetImage(image);
    return true;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    return std::unique_ptr<TGraphic>(new TBitmap(*this));
}

void TBitmap::SetImage(const QImage &image)
{
    m_image = image;
    Changed();
}
