// A JPEG picture: the bytes are decoded once when loaded (JpegDecoder) and the pixels kept for
// drawing. This is the graphic kind of the board photograph. JPEG has no transparent pixels,
// so the Transparent flag is kept but does not change the drawing.
#pragma once

#include "TGraphic.h"

#include <QImage>

class TJPEGImage : public TGraphic
{
public:
    TJPEGImage() = default;

    const char *ClassName() const override { return "TJPEGImage"; }
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }

    // Stretches the decoded pixels into rect, filtered (not nearest-pixel).
    void Draw(QPainter &painter, const QRect &rect) const override;

    // Decodes the JPEG bytes; a damaged, cut-short or oversized picture fails with
    // JpegDecoder's message and leaves the image as it was. Reports a change on success.
    bool LoadFromBytes(const QByteArray &bytes, QString *error) override;

    std::unique_ptr<TGraphic> Clone() const override;

    // The decoded pixels (Format_RGB32); null before a successful load.
    const QImage &Image() const { return m_image; }

private:
    TJPEGImage(const TJPEGImage &other) = default;

    QImage m_image;
};
