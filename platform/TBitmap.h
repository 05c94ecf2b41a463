// A bitmap graphic held as a QImage: made from an image in code, or loaded from BMP or PNG
// bytes. When Transparent, the colour of its bottom-left pixel is treated as transparent
// (the usual rule for bitmaps), so that the parent's background shows through.
#pragma once

#include "TGraphic.h"

#include <QImage>

class TBitmap : public TGraphic
{
public:
    TBitmap() = default;
    // Takes a copy of the image; a null image gives an empty bitmap.
    explicit TBitmap(const QImage &image);

    const char *ClassName() const override { return "TBitmap"; }
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }

    void Draw(QPainter &painter, const QRect &rect) const override;

    // Loads BMP or PNG bytes; any other format, or damaged data, fails with a message and
    // leaves the bitmap as it was. Reports a change on success.
    bool LoadFromBytes(const QByteArray &bytes, QString *error) override;

    std::unique_ptr<TGraphic> Clone() const override;

    const QImage &Image() const { return m_image; }
    // Replaces the pixels; reports a change.
    void SetImage(const QImage &image);

private:
    TBitmap(const TBitmap &other) = default;

    // The image as drawn: with the transparent colour keyed out when Transparent.
    QImage DrawnImage() const;

    QImage m_image;
};
