// A picture owns at most one graphic (a JPEG image or a bitmap) and tells its owner when it
// changes; the board image uses it for the photograph and runs PictureChanged from OnChange.
// A picture is read from the description as a picture stream:
//   one byte: length n of the class name (1..255)
//   n bytes:  the graphic's class name, e.g. "TJPEGImage" (matched without regard to case)
//   4 bytes:  byte count c, 32-bit little-endian
//   c bytes:  the graphic's own data (the JPEG file, the BMP/PNG file)
// The stream must end after those c bytes: bytes beyond the count mean writer and reader
// disagree about the layout, so they are refused rather than ignored.
#pragma once

#include "TGraphic.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TPicture
{
public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    // The graphic, or nullptr when the picture is empty (initially).
    TGraphic *Graphic() const { return m_graphic.get(); }
    // Takes the graphic (nullptr empties the picture) and fires OnChange.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);

    // The graphic's size; 0 without a graphic.
    int Width() const;
    int Height() const;

    // Makes this picture a copy of source (a clone of its graphic, or empty) and fires OnChange.
    // Assigning a picture to itself keeps its graphic and still fires OnChange.
    void Assign(const TPicture &source);

    // Replaces the graphic by the one the picture stream holds and fires OnChange. On any fault
    // (cut-short header, unknown class, count beyond or short of the data, undecodable graphic)
    // returns false with a message in error, fires nothing and leaves the picture unchanged.
    bool LoadFromStream(const QByteArray &stream, QString *error = nullptr);

    // The picture stream for a graphic of that class with those bytes. Returns an empty array
    // when the class name is empty or longer than 255 bytes in Latin-1.
    static QByteArray MakeStream(const QString &className, const QByteArray &bytes);

    // A new, empty graphic of the named class (compared without regard to case), or nullptr.
    static std::unique_ptr<TGraphic> CreateGraphic(const QString &className);
    // The class names CreateGraphic knows, for messages.
    static QStringList GraphicClassNames();

    // Called after every change of the picture or of its graphic (load, assign, the graphic's
    // own changes such as Transparent).
    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> m_graphic;
};
