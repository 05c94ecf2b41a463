// The graphic kinds a TPicture can hold (JPEG photograph, bitmap): a size, a transparency flag,
// drawing stretched into a rectangle, and the palette-modified mark the board image asks about.
// A graphic reports its changes to the picture that owns it, which passes them on.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QRect;

class TGraphic
{
public:
    virtual ~TGraphic();

    // The class name a picture stream uses for this kind ("TJPEGImage", "TBitmap").
    virtual const char *ClassName() const = 0;

    // Size in pixels; 0 × 0 before anything is loaded.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True when there is nothing to draw (no pixels).
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    // Draws the whole graphic stretched into rect with smooth scaling; an empty graphic draws
    // nothing. The painter's state is left as it was.
    virtual void Draw(QPainter &painter, const QRect &rect) const = 0;

    // Replaces the contents by the graphic decoded from bytes (the part of a picture stream after
    // its byte count). On failure returns false with a message in error, and keeps the contents.
    virtual bool LoadFromBytes(const QByteArray &bytes, QString *error) = 0;

    // A new graphic of the same kind with the same contents and flags (not the change handler).
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Whether the graphic lets what lies beneath show through where it has no pixels of its own.
    // Initially false. Changing it reports a change; what it does depends on the kind.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    // Our displays have no colour palettes, so no kind has one.
    virtual bool HasPalette() const { return false; }
    // Set when the graphic's palette changed and the window should realise it again; the board
    // image clears it once handled. Initially false.
    bool PaletteModified() const { return m_paletteModified; }
    void SetPaletteModified(bool modified) { m_paletteModified = modified; }

    // Called after each change of contents or flags; set by the owning picture.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    TGraphic() = default;
    TGraphic(const TGraphic &other);
    TGraphic &operator=(const TGraphic &) = delete;

    // Reports a change to the owner.
    void Changed();

private:
    bool m_transparent = false;
    bool m_paletteModified = false;
    std::function<void()> m_onChange;
};
