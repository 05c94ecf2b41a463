// Small pictures and forms the board view tests build in code.
#pragma once

#include "PictureValue.h"
#include "TBitmap.h"
#include "TPicture.h"

#include <QImage>
#include <QPainter>

namespace BoardFixture {

// A picture holding a bitmap of the image.
inline PictureValue bitmapPicture(const QImage &image)
{
    auto picture = std::make_shared<TPicture>();
    picture->SetGraphic(std::make_unique<TBitmap>(image));
    return picture;
}

inline QImage solidImage(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Four quadrants of different colours, so that placement and scaling show in the corners.
inline QImage quadrantImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(200, 40, 40));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(40, 200, 40));
    painter.fillRect(0, height / 2, width / 2, height - height / 2, QColor(40, 40, 200));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(220, 220, 40));
    return image;
}

} // namespace BoardFixture
