#include "TJPEGImage.h"

#include "JpegDecoder.h"

#include <QPainter>

void TJPEGImage::Draw(QPainter &painter, const QRect &rect) const
{
    if (Empty() || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect, m_image);
    painter.restore();
}

bool TJPEGImage::LoadFromBytes(const QByteArray &bytes, QString *error)
{
    QString message;
    QImage image = JpegDecoder::decode(bytes, &message);
    if (image.isNull()) {
        if (error)
            *error = message;
        return false;
    }
    m_image = image;
    Changed();
    return true;
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const
{
    return std::unique_ptr<TGraphic>(new TJPEGImage(*this));
}
